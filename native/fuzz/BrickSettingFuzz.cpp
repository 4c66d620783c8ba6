// libFuzzer target for the saved value of a brick ("width§colour§font"). Besides crashes and
// sanitizer reports it checks that the face name always fits its field, and that a value read
// whole (width, colour and font, no stop) writes back to a text that reads the same again.
#include "windows/BrickBarSetting.h"
#include "FuzzOracle.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const sBrickSetting first = ParseBrickSetting(Bytes(Text(data, size)));
    Check(memchr(first.font.szFaceName, '\0', sizeof(first.font.szFaceName)) != nullptr, "face name unterminated");
    // A face with the separator in it would end the value early: not something a font has.
    if (!first.bWidth || !first.bColour || !first.bFont || first.bStop ||
        strchr(first.font.szFaceName, BRICK_FIELD_SEPARATOR) != nullptr)
        return 0;
    const sBrickSetting second = ParseBrickSetting(FormatBrickSetting(first.nWidth, first.nColour, first.font));
    Check(second.bWidth && second.bColour && second.bFont && !second.bStop && second.nWidth == first.nWidth &&
          second.nColour == first.nColour && memcmp(&second.font, &first.font, sizeof(first.font)) == 0);
    return 0;
}
