// The stored text of a list's column profile (the "COLUMNPROFILE" setting): per column its index,
// header position (-1 hidden) and width, and for user-defined columns their definition
// "name#text1#text2". Reading only; no window in here.
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

// Splits a stored profile into entries, in stored order. An entry whose column index is at or
// beyond nBuiltInCount is followed by its definition field. Reading stops at the first incomplete
// entry or at a field that is not a plain decimal number; what was read before stays. Returns the
// number of entries.
CONTROLS_API int ParseColumnProfile(const CString& value, int nBuiltInCount,
                                    CArray<sColumnProfileEntry, const sColumnProfileEntry&>& entries);

// The stored text of the entries, in the given order: "index,position,width" per entry, and
// ",name#text1#text2" after an entry with bDefinition set.
CONTROLS_API CString FormatColumnProfile(const CArray<sColumnProfileEntry, const sColumnProfileEntry&>& entries);

// Reads a factory profile (integer triples column,position,width) into column and width by
// header position, for a list of nColumns columns. Triples with position -1 are skipped; a missing
// width keeps the previous triple's, a missing position the previous one. Reading stops at a field
// that is not a number; a column or position outside the list is ignored. Positions nobody claims
// hold -1. Returns the number of positions filled.
CONTROLS_API int ParseFactoryProfile(const CString& value, int nColumns, CArray<int, int>& columnsByPosition,
                                     CArray<int, int>& widthsByPosition);
