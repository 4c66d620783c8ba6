// Settings files of the host: one key of an INI file read or written through the private-profile
// functions, with the argument checks, path resolution and error texts those functions lack.
#include "OrvoTools.h"
#include "SettingsRules.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// Default handed to GetPrivateProfileString so that a missing key can be told from an empty value
// (a stored value equal to it is told apart by listing the section's keys).
const char kMissingMarker[] = "\x01orvou-missing-key\x01";
// Longest value read; a longer one is reported rather than cut.
const DWORD kMaxValueLength = 64u * 1024u * 1024u;

// The file most recently named to orvou_appdata_ini_file_operations, shared by every thread.
CString s_lastAppDataFile;
SRWLOCK s_lastAppDataFileLock = SRWLOCK_INIT;

bool IsSlash(char c) { return c == '\\' || c == '/'; }

bool IsAbsolutePath(const CString& path)
{
    if (path.GetLength() >= 2 && path[1] == ':')
        return true;
    return path.GetLength() >= 1 && IsSlash(path[0]);
}

CString FileNamePart(const CString& path)
{
    int cut = -1;
    for (int i = 0; i < path.GetLength(); ++i)
        if (IsSlash(path[i]) || path[i] == ':')
            cut = i;
    return path.Mid(cut + 1);
}

CString ModulePath()
{
    CString path;
    for (DWORD size = MAX_PATH;; size *= 2)
    {
        DWORD n = GetModuleFileNameA(nullptr, path.GetBuffer(int(size)), size);
        if (n < size)
        {
            path.ReleaseBuffer(int(n));
            return path;
        }
        path.ReleaseBuffer(0);
        if (size >= 32768)
            return CString();
    }
}

CString ExecutableFolder()
{
    CString path = ModulePath();
    int cut = -1;
    for (int i = 0; i < path.GetLength(); ++i)
        if (IsSlash(path[i]))
            cut = i;
    return cut < 0 ? CString() : path.Left(cut);
}

CString ExecutableBaseName()
{
    CString name = FileNamePart(ModulePath());
    int dot = name.ReverseFind('.');
    if (dot > 0)
        name = name.Left(dot);
    return name;
}

bool IsFolder(const CString& path)
{
    DWORD attr = GetFileAttributesA(path);
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

// "<what>: <system message> (error <n>)" for the current GetLastError.
CString SystemError(const CString& what)
{
    const DWORD code = GetLastError();
    char text[512] = "";
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, 0, text, sizeof text, nullptr);
    while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ' ||
                     text[n - 1] == '.'))
        text[--n] = '\0';
    char number[32];
    std::snprintf(number, sizeof number, " (error %lu)", static_cast<unsigned long>(code));
    CString result = what;
    if (n > 0)
    {
        result += ": ";
        result += text;
    }
    result += number;
    return result;
}

// Reads one profile string, growing the buffer until it fits. For a key list (key null) the
// function reports truncation with size - 2, for a value with size - 1.
bool ReadProfile(LPCSTR section, LPCSTR key, LPCSTR def, const CString& path, CString& out)
{
    const DWORD truncated = key ? 1 : 2;
    for (DWORD size = 1024;; size *= 2)
    {
        char* buf = out.GetBuffer(int(size));
        DWORD n = GetPrivateProfileStringA(section, key, def, buf, size, path);
        if (n + truncated < size)
        {
            // A key list is a run of terminated names; the length keeps the nulls inside.
            out.ReleaseBuffer(int(n));
            return true;
        }
        out.ReleaseBuffer(0);
        if (size >= kMaxValueLength)
            return false;
    }
}

bool KeyExists(const CString& section, const CString& key, const CString& path)
{
    CString names;
    if (!ReadProfile(section, nullptr, "", path, names))
        return false;
    CString wanted = key;
    wanted.Trim();
    LPCSTR p = names;
    LPCSTR end = p + names.GetLength();
    while (p < end && *p)
    {
        if (wanted.CompareNoCase(p) == 0)
            return true;
        p += lstrlenA(p) + 1;
    }
    return false;
}

int ReadKey(const CString& section, const CString& key, CString& value, const CString& path,
            CString& error)
{
    const DWORD attr = GetFileAttributesA(path);
    if (attr == INVALID_FILE_ATTRIBUTES)
    {
        const DWORD code = GetLastError();
        error = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND
                    ? "Settings file " + path + " not found"
                    : SystemError("Cannot read settings file " + path);
        return 0;
    }
    if (attr & FILE_ATTRIBUTE_DIRECTORY)
    {
        error = "Settings file " + path + " is a folder";
        return 0;
    }
    // The private-profile functions report an unreadable file as an empty one; ask first.
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
    {
        error = SystemError("Cannot read settings file " + path);
        return 0;
    }
    CloseHandle(file);

    CString text;
    if (!ReadProfile(section, key, kMissingMarker, path, text))
    {
        error = "Settings value [" + section + "] " + key + " in " + path + " is too long";
        return 0;
    }
    if (text == kMissingMarker && !KeyExists(section, key, path))
    {
        error = orvou_missing_key_error_start(section, key) + path;
        return 0;
    }
    value = text;
    return 1;
}

// Every entry of a settings file as the profile functions list it: per section its name and its
// lines ("key=value", as stored). The whole-file check of a write compares these for files in
// UTF-16 (the profile functions read those; the byte check below does not).
struct sSectionText
{
    CString name;
    CString lines;   // the section's lines, each ended by a NUL
};

bool ReadAllSections(const CString& path, std::vector<sSectionText>& sections)
{
    sections.clear();
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return true;   // no file: no entries
    CString names;
    if (!ReadProfile(nullptr, nullptr, "", path, names))
        return false;
    for (LPCSTR p = names, end = p + names.GetLength(); p < end && *p; p += lstrlenA(p) + 1)
    {
        sSectionText section;
        section.name = p;
        for (DWORD size = 4096;; size *= 2)
        {
            char* buf = section.lines.GetBuffer(int(size));
            const DWORD n = GetPrivateProfileSectionA(p, buf, size, path);
            if (n + 2 < size)
            {
                section.lines.ReleaseBuffer(int(n));
                break;
            }
            section.lines.ReleaseBuffer(0);
            if (size >= kMaxValueLength)
                return false;
        }
        sections.push_back(section);
    }
    return true;
}

// The lines of a section without the one of the given key (names compared as the file does).
CString WithoutKey(const CString& lines, const CString& key)
{
    CString result;
    for (LPCSTR p = lines, end = p + lines.GetLength(); p < end; p += lstrlenA(p) + 1)
    {
        CString line = p;
        const int eq = line.Find('=');
        CString name = eq < 0 ? line : line.Left(eq);
        name.Trim();
        if (name.CompareNoCase(key) == 0)
            continue;
        result += line;
        result += '\0';
    }
    return result;
}

// True when the new file holds every entry of the old one unchanged, apart from the key written.
bool KeepsEveryOtherEntry(const std::vector<sSectionText>& before, const std::vector<sSectionText>& after,
                          const CString& section, const CString& key)
{
    size_t j = 0;
    for (const sSectionText& old : before)
    {
        while (j < after.size() && after[j].name.CompareNoCase(old.name) != 0)
            ++j;
        if (j == after.size())
            return false;
        const bool target = old.name.CompareNoCase(section) == 0;
        if (target ? WithoutKey(old.lines, key) != WithoutKey(after[j].lines, key) : old.lines != after[j].lines)
            return false;
        ++j;
    }
    return true;
}

// The same check on the file's bytes, for the usual 8-bit files: the profile functions reopen the
// file for every section asked (about a millisecond each under Wine), which made a write into a
// file of a thousand keys cost a tenth of a second. Both files are read the same way, so only
// what a rewrite really changes shows: lines are trimmed, comments and blank lines skipped, and a
// key line is its section, its trimmed name and its trimmed value.
struct sEntryLine
{
    CString section;
    CString key;
    CString rest;   // "=" and the value, or empty for a line without "="
};

// The whole file; false when it cannot be read. A missing file reads as empty.
bool ReadBytes(const CString& path, CString& bytes)
{
    bytes.Empty();
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < kMaxValueLength;
    if (ok && size.QuadPart > 0)
    {
        DWORD read = 0;
        char* buf = bytes.GetBuffer(int(size.QuadPart));
        ok = ReadFile(file, buf, DWORD(size.QuadPart), &read, nullptr) && read == DWORD(size.QuadPart);
        bytes.ReleaseBuffer(ok ? int(read) : 0);
    }
    CloseHandle(file);
    return ok;
}

bool IsUnicodeText(const CString& bytes)
{
    const int n = bytes.GetLength();
    const unsigned char a = n > 0 ? (unsigned char)bytes[0] : 0, b = n > 1 ? (unsigned char)bytes[1] : 0;
    return (a == 0xFF && b == 0xFE) || (a == 0xFE && b == 0xFF) || (a == 0xEF && b == 0xBB);
}

bool IsLineBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

CString TrimLine(const char* p, int n)
{
    int a = 0;
    while (a < n && IsLineBlank(p[a]))
        ++a;
    while (n > a && IsLineBlank(p[n - 1]))
        --n;
    return CString(p + a, n - a);
}

std::vector<sEntryLine> ParseEntryLines(const CString& bytes)
{
    std::vector<sEntryLine> entries;
    CString section;
    const char* p = bytes;
    const int n = bytes.GetLength();
    for (int i = 0; i < n;)
    {
        int j = i;
        while (j < n && p[j] != '\r' && p[j] != '\n')
            ++j;
        const CString line = TrimLine(p + i, j - i);
        i = j + 1;
        if (line.IsEmpty() || line[0] == ';')
            continue;
        const int close = line.ReverseFind(']');
        if (line[0] == '[' && close > 0)
        {
            section = TrimLine(line.GetString() + 1, close - 1);
            continue;
        }
        sEntryLine entry;
        entry.section = section;
        const int eq = line.Find('=');
        entry.key = TrimLine(line, eq < 0 ? line.GetLength() : eq);
        if (eq >= 0)
            entry.rest = "=" + TrimLine(line.GetString() + eq + 1, line.GetLength() - eq - 1);
        entries.push_back(entry);
    }
    return entries;
}

// True when both texts hold the same entries apart from the key written.
bool SameEntriesBesidesKey(const CString& before, const CString& after, const CString& section, const CString& key)
{
    auto Others = [&](const CString& bytes) {
        std::vector<sEntryLine> entries = ParseEntryLines(bytes), kept;
        for (sEntryLine& entry : entries)
            if (entry.section.CompareNoCase(section) != 0 || entry.key.CompareNoCase(key) != 0)
                kept.push_back(entry);
        return kept;
    };
    const std::vector<sEntryLine> a = Others(before), b = Others(after);
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].section != b[i].section || a[i].key != b[i].key || a[i].rest != b[i].rest)
            return false;
    return true;
}

// One writer at a time per process: two writes of the same file would each replace it with their
// own copy, and one of them would be lost.
SRWLOCK s_writeLock = SRWLOCK_INIT;
ORVOU_SETTINGS_WRITE_SEAM s_writeSeam = nullptr;

// A settings write is all or nothing for the whole file: the new file is made beside the old one
// (a copy with the key written), checked entry by entry, flushed, and only then moved over the
// old one in one step. A failure anywhere leaves the old file as it was.
int WriteKey(const CString& section, const CString& key, const CString& value, const CString& path,
             CString& error)
{
    const DWORD attr = GetFileAttributesA(path);
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY))
    {
        error = "Settings file " + path + " is a folder";
        return 0;
    }
    // Asked here: the profile functions write through the attribute when the process may (Wine
    // running as root does).
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_READONLY))
    {
        error = "Settings file " + path + " is read-only";
        return 0;
    }

    AcquireSRWLockExclusive(&s_writeLock);
    // A name of its own per write: the profile functions cache files by name and write time, and
    // a copy keeps its original's write time.
    static unsigned long s_nWrite = 0;
    CString temp;
    temp.Format("%s.%lx-%lx.new", (LPCSTR)path, static_cast<unsigned long>(GetCurrentProcessId()), ++s_nWrite);
    if (temp.GetLength() > ORVOU_MAX_SETTINGS_PATH)
    {
        // A long path: a short name in the same folder, so the move stays one step.
        const int slash = path.ReverseFind('\\');
        temp.Format("%s\\~%lx.tmp", (LPCSTR)path.Left(slash < 0 ? 0 : slash), s_nWrite);
    }
    int ok = 0;
    std::vector<sSectionText> before, after;
    CString stored, bytesBefore, bytesAfter;
    bool unicode = false;
    if (temp.GetLength() > ORVOU_MAX_SETTINGS_PATH)
        error = "Settings file path " + path + " leaves no room for the new file beside it";
    else if (!ReadBytes(path, bytesBefore) || ((unicode = IsUnicodeText(bytesBefore)) && !ReadAllSections(path, before)))
        error = "Settings file " + path + " cannot be read whole";
    else if (attr != INVALID_FILE_ATTRIBUTES && !CopyFileA(path, temp, FALSE))
        error = SystemError("Cannot write settings file " + temp);
    else if (attr == INVALID_FILE_ATTRIBUTES && !DeleteFileA(temp) && GetLastError() != ERROR_FILE_NOT_FOUND)
        error = SystemError("Cannot write settings file " + temp);
    else if (!WritePrivateProfileStringA(section, key, orvou_settings_stored_form(value), temp))
        error = SystemError("Cannot write settings file " + temp);
    else if (s_writeSeam != nullptr && !s_writeSeam(temp))
        error = SystemError("Cannot write settings file " + temp);
    // Success means the value reads back whole and nothing else changed, whatever the platform
    // did with the file on the way (a full disk cuts it short).
    else if (!ReadProfile(section, key, kMissingMarker, temp, stored) || stored != value ||
             (unicode ? !ReadAllSections(temp, after) || !KeepsEveryOtherEntry(before, after, section, key)
                      : !ReadBytes(temp, bytesAfter) || !SameEntriesBesidesKey(bytesBefore, bytesAfter, section, key)))
        error = "Settings value [" + section + "] " + key + " in " + path + " was not stored whole";
    else
    {
        HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        const bool flushed = file != INVALID_HANDLE_VALUE && FlushFileBuffers(file);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        if (!flushed)
            error = SystemError("Cannot write settings file " + temp);
        else if (!MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            error = SystemError("Cannot replace settings file " + path);
        else
            ok = 1;
    }
    if (!ok)
        DeleteFileA(temp);
    ReleaseSRWLockExclusive(&s_writeLock);
    return ok;
}

int Operate(int mode, const CString& section, const CString& key, CString& value,
            const CString& path, CString& error)
{
    int ok = mode == 0 ? ReadKey(section, key, value, path, error)
                       : WriteKey(section, key, value, path, error);
    if (ok)
        error.Empty();
    else if (mode == 0)
        value = ORVOU_SETTINGS_NOT_FOUND;
    return ok;
}

// Common start of both operations; false when the call is refused (error and value set).
bool Accept(int mode, const CString& section, const CString& key, CString& value, CString& error)
{
    if (mode != 0 && mode != 1)
    {
        char text[64];
        std::snprintf(text, sizeof text, "Unknown settings operation %d", mode);
        error = text;
        return false;
    }
    error = orvou_check_settings_arguments(mode, section, key, value);
    if (error.IsEmpty())
        return true;
    if (mode == 0)
        value = ORVOU_SETTINGS_NOT_FOUND;
    return false;
}

int Refuse(int mode, CString& value, CString& error, const CString& text)
{
    error = text;
    if (mode == 0)
        value = ORVOU_SETTINGS_NOT_FOUND;
    return 0;
}

} // namespace

int orvou_ini_file_operations(int mode, CString section, CString key, CString& value,
                              CString& fileName, CString& error)
{
    if (!Accept(mode, section, key, value, error))
        return 0;
    if (fileName.IsEmpty())
        return Refuse(mode, value, error, "Settings file name is empty");
    CString path = fileName;
    if (!IsAbsolutePath(path))
    {
        CString folder = ExecutableFolder();
        if (folder.IsEmpty())
            return Refuse(mode, value, error, SystemError("Cannot find the program's folder"));
        path = folder + "\\" + fileName;
    }
    CString pathError = orvou_check_settings_path(path);
    if (!pathError.IsEmpty())
        return Refuse(mode, value, error, pathError);
    return Operate(mode, section, key, value, path, error);
}

int orvou_appdata_ini_file_operations(int mode, CString section, CString key, CString& value,
                                      CString& fileName, CString& error)
{
    if (!Accept(mode, section, key, value, error))
        return 0;
    CString name = FileNamePart(fileName);
    if (fileName.IsEmpty())
    {
        AcquireSRWLockShared(&s_lastAppDataFileLock);
        name = s_lastAppDataFile; // a copy: the shared text is never handed out
        ReleaseSRWLockShared(&s_lastAppDataFileLock);
        if (name.IsEmpty())
            name = ExecutableBaseName() + ".ini";
    }
    else if (name.IsEmpty() || name == "." || name == ".." || std::strlen(name) != size_t(name.GetLength()))
    {
        return Refuse(mode, value, error, "Settings file name \"" + fileName + "\" is not valid");
    }
    else
    {
        CString previous;
        AcquireSRWLockExclusive(&s_lastAppDataFileLock);
        previous = std::move(s_lastAppDataFile);
        s_lastAppDataFile = name;
        ReleaseSRWLockExclusive(&s_lastAppDataFileLock);
    }

    CString folder = orvou_get_appdata_folder();
    if (folder.IsEmpty())
        return Refuse(mode, value, error, "The application data folder is not available");
    const CString path = folder + "\\" + name;
    CString pathError = orvou_check_settings_path(path);
    if (!pathError.IsEmpty())
        return Refuse(mode, value, error, pathError);
    if (mode == 1 && !IsFolder(folder) && !CreateDirectoryA(folder, nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS)
        return Refuse(mode, value, error, SystemError("Cannot create the folder " + folder));
    return Operate(mode, section, key, value, path, error);
}

ORVOU_SETTINGS_WRITE_SEAM orvou_set_settings_write_seam(ORVOU_SETTINGS_WRITE_SEAM seam)
{
    AcquireSRWLockExclusive(&s_writeLock);
    ORVOU_SETTINGS_WRITE_SEAM previous = s_writeSeam;
    s_writeSeam = seam;
    ReleaseSRWLockExclusive(&s_writeLock);
    return previous;
}

CString orvou_get_appdata_folder()
{
    CString base;
    DWORD n = GetEnvironmentVariableA("APPDATA", base.GetBuffer(MAX_PATH), MAX_PATH);
    base.ReleaseBuffer(n < MAX_PATH ? int(n) : 0);
    if (base.IsEmpty() || !IsFolder(base))
    {
        char shell[MAX_PATH] = "";
        base = SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, shell))
                   ? CString(shell)
                   : CString();
    }
    if (base.IsEmpty())
        return base;
    base.TrimRight("\\/");
    return base + "\\" + ExecutableBaseName();
}
