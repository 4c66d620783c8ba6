#include "windows/BrickBarSetting.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace
{
// The field of text between nStart and the next separator (or the end); nStart moves past it and
// the separator, to -1 when none followed.
CString NextField(const CString& csText, int& nStart, char chSeparator)
{
    const int nEnd = csText.Find(chSeparator, nStart);
    CString csField = nEnd < 0 ? csText.Mid(nStart) : csText.Mid(nStart, nEnd - nStart);
    nStart = nEnd < 0 ? -1 : nEnd + 1;
    return csField;
}

// Thirteen numbers and the face name; false when fewer than fourteen fields. The face name is
// everything after the thirteenth comma (a face name with a comma in it stays whole), cut to
// what the record's field holds.
bool ParseFont(const CString& csFont, sBrickFont& font)
{
    int values[BRICK_FONT_FIELDS - 1] = {};
    int nPos = 0;
    for (int i = 0; i < BRICK_FONT_FIELDS - 1; ++i)
    {
        if (nPos < 0)
            return false;
        values[i] = atoi(NextField(csFont, nPos, ','));
    }
    if (nPos < 0)
        return false;
    const CString csFace = csFont.Mid(nPos);
    font.nHeight = values[0];
    font.nWidth = values[1];
    font.nEscapement = values[2];
    font.nOrientation = values[3];
    font.nWeight = values[4];
    font.bItalic = (unsigned char)values[5];
    font.bUnderline = (unsigned char)values[6];
    font.bStrikeOut = (unsigned char)values[7];
    font.nCharSet = (unsigned char)values[8];
    font.nOutPrecision = (unsigned char)values[9];
    font.nClipPrecision = (unsigned char)values[10];
    font.nQuality = (unsigned char)values[11];
    font.nPitchAndFamily = (unsigned char)values[12];
    // As strlcpy copies it: up to the first NUL, at most what the field holds.
    const size_t nCopy = std::min(strlen((LPCTSTR)csFace), sizeof(font.szFaceName) - 1);
    memcpy(font.szFaceName, (LPCTSTR)csFace, nCopy);
    font.szFaceName[nCopy] = '\0';
    return true;
}
}  // namespace

CString FormatBrickSetting(int nWidth, long nColour, const sBrickFont& font)
{
    char szFace[BRICK_FACE_SIZE];
    memcpy(szFace, font.szFaceName, sizeof(szFace));
    szFace[BRICK_FACE_SIZE - 1] = '\0';
    CString csValue;
    csValue.Format("%d%c%ld%c%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%s", nWidth, BRICK_FIELD_SEPARATOR, nColour,
                   BRICK_FIELD_SEPARATOR, font.nHeight, font.nWidth, font.nEscapement, font.nOrientation, font.nWeight,
                   font.bItalic, font.bUnderline, font.bStrikeOut, font.nCharSet, font.nOutPrecision,
                   font.nClipPrecision, font.nQuality, font.nPitchAndFamily, szFace);
    return csValue;
}

sBrickSetting ParseBrickSetting(const CString& csValue)
{
    sBrickSetting setting;
    if (csValue.IsEmpty() || csValue == "Settings not found")
        return setting;
    int nPos = 0;
    const CString csWidth = NextField(csValue, nPos, BRICK_FIELD_SEPARATOR);
    if (!csWidth.IsEmpty())
    {
        setting.bWidth = true;
        setting.nWidth = atoi(csWidth);
    }
    if (nPos < 0)
    {
        setting.bStop = true;
        return setting;
    }
    const CString csColour = NextField(csValue, nPos, BRICK_FIELD_SEPARATOR);
    if (!csColour.IsEmpty())
    {
        setting.bColour = true;
        setting.nColour = atol(csColour);
    }
    if (nPos < 0)
    {
        setting.bStop = true;
        return setting;
    }
    const CString csFont = NextField(csValue, nPos, BRICK_FIELD_SEPARATOR);
    if (!csFont.IsEmpty())
    {
        if (!ParseFont(csFont, setting.font))
            setting.bStop = true;
        else
            setting.bFont = true;
    }
    return setting;
}
