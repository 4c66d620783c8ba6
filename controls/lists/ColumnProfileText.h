// The stored text of a list's column profile (the "COLUMNPROFILE" setting): per column its index,
// header position (-1 hidden) and width, and for user-defined columns their definition
// "name#text1#text2"; and the resolution of a stored profile into the positions and widths of a
// list's columns. No window in here.
//
// Texts are escaped so that any text survives: "\," "\#" "\\" stand for the character after the
// backslash, "\xHH" (two hex digits) for a control character. A backslash followed by anything else
// is itself, so profiles written before the escape read unchanged unless a text holds a backslash
// right before ",", "#", "\" or "x" and two hex digits, or ends in one.
#pragma once

#include <afx.h>

struct CONTROLS_API sColumnProfileEntry
{
    int nColumn = -1;
    int nPosition = -1;
    int nWidth = 0;
    bool bDefinition = false;   // a user-defined column: the three texts below are set
    CString csName;
    CString csText1;
    CString csText2;
};

typedef CArray<sColumnProfileEntry, const sColumnProfileEntry&> CColumnProfileEntries;

// One text as it is stored inside a definition, and back. UnescapeProfileText(EscapeProfileText(x))
// is x for any text, embedded NULs included; the escaped text holds no ",", "#" or control character.
CONTROLS_API CString EscapeProfileText(const CString& text);
CONTROLS_API CString UnescapeProfileText(const CString& stored);

// Splits a stored profile into entries, in stored order. An entry is three decimal fields (index,
// position, width); when its index is at or beyond nBuiltInCount and the next field is not a
// number, that field is its definition. A field that is not a number where an index belongs is
// skipped alone; an entry whose position or width is not a number is skipped whole; an incomplete
// entry at the end is dropped. Returns the number of entries.
CONTROLS_API int ParseColumnProfile(const CString& value, int nBuiltInCount, CColumnProfileEntries& entries);

// The stored text of the entries, in the given order: "index,position,width" per entry, and
// ",name#text1#text2" (each text escaped) after an entry with bDefinition set.
CONTROLS_API CString FormatColumnProfile(const CColumnProfileEntries& entries);

// Where a list's columns go.
struct CONTROLS_API sColumnLayout
{
    CArray<int, int> positions;    // by column index: header position 0, 1, ... or -1 hidden
    CArray<int, int> widths;       // by column index
    CColumnProfileEntries added;   // user-defined columns the profile brings, to append in this order
};

// Width of a user-defined column the profile brings, when its entry has none usable.
const int COLUMN_PROFILE_USER_WIDTH = 80;
// Width of a column the profile does not name.
const int COLUMN_PROFILE_UNNAMED_WIDTH = 100;

// Resolves a stored profile for a list holding defaultWidths.GetSize() columns (at least
// nBuiltInCount; those beyond it are user-defined columns it already holds), each with its default
// width. A definition is taken only for the next index after the columns (held and taken so far);
// an entry naming a column that is neither held nor taken is skipped, as is a second entry for a
// column; a position outside the columns hides the column; a width outside 0-10000 falls back to
// the column's default. Columns the profile does not name are hidden with width 100. Positions end
// up numbered 0, 1, ... in their stored order, a second claim on a position hiding the later column.
// Returns false (and a layout without columns) when no entry was usable.
CONTROLS_API bool ResolveColumnProfile(const CString& value, int nBuiltInCount, const CArray<int, int>& defaultWidths,
                                       sColumnLayout& layout);

// The layout without a profile: the default positions (by column index, -1 hidden; columns beyond
// the array hidden) when there are any, else every column in index order; default widths.
CONTROLS_API void ResolveDefaultColumns(const CArray<int, int>& defaultPositions, const CArray<int, int>& defaultWidths,
                                        sColumnLayout& layout);

// Renumbers the shown columns 0, 1, ... keeping their order; a second claim on a position hides the
// column with the higher index.
CONTROLS_API void CompactColumnPositions(CArray<int, int>& positions);

// Reads a factory profile (integer triples column,position,width) into column and width by
// header position, for a list of nColumns columns. Triples with position -1 are skipped; a missing
// width keeps the previous triple's, a missing position the previous one. Reading stops at a field
// that is not a number; a column or position outside the list is ignored. Positions nobody claims
// hold -1. Returns the number of positions filled.
CONTROLS_API int ParseFactoryProfile(const CString& value, int nColumns, CArray<int, int>& columnsByPosition,
                                     CArray<int, int>& widthsByPosition);
