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

bool IsControl(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

// Names are found after trimming, so a name with outer blanks or a control character inside would
// share its line with another name ("ORDERS " and "ORDERS"); such names are refused, not merged.
bool IsAmbiguousName(const CString& s)
{
    const int n = s.GetLength();
    if (n == 0 || orvou_is_settings_blank(s[0]) || orvou_is_settings_blank(s[n - 1]))
        return true;
    for (int i = 0; i < n; ++i)
        if (IsControl(s[i]))
            return true;
    return false;
}

// The platform opens a device instead of a file for these names, whatever the extension
// ("nul", "aux.ini", "COM1.txt ").
bool IsDeviceName(CString name)
{
    const int dot = name.Find('.');
    if (dot >= 0)
        name = name.Left(dot);
    name.TrimRight(" ");
    name.MakeUpper();
    static const char* const kDevices[] = { "CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$" };
    for (const char* device : kDevices)
        if (name == device)
            return true;
    if (name.GetLength() == 4 && (name.Left(3) == "COM" || name.Left(3) == "LPT"))
    {
        const unsigned char digit = static_cast<unsigned char>(name[3]);
        // Superscript one, two and three of the ANSI code page count as digits here too.
        return (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    }
    return false;
}

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
    if (IsAmbiguousName(section))
        return "Settings section name \"" + section + "\" starts or ends with a blank or holds a control character";
    if (key.IsEmpty())
        return "Settings key name is empty";
    if (HasNul(key))
        return "Settings key name holds a NUL character";
    const int first = FirstNonBlank(key);
    if (first == key.GetLength() || key.FindOneOf("=\r\n") >= 0 || key[first] == ';' || key[first] == '[')
        return "Settings key name \"" + key + "\" is not valid";
    if (IsAmbiguousName(key))
        return "Settings key name \"" + key + "\" starts or ends with a blank or holds a control character";
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
    int cut = -1;
    for (int i = 0; i < path.GetLength(); ++i)
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':')
            cut = i;
    const CString name = path.Mid(cut + 1);
    if (name.IsEmpty())
        return "Settings file path " + path + " names a folder";
    if (IsDeviceName(name))
        return "Settings file name " + name + " is a device name";
    // The platform drops trailing dots and blanks: "a.ini." would be "a.ini" under another name.
    const char last = name[name.GetLength() - 1];
    if (last == '.' || last == ' ')
        return "Settings file name \"" + name + "\" ends with a dot or a blank";
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
