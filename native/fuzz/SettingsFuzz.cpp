// libFuzzer target for the argument checks of the settings-file operations: every accepted write
// reads back as written through the model of the profile functions (IniLineModel.h), with nothing
// else in the text; accepted names are their own identity in the file (no outer blanks, no control
// characters); a write refuses at least what a read refuses; paths against a reference.
// Input layout: section, key and value cut at '\x01'; a fourth piece, when present, is a path.
#include "IniLineModel.h"
#include "FuzzOracle.h"
#include "SettingsRules.h"

#include <algorithm>

namespace {

// Reference for the file-name part of a path: names the platform opens as devices, or shortens.
bool IsDeviceOrShortenedName(const std::string& path)
{
    const size_t cut = path.find_last_of("\\/:");
    const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    if (name.empty() || name.back() == '.' || name.back() == ' ')
        return true;
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& c : base)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    for (const char* device : { "CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$" })
        if (base == device)
            return true;
    if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0))
        return (base[3] >= '0' && base[3] <= '9') || base[3] == '\xB9' || base[3] == '\xB2' || base[3] == '\xB3';
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::vector<std::string> parts = Split(Text(pData, nSize), '\x01');
    parts.resize(std::max<size_t>(parts.size(), 3));
    const std::string &section = parts[0], &key = parts[1], &value = parts[2];

    // A read checks the names only; a write refuses at least what a read refuses.
    const bool bReadOk = orvou_check_settings_arguments(0, Bytes(section), Bytes(key), Bytes(value)).IsEmpty();
    const bool bWriteOk = orvou_check_settings_arguments(1, Bytes(section), Bytes(key), Bytes(value)).IsEmpty();
    Check(bReadOk == orvou_check_settings_arguments(1, Bytes(section), Bytes(key), CString()).IsEmpty(),
          "a read is judged by more than the names");
    Check(bReadOk || !bWriteOk, "a write accepted with names a read refuses");
    if (bReadOk)
        Check(ini_model::IsOwnIdentity(section) && ini_model::IsOwnIdentity(key),
              "accepted name shares its entry with another name");
    if (bWriteOk)
    {
        Check(orvou_settings_stored_form(Bytes(value)).GetLength() <= ORVOU_MAX_SETTINGS_VALUE,
              "accepted value longer than a line holds");
        Check(ini_model::RoundTrips(section, key, value), "accepted write does not read back");
    }
    if (parts.size() >= 4)
    {
        const std::string& path = parts[3];
        const bool bPlain = !path.empty() && path.size() <= ORVOU_MAX_SETTINGS_PATH && path.find('\0') == std::string::npos;
        const bool bAccepted = orvou_check_settings_path(Bytes(path)).IsEmpty();
        Check(bAccepted == (bPlain && !IsDeviceOrShortenedName(path)), "path verdict");
    }
    return 0;
}
