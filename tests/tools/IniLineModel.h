// A model of how the private-profile functions write one key and read it back: the writer puts
// "[section]" and "key=stored value" on lines of their own (names trimmed); the reader splits
// lines at CR or LF, trims blanks at both ends of each line, takes a line starting with '[' and
// holding ']' as a section (name up to the last ']'), skips lines starting with ';', splits
// other lines at their first '=' (key and value trimmed), finds sections and keys by trimmed,
// case-insensitive names, and removes one pair of matching outer quotes from a value of two or
// more characters. Its blanks are SettingsRules' blanks, a superset of what any platform trims.
// Used by the native tests and the fuzzer of the settings rules.
#pragma once

#include "SettingsRules.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace ini_model {

struct sLine
{
    std::string section;
    std::string key;
    std::string value;
};

inline std::string Trim(const std::string& s)
{
    size_t a = 0, b = s.size();
    while (a < b && orvou_is_settings_blank(s[a]))
        ++a;
    while (b > a && orvou_is_settings_blank(s[b - 1]))
        --b;
    return s.substr(a, b - a);
}

inline bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// Every key line of the text, with the section it is in.
inline std::vector<sLine> Read(const std::string& text)
{
    std::vector<sLine> entries;
    std::string section;
    size_t i = 0;
    while (i <= text.size())
    {
        size_t j = text.find_first_of("\r\n", i);
        if (j == std::string::npos)
            j = text.size();
        std::string line = Trim(text.substr(i, j - i));
        i = j + 1;
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[')
        {
            size_t close = line.rfind(']');
            if (close != std::string::npos)
            {
                section = Trim(line.substr(1, close - 1));
                continue;
            }
        }
        size_t eq = line.find('=');
        std::string value = eq == std::string::npos ? std::string() : Trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        entries.push_back(sLine{ section, Trim(line.substr(0, eq)), value });
    }
    return entries;
}

// True when a name is its own identity in the file: the line read back carries exactly this name
// (up to ASCII case), so no other name can land on the same entry. Outer blanks are trimmed away
// and control characters inside are not something every platform keeps, so neither is.
inline bool IsOwnIdentity(const std::string& name)
{
    auto control = [](unsigned char c) { return c < 0x20 || c == 0x7F; };
    return Trim(name) == name && std::none_of(name.begin(), name.end(), control);
}

// True when writing the key and reading it back gives the value under the very names written
// (not merely their trimmed forms), and the text holds nothing else.
inline bool RoundTrips(const std::string& section, const std::string& key, const std::string& value)
{
    const CString stored = orvou_settings_stored_form(CString(value.data(), (int)value.size()));
    // What the writer puts down for this key alone.
    const std::string written(stored, (size_t)stored.GetLength());
    const std::vector<sLine> lines = Read("[" + Trim(section) + "]\r\n" + Trim(key) + "=" + written + "\r\n");
    return lines.size() == 1 && IsOwnIdentity(section) && IsOwnIdentity(key) && SameName(lines[0].section, section) &&
           SameName(lines[0].key, key) && lines[0].value == value;
}

} // namespace ini_model
