// The saved form of one brick: "width§colour§font", fields separated by the byte 0xA7, the font as
// the fourteen fields of a logical-font record ("%d,...,%d,%s", the face name last). Window-free:
// the bar turns the parsed record into a column width, a colour and a font.
#pragma once

#include <afx.h>

#define BRICK_FIELD_SEPARATOR '\xA7'
#define BRICK_FONT_FIELDS 14
#define BRICK_FACE_SIZE 32   // the logical-font record's face-name field, NUL included

// The logical-font fields in the record's order; the last eight are bytes.
struct sBrickFont
{
    int nHeight;
    int nWidth;
    int nEscapement;
    int nOrientation;
    int nWeight;
    unsigned char bItalic;
    unsigned char bUnderline;
    unsigned char bStrikeOut;
    unsigned char nCharSet;
    unsigned char nOutPrecision;
    unsigned char nClipPrecision;
    unsigned char nQuality;
    unsigned char nPitchAndFamily;
    char szFaceName[BRICK_FACE_SIZE];
};

// What a saved value restores. Fields that were empty or absent are not set; bStop says the
// value ended early (only a width; a width and a colour with no third field; a font part of fewer
// than fourteen fields), which ends the whole restore after what was set here is applied.
struct sBrickSetting
{
    bool bWidth = false;
    int nWidth = 0;
    bool bColour = false;
    long nColour = 0;
    bool bFont = false;
    sBrickFont font = {};
    bool bStop = false;
};

// The value as written: "%d§%ld§" and the font.
CONTROLS_API CString FormatBrickSetting(int nWidth, long nColour, const sBrickFont& font);
// An empty value and "Settings not found" give a record with nothing set and no stop.
CONTROLS_API sBrickSetting ParseBrickSetting(const CString& csValue);
