// The stored text of a list's appearance: the "CUSTOMIZE_LISTS" value (colours, font, keyword
// column and keyword rules) and the "USER_CUSTOMIZE_LISTS" value (colours, font, user keywords
// with their text and background colours). Colours are "%lX" (hexadecimal COLORREF, no prefix);
// fields are separated by ",", so neither a keyword nor a font name can hold one. No window in
// here.
#pragma once

#include <afx.h>
#include "lists/cCustomizedAppearanceSettings.h"

// Point sizes a stored font may have; anything else keeps the record's size.
#define APPEARANCE_MIN_FONT_SIZE 1
#define APPEARANCE_MAX_FONT_SIZE 144

// How far a stored value was read.
enum eAppearanceRead
{
    APPEARANCE_READ_WHOLE = 0,       // every field was read
    APPEARANCE_READ_PARTIAL = 1,     // reading ended early at a malformed field; what came before stays
};

// The settings key of a list: "%s-%d" of its name and control identifier.
CONTROLS_API CString AppearanceKey(const CString& csListName, int nControlID);

// True when the text can be stored as one field: not empty, no "," and no line break.
CONTROLS_API bool IsStorableKeyword(const CString& csKeyword);
// The keyword as rules keep it: lower case (ASCII letters).
CONTROLS_API CString KeywordToStore(const CString& csKeyword);

// The "CUSTOMIZE_LISTS" value: "%lX,%lX,%s,%s" (background, text, font name, font size), then,
// when bWithRules is set, "," and "%d," (keyword column) and "%s,%lX," per rule. Returns false
// and leaves csValue untouched when a font name or keyword cannot be stored (a "," or a line
// break in it, or an empty keyword).
CONTROLS_API bool FormatCustomizeLists(const cCustomizedAppearanceSettings& record, bool bWithRules, CString& csValue);
// Reads a "CUSTOMIZE_LISTS" value into the record, field by field: background, text, font name,
// font size, keyword column. A keyword column of -1 (or any negative one) ends the reading. When
// the next field is not empty the record gets new, empty keyword arrays and pairs keyword,
// colour follow (keywords stored in lower case) until an empty keyword field. A keyword without a
// valid colour discards every rule read so far. A field that cannot be read (a colour that is
// not 1 to 6 hex digits, a column that is not a number) ends the reading there; an empty font
// name or a size outside APPEARANCE_MIN_FONT_SIZE..APPEARANCE_MAX_FONT_SIZE keeps the record's.
CONTROLS_API eAppearanceRead ParseCustomizeLists(const CString& csValue, cCustomizedAppearanceSettings& record);

// The "USER_CUSTOMIZE_LISTS" value: "%lX,%lX,%s,%s", then, when the record has user keywords,
// "," and "%s,%lX,%lX," per keyword (keyword, text colour, text background colour). Returns false
// and leaves csValue untouched when a font name or user keyword cannot be stored.
CONTROLS_API bool FormatUserCustomizeLists(const cCustomizedAppearanceSettings& record, CString& csValue);
// Reads a "USER_CUSTOMIZE_LISTS" value: the four scalar fields as above, then, when a further
// non-empty field follows, new user arrays and triples keyword, text colour, background colour
// until an empty keyword. A triple with a missing or unreadable colour ends the reading; the
// triples before it stay.
CONTROLS_API eAppearanceRead ParseUserCustomizeLists(const CString& csValue, cCustomizedAppearanceSettings& record);
