// libFuzzer target for the saved value of a brick ("width§colour§font"). Besides crashes and
// sanitizer reports it checks that the face name always fits its field, and that a value read
// whole (width, colour and font, no stop) writes back to a text that reads the same again.
#include "windows/BrickBarSetting.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096)
        return 0;
    CString csValue;
    for (size_t i = 0; i < size; ++i)
        csValue += (char)data[i];
    const sBrickSetting first = ParseBrickSetting(csValue);
    if (memchr(first.font.szFaceName, '\0', sizeof(first.font.szFaceName)) == nullptr)
        abort();
    if (!first.bWidth || !first.bColour || !first.bFont || first.bStop)
        return 0;
    // A face with the separator in it would end the value early: not something a font has.
    if (strchr(first.font.szFaceName, BRICK_FIELD_SEPARATOR) != nullptr)
        return 0;
    const sBrickSetting second = ParseBrickSetting(FormatBrickSetting(first.nWidth, first.nColour, first.font));
    if (!second.bWidth || !second.bColour || !second.bFont || second.bStop || second.nWidth != first.nWidth ||
        second.nColour != first.nColour || memcmp(&second.font, &first.font, sizeof(first.font)) != 0)
        abort();
    return 0;
}
