// libFuzzer target for the argument checks of the settings-file operations. Whatever the bytes,
// the checks must not crash or leak, and every write they accept must read back as written
// through the model of the profile functions (IniLineModel.h), with nothing else in the text; a
// refusal always carries a reason. Paths are checked for the same safety.
//
// Input layout: the bytes, cut at '\x01', are the section, the key and the value; a fourth piece,
// when present, is checked as a path.
#include "IniLineModel.h"
#include "SettingsRules.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool bOk, const char* pszWhat)
{
    if (!bOk)
    {
        std::fprintf(stderr, "mismatch: %s\n", pszWhat);
        std::abort();
    }
}

std::vector<std::string> Split(const std::string& s, char c)
{
    std::vector<std::string> parts;
    size_t i = 0;
    for (;;)
    {
        size_t j = s.find(c, i);
        parts.push_back(s.substr(i, j == std::string::npos ? std::string::npos : j - i));
        if (j == std::string::npos)
            return parts;
        i = j + 1;
    }
}

CString Bytes(const std::string& s) { return CString(s.data(), (int)s.size()); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::vector<std::string> parts = Split(std::string(reinterpret_cast<const char*>(pData), nSize), '\x01');
    if (parts.size() < 3)
        parts.resize(3);
    const std::string& section = parts[0];
    const std::string& key = parts[1];
    const std::string& value = parts[2];

    // A read checks the names only; a write refuses at least what a read refuses.
    const bool bReadOk = orvou_check_settings_arguments(0, Bytes(section), Bytes(key), Bytes(value)).IsEmpty();
    const bool bWriteOk = orvou_check_settings_arguments(1, Bytes(section), Bytes(key), Bytes(value)).IsEmpty();
    Check(bReadOk == orvou_check_settings_arguments(1, Bytes(section), Bytes(key), CString()).IsEmpty(),
          "a read is judged by more than the names");
    Check(bReadOk || !bWriteOk, "a write accepted with names a read refuses");
    if (bWriteOk)
    {
        const CString stored = orvou_settings_stored_form(Bytes(value));
        Check(stored.GetLength() <= ORVOU_MAX_SETTINGS_VALUE, "accepted value longer than a line holds");
        Check(ini_model::RoundTrips(section, key, value), "accepted write does not read back");
    }

    if (parts.size() >= 4)
    {
        const std::string& path = parts[3];
        const bool bPathOk = orvou_check_settings_path(Bytes(path)).IsEmpty();
        Check(bPathOk == (!path.empty() && path.size() <= ORVOU_MAX_SETTINGS_PATH && path.find('\0') == std::string::npos),
              "path verdict");
    }
    return 0;
}
