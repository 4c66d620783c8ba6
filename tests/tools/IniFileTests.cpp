// Settings files of the tools library, on real INI files in a scratch folder.
#include "OrvoTools.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <string>

namespace {

std::string ReadRaw(const std::string& path)
{
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char chunk[4096];
    DWORD n = 0;
    while (ReadFile(file, chunk, sizeof chunk, &n, nullptr) && n > 0)
        text.append(chunk, n);
    CloseHandle(file);
    return text;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Removes a folder and everything below it.
void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string ExeFolderAndBase(std::string* base)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string full = path;
    size_t slash = full.find_last_of("\\/");
    std::string name = full.substr(slash + 1);
    if (base)
        *base = name.substr(0, name.rfind('.'));
    return full.substr(0, slash);
}

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

class IniFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static int counter = 0;
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        m_folder = std::string(temp) + "orvotools-" + std::to_string(GetCurrentProcessId()) + "-" +
                   std::to_string(++counter);
        ASSERT_TRUE(CreateDirectoryA(m_folder.c_str(), nullptr));
    }
    void TearDown() override { RemoveTree(m_folder); }

    // A fresh file per test: the profile functions cache recently used files.
    std::string FilePath(const char* name) const { return m_folder + "\\" + name; }

    int Write(const std::string& file, const CString& section, const CString& key, const CString& value)
    {
        CString v = value, f = file.c_str();
        m_error = "stale";
        return orvou_ini_file_operations(1, section, key, v, f, m_error);
    }
    int Read(const std::string& file, const CString& section, const CString& key)
    {
        CString f = file.c_str();
        m_value = "stale";
        m_error = "stale";
        return orvou_ini_file_operations(0, section, key, m_value, f, m_error);
    }

    std::string m_folder;
    CString m_value;
    CString m_error;
};

} // namespace

TEST_F(IniFile, WriteThenReadBackThroughARealIniFile)
{
    const std::string file = FilePath("roundtrip.ini");
    ASSERT_EQ(1, Write(file, "COLUMN PROFILE", "MarketWatch", "0,0,80,1,-1,0"));
    EXPECT_TRUE(m_error.IsEmpty());
    const std::string raw = ReadRaw(file);
    EXPECT_NE(std::string::npos, raw.find("[COLUMN PROFILE]"));
    EXPECT_NE(std::string::npos, raw.find("MarketWatch=0,0,80,1,-1,0"));

    ASSERT_EQ(1, Read(file, "COLUMN PROFILE", "MarketWatch"));
    EXPECT_STREQ("0,0,80,1,-1,0", m_value);
    EXPECT_TRUE(m_error.IsEmpty());

    // Keys and sections are found whatever their case, as the profile functions do.
    ASSERT_EQ(1, Read(file, "column profile", "MARKETWATCH"));
    EXPECT_STREQ("0,0,80,1,-1,0", m_value);
}

TEST_F(IniFile, MissingKeySectionOrFileGivesSettingsNotFound)
{
    const std::string file = FilePath("missing.ini");
    ASSERT_EQ(1, Write(file, "S", "present", "1"));

    EXPECT_EQ(0, Read(file, "S", "absent"));
    EXPECT_STREQ("Settings not found", m_value);
    EXPECT_FALSE(m_error.IsEmpty());

    EXPECT_EQ(0, Read(file, "Other", "present"));
    EXPECT_STREQ("Settings not found", m_value);
    EXPECT_FALSE(m_error.IsEmpty());

    const std::string nowhere = FilePath("nowhere.ini");
    EXPECT_EQ(0, Read(nowhere, "S", "present"));
    EXPECT_STREQ("Settings not found", m_value);
    EXPECT_FALSE(m_error.IsEmpty());
    EXPECT_FALSE(Exists(nowhere));

    // After a failure, success clears the error text again.
    EXPECT_EQ(1, Read(file, "S", "present"));
    EXPECT_TRUE(m_error.IsEmpty());
}

TEST_F(IniFile, EmptyValueIsNotAMissingKey)
{
    const std::string file = FilePath("empty.ini");
    ASSERT_EQ(1, Write(file, "S", "blank", ""));
    ASSERT_EQ(1, Read(file, "S", "blank"));
    EXPECT_STREQ("", m_value);
    EXPECT_TRUE(m_error.IsEmpty());
}

TEST_F(IniFile, OverwritingOneKeyKeepsTheOthers)
{
    const std::string file = FilePath("overwrite.ini");
    ASSERT_EQ(1, Write(file, "A", "k1", "one"));
    ASSERT_EQ(1, Write(file, "A", "k2", "two"));
    ASSERT_EQ(1, Write(file, "B", "k1", "other"));
    ASSERT_EQ(1, Write(file, "A", "k1", "uno"));

    ASSERT_EQ(1, Read(file, "A", "k1"));
    EXPECT_STREQ("uno", m_value);
    ASSERT_EQ(1, Read(file, "A", "k2"));
    EXPECT_STREQ("two", m_value);
    ASSERT_EQ(1, Read(file, "B", "k1"));
    EXPECT_STREQ("other", m_value);
}

TEST_F(IniFile, LongValuesAreReadWhole)
{
    const std::string file = FilePath("long.ini");
    // Around the first buffer size, and several kilobytes.
    for (int length : { 1022, 1023, 1024, 1025, 9000 })
    {
        std::string value;
        for (int i = 0; i < length; ++i)
            value += char('a' + (i * 7) % 26);
        ASSERT_EQ(1, Write(file, "Long", "value", value.c_str())) << length;
        ASSERT_EQ(1, Read(file, "Long", "value")) << length;
        EXPECT_EQ(length, m_value.GetLength());
        EXPECT_EQ(value, std::string(m_value));
    }
}

TEST_F(IniFile, OuterBlanksAndQuotesSurviveTheRoundTrip)
{
    const std::string file = FilePath("quotes.ini");
    for (const char* value : { "  padded  ", "\"quoted\"", "'single'", "tail\"", " ", "a \"b\" c" })
    {
        ASSERT_EQ(1, Write(file, "Q", "v", value)) << value;
        ASSERT_EQ(1, Read(file, "Q", "v")) << value;
        EXPECT_STREQ(value, m_value);
    }
}

TEST_F(IniFile, BadArgumentsAreRefusedAndTheFileIsLeftAlone)
{
    const std::string file = FilePath("guarded.ini");
    ASSERT_EQ(1, Write(file, "Keep", "k", "v"));
    const std::string before = ReadRaw(file);

    struct Case { const char* section; const char* key; const char* value; };
    const Case writes[] = { { "Keep", "", "x" },      { "", "k", "x" },        { "Keep", "a=b", "x" },
                            { "Ke]ep", "k", "x" },    { "Keep", "k\r\nz", "x" }, { "Keep", ";k", "x" },
                            { "Keep", "k", "x\r\n[Evil]\r\nk=y" } };
    for (const Case& c : writes)
    {
        EXPECT_EQ(0, Write(file, c.section, c.key, c.value)) << c.section << "/" << c.key;
        EXPECT_FALSE(m_error.IsEmpty());
    }
    EXPECT_EQ(before, ReadRaw(file));

    EXPECT_EQ(0, Read(file, "Keep", ""));
    EXPECT_STREQ("Settings not found", m_value);
    EXPECT_FALSE(m_error.IsEmpty());

    CString value = "v", name = file.c_str(), error;
    EXPECT_EQ(0, orvou_ini_file_operations(2, "Keep", "k", value, name, error));
    EXPECT_FALSE(error.IsEmpty());
    CString empty;
    EXPECT_EQ(0, orvou_ini_file_operations(1, "Keep", "k", value, empty, error));
    EXPECT_FALSE(error.IsEmpty());

    ASSERT_EQ(1, Read(file, "Keep", "k"));
    EXPECT_STREQ("v", m_value);
}

TEST_F(IniFile, FailedWriteReportsTheSystemError)
{
    const std::string file = FilePath("no-such-folder\\settings.ini");
    CString value = "v", name = file.c_str(), error;
    EXPECT_EQ(0, orvou_ini_file_operations(1, "S", "k", value, name, error));
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_STREQ("v", value);
    EXPECT_FALSE(Exists(file));

    // A folder where the file should be.
    const std::string folder = FilePath("folder.ini");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    name = folder.c_str();
    EXPECT_EQ(0, orvou_ini_file_operations(1, "S", "k", value, name, error));
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_EQ(0, orvou_ini_file_operations(0, "S", "k", value, name, error));
    EXPECT_STREQ("Settings not found", value);
}

TEST_F(IniFile, RelativeNamesResolveAgainstTheProgramFolder)
{
    const std::string name = "orvotools-relative-" + std::to_string(GetCurrentProcessId()) + ".ini";
    const std::string expected = ExeFolderAndBase(nullptr) + "\\" + name;
    ASSERT_FALSE(Exists(expected));
    ASSERT_EQ(1, Write(name, "S", "k", "here"));
    EXPECT_TRUE(Exists(expected));
    EXPECT_NE(std::string::npos, ReadRaw(expected).find("k=here"));
    ASSERT_EQ(1, Read(name, "S", "k"));
    EXPECT_STREQ("here", m_value);
    DeleteFileA(expected.c_str());
}

// The application-data file, first in the real folder, then with APPDATA pointed at a scratch one.
class AppDataIniFile : public IniFile
{
protected:
    void SetUp() override
    {
        IniFile::SetUp();
        DWORD n = GetEnvironmentVariableA("APPDATA", m_savedAppData, MAX_PATH);
        m_hadAppData = n > 0 && n < MAX_PATH;
        ExeFolderAndBase(&m_base);
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("APPDATA", m_hadAppData ? m_savedAppData : nullptr);
        IniFile::TearDown();
    }
    int AppData(int mode, const char* section, const char* key, CString& value, const char* file)
    {
        CString f = file;
        m_error = "stale";
        return orvou_appdata_ini_file_operations(mode, section, key, value, f, m_error);
    }

    char m_savedAppData[MAX_PATH] = "";
    bool m_hadAppData = false;
    std::string m_base;
};

TEST_F(AppDataIniFile, FileLandsInTheUsersAppDataFolderUnderTheProgramName)
{
    char shell[MAX_PATH];
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, shell)));
    SetEnvironmentVariableA("APPDATA", nullptr);
    const std::string folder = std::string(shell) + "\\" + m_base;
    EXPECT_TRUE(SamePath(folder, std::string(orvou_get_appdata_folder())));

    const bool folderExisted = Exists(folder);
    const std::string name = "orvotools-" + std::to_string(GetCurrentProcessId()) + ".ini";
    CString value = "YES";
    ASSERT_EQ(1, AppData(1, "MultiMonitor Settings", "197", value, name.c_str()));
    EXPECT_TRUE(m_error.IsEmpty());
    const std::string file = folder + "\\" + name;
    EXPECT_NE(std::string::npos, ReadRaw(file).find("197=YES"));

    CString read;
    ASSERT_EQ(1, AppData(0, "MultiMonitor Settings", "197", read, name.c_str()));
    EXPECT_STREQ("YES", read);

    DeleteFileA(file.c_str());
    if (!folderExisted)
        RemoveDirectoryA(folder.c_str());
}

TEST_F(AppDataIniFile, FolderIsCreatedOnWriteAndOnlyTheFileNameIsUsed)
{
    SetEnvironmentVariableA("APPDATA", m_folder.c_str());
    const std::string folder = m_folder + "\\" + m_base;
    EXPECT_TRUE(SamePath(folder, std::string(orvou_get_appdata_folder())));

    // Reading creates nothing.
    CString value;
    EXPECT_EQ(0, AppData(0, "CUSTOMIZE_LISTS", "Orders-1001", value, "Recovery.ini"));
    EXPECT_STREQ("Settings not found", value);
    EXPECT_FALSE(m_error.IsEmpty());
    EXPECT_FALSE(Exists(folder));

    value = "FFFFFF,0,Arial,10";
    ASSERT_EQ(1, AppData(1, "CUSTOMIZE_LISTS", "Orders-1001", value, "C:\\elsewhere\\Recovery.ini"));
    EXPECT_TRUE(Exists(folder + "\\Recovery.ini"));
    EXPECT_FALSE(Exists("C:\\elsewhere\\Recovery.ini"));

    CString read;
    ASSERT_EQ(1, AppData(0, "CUSTOMIZE_LISTS", "Orders-1001", read, "Recovery.ini"));
    EXPECT_STREQ("FFFFFF,0,Arial,10", read);
}

TEST_F(AppDataIniFile, EmptyFileNameAddressesTheLastNamedFile)
{
    SetEnvironmentVariableA("APPDATA", m_folder.c_str());
    CString value = "FFFFFF,0,Arial,10";
    ASSERT_EQ(1, AppData(1, "CUSTOMIZE_LISTS", "Grid-7", value, "Named.ini"));
    value = "0,FFFFFF,Tahoma,9";
    ASSERT_EQ(1, AppData(1, "CUSTOMIZE_LISTS", "Grid-7", value, ""));

    CString read;
    ASSERT_EQ(1, AppData(0, "CUSTOMIZE_LISTS", "Grid-7", read, "Named.ini"));
    EXPECT_STREQ("0,FFFFFF,Tahoma,9", read);

    EXPECT_EQ(0, AppData(1, "CUSTOMIZE_LISTS", "Grid-7", value, "folder\\"));
    EXPECT_FALSE(m_error.IsEmpty());
}

// --- what the platform cannot store ----------------------------------------------------------

TEST_F(IniFile, ValuesAtAndAboveTheLineLimitAreStoredWholeOrRefused)
{
    const std::string file = FilePath("limit.ini");
    ASSERT_EQ(1, Write(file, "Keep", "other", "still here"));
    ASSERT_EQ(1, Write(file, "Long", "v", "previous"));
    std::string stored = "previous";
    // The last length that fits, the first that does not, and well beyond; quoting adds two.
    for (int length : { 32764, 32765, 32766, 32767, 32768, 40000, 70000 })
    {
        for (bool quoted : { false, true })
        {
            std::string value(size_t(length), 'm');
            value.front() = quoted ? ' ' : 'a';
            value.back() = quoted ? ' ' : 'z';
            const int ok = Write(file, "Long", "v", CString(value.c_str()));
            if (length + (quoted ? 2 : 0) <= 32766)
            {
                EXPECT_EQ(1, ok) << length;
                stored = value;
            }
            else
            {
                EXPECT_EQ(0, ok) << length << (quoted ? " quoted" : "");
                EXPECT_NE(nullptr, std::strstr(m_error, "too long")) << m_error;
            }
            ASSERT_EQ(1, Read(file, "Long", "v")) << length;
            EXPECT_TRUE(stored == std::string(m_value)) << length << (quoted ? " quoted" : "");
            ASSERT_EQ(1, Read(file, "Keep", "other")) << length;
            EXPECT_STREQ("still here", m_value);
        }
    }
}

TEST_F(IniFile, ReadOnlyFileRefusesTheWrite)
{
    const std::string file = FilePath("readonly.ini");
    ASSERT_EQ(1, Write(file, "S", "k", "before"));
    const std::string before = ReadRaw(file);
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(0, Write(file, "S", "k", "after"));
    EXPECT_NE(nullptr, std::strstr(m_error, "read-only")) << m_error;
    EXPECT_EQ(0, Write(file, "S", "new", "x"));
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(before, ReadRaw(file));
    // Reading a read-only file is fine.
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_EQ(1, Read(file, "S", "k"));
    EXPECT_STREQ("before", m_value);
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(IniFile, KeysThatWouldReadAsSectionsOrCommentsAreRefused)
{
    const std::string file = FilePath("keys.ini");
    ASSERT_EQ(1, Write(file, "S", "k", "v"));
    const std::string before = ReadRaw(file);
    for (const char* key : { " [T]", "\t;note", " \t ;x", "[", "   ", "\t", "\x1a[x" })
    {
        CString k = key;
        EXPECT_EQ(0, Write(file, "S", k, "lost")) << key;
        EXPECT_FALSE(m_error.IsEmpty()) << key;
        EXPECT_EQ(0, Read(file, "S", k)) << key;
    }
    EXPECT_EQ(0, Write(file, "  ", "k", "v"));
    EXPECT_EQ(before, ReadRaw(file));
    // Blanks inside or around an ordinary key are the platform's business, as before.
    ASSERT_EQ(1, Write(file, "S", "a [b]", "inner"));
    ASSERT_EQ(1, Read(file, "S", "a [b]"));
    EXPECT_STREQ("inner", m_value);
}

TEST_F(IniFile, EmbeddedNulsAreRefusedNotCut)
{
    const std::string file = FilePath("embedded-nul.ini");
    ASSERT_EQ(1, Write(file, "S", "k", "before"));
    CString withNul("ab\0cd", 5);
    EXPECT_EQ(0, Write(file, "S", "k", withNul));
    EXPECT_NE(nullptr, std::strstr(m_error, "NUL")) << m_error;
    EXPECT_EQ(0, Write(file, CString("S\0x", 3), "k", "v"));
    EXPECT_EQ(0, Write(file, "S", CString("k\0x", 3), "v"));
    ASSERT_EQ(1, Read(file, "S", "k"));
    EXPECT_STREQ("before", m_value);
}

TEST_F(IniFile, PathsOfMaxPathOrMoreAreRefused)
{
    // Fill the name up to 259 and 260 characters.
    const std::string prefix = m_folder + "\\";
    ASSERT_LT(prefix.size() + 4, 259u);
    const std::string fits = prefix + std::string(259 - prefix.size() - 4, 'f') + ".ini";
    const std::string tooLong = prefix + std::string(260 - prefix.size() - 4, 'g') + ".ini";
    ASSERT_EQ(259u, fits.size());
    ASSERT_EQ(260u, tooLong.size());
    EXPECT_EQ(1, Write(fits, "S", "k", "v")) << m_error;
    ASSERT_EQ(1, Read(fits, "S", "k"));
    EXPECT_STREQ("v", m_value);

    EXPECT_EQ(0, Write(tooLong, "S", "k", "v"));
    EXPECT_NE(nullptr, std::strstr(m_error, "too long")) << m_error;
    EXPECT_EQ(0, Read(tooLong, "S", "k"));
    EXPECT_STREQ("Settings not found", m_value);
    EXPECT_EQ(0, Write(tooLong + std::string(40, 'h'), "S", "k", "v"));
    // Nothing was written anywhere in the folder but the file that fits.
    int files = 0;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((m_folder + "\\*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    do
        files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    while (FindNextFileA(find, &found));
    FindClose(find);
    EXPECT_EQ(1, files);
}

TEST_F(IniFile, ValuesEndingInAnyBlankOrControlZRoundTrip)
{
    const std::string file = FilePath("ends.ini");
    const char* values[] = { "tab\t", "\tlead", "v\v", "\fform", "eof\x1a", "\x1a", "nbsp\xa0",
                             "\xa0", " \t\v\f\x1a ", "in\x1a side" };
    for (const char* value : values)
    {
        ASSERT_EQ(1, Write(file, "E", "v", value)) << m_error;
        ASSERT_EQ(1, Read(file, "E", "v"));
        EXPECT_STREQ(value, m_value);
    }
}

// The last named file is shared by every thread: naming and using it from several threads at
// once must neither crash nor hand a thread a torn name.
struct sNamingThread
{
    std::string name;
    int nBadErrors = 0;
    int nCalls = 0;
};

DWORD WINAPI NamingThread(LPVOID pv)
{
    sNamingThread& t = *static_cast<sNamingThread*>(pv);
    for (int i = 0; i < 4000; ++i)
    {
        CString value, error;
        CString file = (i % 2) ? CString() : CString(t.name.c_str());
        orvou_appdata_ini_file_operations(0, "S", "k", value, file, error);
        ++t.nCalls;
        // The file is missing: the text names whichever file was used, whole.
        const std::string text = (LPCTSTR)error;
        bool named = false;
        for (const char* candidate : { "\\a.ini not found", "\\a-much-longer-settings-file-name-for-threads.ini not found",
                                       "\\b.ini not found", "\\b-much-longer-settings-file-name-for-threads.ini not found" })
            named = named || text.find(candidate) != std::string::npos;
        if (!named)
            ++t.nBadErrors;
    }
    return 0;
}

TEST_F(AppDataIniFile, LastNamedFileIsSafeAcrossThreads)
{
    SetEnvironmentVariableA("APPDATA", m_folder.c_str());
    sNamingThread threads[4];
    threads[0].name = "a.ini";
    threads[1].name = "a-much-longer-settings-file-name-for-threads.ini";
    threads[2].name = "b.ini";
    threads[3].name = "b-much-longer-settings-file-name-for-threads.ini";
    HANDLE handles[4];
    for (int i = 0; i < 4; ++i)
        handles[i] = CreateThread(nullptr, 0, NamingThread, &threads[i], 0, nullptr);
    WaitForMultipleObjects(4, handles, TRUE, INFINITE);
    for (int i = 0; i < 4; ++i)
    {
        CloseHandle(handles[i]);
        EXPECT_EQ(4000, threads[i].nCalls);
        EXPECT_EQ(0, threads[i].nBadErrors) << threads[i].name;
    }
}
