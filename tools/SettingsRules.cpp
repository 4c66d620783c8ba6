// Window-free argument checks of the settings-file operations (see SettingsRules.h).
#include "SettingsRules.h"

#include <cstdio>
#include <cstring>

namespace {

bool HasNul(const CString& s) { return std::strlen(s) != static_cast<size_t>(s.GetLength()); }

bool HasLineBreak(const CString& s)
{
    for (int i = 0; i < s.GetLength(); ++i)
        if (s[i] == '\r' || s[i] == '\n')
            return true;
    return false;
}

// Index of the first character that is not a blank; the length when there is none.
int FirstNonBlank(const CString& s)
{
    int i = 0;
    while (i < s.GetLength() && orvou_is_settings_blank(s[i]))
        ++i;
    return i;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

} // namespace

bool orvou_is_settings_blank(char c)
{
    // Wider than what any platform trims (white space, 0x1A): every control character, DEL and
    // the two Latin-1 spaces. Quoting more than needed costs nothing; quoting less loses text.
    const unsigned char u = static_cast<unsigned char>(c);
    return (u >= 0x01 && u <= 0x20) || u == 0x7F || u == 0x85 || u == 0xA0;
}

CString orvou_check_settings_arguments(int mode, const CString& section, const CString& key,
                                       const CString& value)
{
    if (section.IsEmpty())
        return "Settings section name is empty";
    if (HasNul(section))
        return "Settings section name holds a NUL character";
    if (FirstNonBlank(section) == section.GetLength() || section.FindOneOf("]\r\n") >= 0)
        return "Settings section name \"" + section + "\" is not valid";
    if (key.IsEmpty())
        return "Settings key name is empty";
    if (HasNul(key))
        return "Settings key name holds a NUL character";
    const int first = FirstNonBlank(key);
    if (first == key.GetLength() || key.FindOneOf("=\r\n") >= 0 || key[first] == ';' || key[first] == '[')
        return "Settings key name \"" + key + "\" is not valid";
    if (mode != 1)
        return CString();
    if (HasNul(value))
        return "Settings value for \"" + key + "\" holds a NUL character";
    if (HasLineBreak(value))
        return "Settings value for \"" + key + "\" holds a line break";
    const int stored = orvou_settings_stored_form(value).GetLength();
    if (stored > ORVOU_MAX_SETTINGS_VALUE)
    {
        char text[160];
        std::snprintf(text, sizeof text, "\" is too long to store (%d characters; at most %d)", stored,
                      ORVOU_MAX_SETTINGS_VALUE);
        return "Settings value for \"" + key + text;
    }
    return CString();
}

CString orvou_check_settings_path(const CString& path)
{
    if (path.IsEmpty())
        return "Settings file name is empty";
    if (HasNul(path))
        return "Settings file name holds a NUL character";
    if (path.GetLength() > ORVOU_MAX_SETTINGS_PATH)
    {
        char text[96];
        std::snprintf(text, sizeof text, " is too long (%d characters; at most %d)", path.GetLength(),
                      ORVOU_MAX_SETTINGS_PATH);
        return "Settings file path " + path.Left(60) + "..." + text;
    }
    return CString();
}

CString orvou_settings_stored_form(const CString& value)
{
    const int n = value.GetLength();
    if (n == 0)
        return value;
    const char first = value[0], last = value[n - 1];
    if (orvou_is_settings_blank(first) || orvou_is_settings_blank(last) || IsQuote(first) || IsQuote(last))
        return '"' + value + '"';
    return value;
}
