// Settings files of the tools library, on real INI files in a scratch folder: what is written reads
// back whole, what cannot be stored is refused with the file left as it was, and a write that fails
// midway (a full disk, a cut copy) changes nothing.
#include "OrvoTools.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ReadRaw(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Removes a folder and everything below it (or only counts); gives the number of files it held.
int RemoveTree(const std::string& folder, bool remove = true)
{
    int files = 0;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &found))
    {
        const std::string name = found.cFileName, path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            files += remove && name != "." && name != ".." ? RemoveTree(path) : 0;
        else if (++files, remove)
        {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    }
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
    if (remove)
        RemoveDirectoryA(folder.c_str());
    return files;
}
int FilesIn(const std::string& folder) { return RemoveTree(folder, false); }

// Write seams: the disk fills up while the new copy is written, so the copy is cut in half or loses
// its last characters (the platform does not notice), or the write reports the full disk.
int Truncate(const char* pszNewFile, bool half)
{
    HANDLE file = CreateFileA(pszNewFile, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    size.QuadPart = half ? size.QuadPart / 2 : size.QuadPart - 4;
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    return 1;
}
int CutInHalf(const char* pszNewFile) { return Truncate(pszNewFile, true); }
int CutTheTail(const char* pszNewFile) { return Truncate(pszNewFile, false); }
int FailTheWrite(const char*) { SetLastError(ERROR_DISK_FULL); return 0; }

class SettingsFile : public ::testing::Test
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
        m_file = m_folder + "\\settings.ini";
        DWORD n = GetEnvironmentVariableA("APPDATA", m_savedAppData, MAX_PATH);
        m_hadAppData = n > 0 && n < MAX_PATH;
    }
    void TearDown() override
    {
        orvou_set_settings_write_seam(nullptr);
        SetEnvironmentVariableA("APPDATA", m_hadAppData ? m_savedAppData : nullptr);
        RemoveTree(m_folder);
    }

    int Op(int mode, const CString& section, const CString& key, CString& value, const std::string& file)
    {
        CString name = file.c_str();
        m_error = "stale";
        return orvou_ini_file_operations(mode, section, key, value, name, m_error);
    }
    int Write(const CString& section, const CString& key, const CString& value, const std::string& file = "")
    {
        CString v = value;
        return Op(1, section, key, v, file.empty() ? m_file : file);
    }
    int Read(const CString& section, const CString& key, const std::string& file = "")
    {
        m_value = "stale";
        return Op(0, section, key, m_value, file.empty() ? m_file : file);
    }
    int AppData(int mode, const char* section, const char* key, CString& value, const char* file)
    {
        CString f = file;
        m_error = "stale";
        return orvou_appdata_ini_file_operations(mode, section, key, value, f, m_error);
    }
    // A file of many sections: later ones are what a cut file loses.
    void FillSections()
    {
        ASSERT_EQ(1, Write("Orders", "COLUMNPROFILE", "0,0,80,1,1,90"));
        for (int i = 0; i < 20; ++i)
            ASSERT_EQ(1, Write(CString("List") + std::to_string(i).c_str(), "COLUMNPROFILE", "0,0,80,1,-1,0,2,1,95"));
    }

    // The call was refused and said why.
    bool Refused(const char* pszWhy = "") const
    {
        return !m_error.IsEmpty() && m_error != "stale" && (!*pszWhy || m_error.Find(pszWhy) != -1);
    }

    std::string m_folder, m_file;
    CString m_value, m_error;
    char m_savedAppData[MAX_PATH] = "";
    bool m_hadAppData = false;
};

} // namespace

TEST_F(SettingsFile, ValuesReadBackWholeAndOtherKeysAreKept)
{
    ASSERT_EQ(1, Write("Keep", "other", "still here"));
    std::string around;                          // around the first read buffer, and several KB
    for (int i = 0; i < 9000; ++i)
        around += char('a' + (i * 7) % 26);
    // Outer blanks and quotes (stored quoted), blanks and control-Z at either end, empty values.
    const std::string values[] = { "", "  padded  ", "\"quoted\"", "'single'", "a \"b\" c", "\tlead", "eof\x1a",
                                   "nbsp\xa0", " \t\v\f\x1a ", around.substr(0, 1024), around.substr(0, 1025), around };
    for (const std::string& value : values)
    {
        SCOPED_TRACE(value.substr(0, 40));
        ASSERT_EQ(1, Write("COLUMN PROFILE", "MarketWatch", value.c_str()));
        ASSERT_EQ(1, Read("COLUMN PROFILE", "MarketWatch"));
        EXPECT_EQ(value, std::string(m_value));
        EXPECT_TRUE(m_error.IsEmpty());
    }
    // Sections and keys are found whatever their case, and one name is one entry.
    ASSERT_EQ(1, Write("column profile", "MARKETWATCH", "2,0,50"));
    ASSERT_EQ(1, Read("COLUMN PROFILE", "MarketWatch"));
    EXPECT_STREQ("2,0,50", m_value);
    EXPECT_NE(std::string::npos, ReadRaw(m_file).find("[COLUMN PROFILE]"));
    ASSERT_EQ(1, Read("Keep", "other"));
    EXPECT_STREQ("still here", m_value);
}

// What the platform would store under another name, read back as something else, or cut, is refused
// and the file stays byte for byte as it was; what is not there reads as not found.
TEST_F(SettingsFile, WhatCannotBeStoredIsRefusedAndTheFileLeftAlone)
{
    ASSERT_EQ(1, Write("Orders", "k", "v"));
    const std::string before = ReadRaw(m_file), big(40000, 'm');
    struct Case { CString section, key, value; const char* why; };
    const Case refused[] = {
        { "Orders", "", "x", "" }, { "Ord]ers", "k", "x", "" }, { "Orders", "k", "x\r\n[Evil]\r\nk=y", "" },
        // Keys that would read as a section or a comment.
        { "Orders", ";k", "x", "" }, { "Orders", " [T]", "x", "" },
        // Names that would share their entry with another once trimmed.
        { "ORDERS ", "k", "x", "" }, { "Orders", "\x1a" "k", "x", "" },
        // Embedded NULs are refused, not cut.
        { "Orders", "k", CString("ab\0cd", 5), "NUL" }, { "Orders", CString("k\0x", 3), "v", "" },
        // Past the longest line the platform reads back; quoting outer blanks adds two.
        { "Orders", "k", CString((" " + big.substr(0, 32763) + " ").c_str()), "too long" },
    };
    for (const Case& c : refused)
    {
        SCOPED_TRACE(std::string(c.section.GetString()) + "|" + c.key.GetString() + "|" + std::string(c.value).substr(0, 20));
        EXPECT_EQ(0, Write(c.section, c.key, c.value));
        EXPECT_TRUE(Refused(c.why)) << m_error.GetString();
        EXPECT_EQ(c.section == "Orders" && c.key.GetLength() == 1 ? 1 : 0, Read(c.section, c.key));   // the old value stays
    }
    EXPECT_EQ(before, ReadRaw(m_file));
    // The longest value that fits is stored whole, quoted or not.
    for (const std::string& fits : { big.substr(0, 32766), " " + big.substr(0, 32762) + " " })
    {
        ASSERT_EQ(1, Write("Orders", "long", fits.c_str())) << m_error.GetString();
        ASSERT_EQ(1, Read("Orders", "long"));
        EXPECT_TRUE(fits == std::string(m_value));
    }
    // A missing key, section or file reads as not found, and creates nothing.
    const std::string nowhere = m_folder + "\\nowhere.ini";
    const struct { const char* section; const char* key; std::string file; } missing[] = {
        { "Orders", "absent", m_file }, { "Other", "k", m_file }, { "Orders", "k", nowhere }, { "Orders", "", m_file } };
    for (const auto& m : missing)
    {
        EXPECT_EQ(0, Read(m.section, m.key, m.file)) << m.section << "/" << m.key;
        EXPECT_STREQ("Settings not found", m_value);
        EXPECT_TRUE(Refused());
    }
    EXPECT_FALSE(Exists(nowhere));
    // After a failure, success clears the error text again.
    ASSERT_EQ(1, Read("Orders", "k"));
    EXPECT_STREQ("v", m_value);
    EXPECT_TRUE(m_error.IsEmpty());
    // A bad mode or an empty file name.
    CString value = "v";
    EXPECT_EQ(0, Op(2, "Orders", "k", value, m_file));
    EXPECT_TRUE(Refused());
    EXPECT_EQ(0, Op(1, "Orders", "k", value, ""));
    EXPECT_TRUE(Refused());
}

TEST_F(SettingsFile, AWriteThatFailsMidwayLeavesTheWholeFileAsItWas)
{
    struct sCase { const char* name; ORVOU_SETTINGS_WRITE_SEAM seam; const char* section; };
    const sCase cases[] = { { "disk fills up unnoticed", CutInHalf, "Orders" },
                            { "write reports a full disk", FailTheWrite, "Orders" },
                            // Found earlier: only the read-back compare sees a cut inside the value itself.
                            { "the written value itself is cut", CutTheTail, "List19" } };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        FillSections();
        const std::string before = ReadRaw(m_file);
        orvou_set_settings_write_seam(c.seam);
        EXPECT_EQ(0, Write(c.section, "COLUMNPROFILE", "0,1,80,1,0,90"));
        orvou_set_settings_write_seam(nullptr);
        EXPECT_TRUE(Refused());
        EXPECT_EQ(before, ReadRaw(m_file));
        EXPECT_EQ(1, FilesIn(m_folder)) << "the new copy is removed";
    }
    ASSERT_EQ(1, Read("List19", "COLUMNPROFILE"));
    EXPECT_STREQ("0,0,80,1,-1,0,2,1,95", m_value);

    // A first write that fails creates no file at all.
    DeleteFileA(m_file.c_str());
    orvou_set_settings_write_seam(FailTheWrite);
    EXPECT_EQ(0, Write("Orders", "COLUMNPROFILE", "1"));
    orvou_set_settings_write_seam(nullptr);
    EXPECT_EQ(0, FilesIn(m_folder));

    // A file in UTF-16 with its byte order mark, as some hosts keep them, is checked and kept whole too.
    const wchar_t text[] = L"\xFEFF[Orders]\r\nCOLUMNPROFILE=0,0,80\r\n[Trades]\r\nCOLUMNPROFILE=1,0,60\r\n";
    std::ofstream(m_file, std::ios::binary).write(reinterpret_cast<const char*>(text),
                                                 sizeof(text) - sizeof(wchar_t));
    const std::string before = ReadRaw(m_file);
    orvou_set_settings_write_seam(CutInHalf);
    EXPECT_EQ(0, Write("Orders", "COLUMNPROFILE", "2,0,50"));
    orvou_set_settings_write_seam(nullptr);
    EXPECT_EQ(before, ReadRaw(m_file));
    ASSERT_EQ(1, Write("Orders", "COLUMNPROFILE", "2,0,50")) << m_error.GetString();
    ASSERT_EQ(1, Read("Trades", "COLUMNPROFILE"));
    EXPECT_STREQ("1,0,60", m_value);
}

TEST_F(SettingsFile, FilesThatCannotBeWrittenAreRefusedWithTheReason)
{
    ASSERT_EQ(1, Write("S", "k", "before"));
    const std::string before = ReadRaw(m_file);
    ASSERT_TRUE(SetFileAttributesA(m_file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(0, Write("S", "k", "after"));
    EXPECT_TRUE(Refused("read-only")) << m_error;
    EXPECT_EQ(0, Write("S", "new", "x"));
    EXPECT_EQ(before, ReadRaw(m_file));
    ASSERT_EQ(1, Read("S", "k"));                // reading a read-only file is fine
    EXPECT_STREQ("before", m_value);
    SetFileAttributesA(m_file.c_str(), FILE_ATTRIBUTE_NORMAL);

    // A missing folder, a folder where the file should be, a device name, a path too long.
    const std::string prefix = m_folder + "\\";
    ASSERT_TRUE(CreateDirectoryA((prefix + "folder.ini").c_str(), nullptr));
    const struct { std::string name; const char* why; } files[] = {
        { prefix + "no-such-folder\\settings.ini", "" }, { prefix + "folder.ini", "" }, { prefix + "com1.ini", "device" },
        { prefix + std::string(260 - prefix.size() - 4, 'g') + ".ini", "too long" } };   // MAX_PATH or more
    for (const auto& f : files)
    {
        CString value = "v";
        EXPECT_EQ(0, Op(1, "S", "k", value, f.name)) << f.name;
        EXPECT_TRUE(Refused(f.why)) << f.name << ": " << m_error.GetString();
        EXPECT_STREQ("v", value);
        EXPECT_EQ(0, Read("S", "k", f.name)) << f.name;
        EXPECT_STREQ("Settings not found", m_value);
    }
    EXPECT_FALSE(Exists(prefix + "no-such-folder"));
    // One character shorter fits; nothing else was written anywhere in the folder.
    const std::string fits = prefix + std::string(259 - prefix.size() - 4, 'f') + ".ini";
    EXPECT_EQ(1, Write("S", "k", "v", fits)) << m_error;
    EXPECT_EQ(2, FilesIn(m_folder));
}

TEST_F(SettingsFile, RelativeAndApplicationDataNamesLandInTheirFolders)
{
    // A relative name resolves against the program's folder.
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string full = exe, exeFolder = full.substr(0, full.find_last_of("\\/"));
    const std::string base = full.substr(exeFolder.size() + 1, full.rfind('.') - exeFolder.size() - 1);
    const std::string name = "orvotools-relative-" + std::to_string(GetCurrentProcessId()) + ".ini";
    const std::string beside = exeFolder + "\\" + name;
    ASSERT_FALSE(Exists(beside));
    ASSERT_EQ(1, Write("S", "k", "here", name));
    EXPECT_NE(std::string::npos, ReadRaw(beside).find("k=here"));
    DeleteFileA(beside.c_str());

    // The application-data file: the user's folder under the program's name.
    char shell[MAX_PATH];
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, shell)));
    SetEnvironmentVariableA("APPDATA", nullptr);
    EXPECT_EQ(0, lstrcmpiA((std::string(shell) + "\\" + base).c_str(), orvou_get_appdata_folder()));

    // With APPDATA pointed at a scratch folder: reading creates nothing, writing creates the folder,
    // only the file name is used, and an empty name means the last named file.
    SetEnvironmentVariableA("APPDATA", m_folder.c_str());
    const std::string folder = m_folder + "\\" + base;
    EXPECT_EQ(0, lstrcmpiA(folder.c_str(), orvou_get_appdata_folder()));
    CString value;
    EXPECT_EQ(0, AppData(0, "CUSTOMIZE_LISTS", "Orders-1001", value, "Recovery.ini"));
    EXPECT_STREQ("Settings not found", value);
    EXPECT_FALSE(Exists(folder));
    value = "FFFFFF,0,Arial,10";
    ASSERT_EQ(1, AppData(1, "CUSTOMIZE_LISTS", "Orders-1001", value, "C:\\elsewhere\\Recovery.ini"));
    EXPECT_TRUE(Exists(folder + "\\Recovery.ini"));
    EXPECT_FALSE(Exists("C:\\elsewhere\\Recovery.ini"));
    value = "0,FFFFFF,Tahoma,9";
    ASSERT_EQ(1, AppData(1, "CUSTOMIZE_LISTS", "Orders-1001", value, ""));
    CString read;
    ASSERT_EQ(1, AppData(0, "CUSTOMIZE_LISTS", "Orders-1001", read, "Recovery.ini"));
    EXPECT_STREQ("0,FFFFFF,Tahoma,9", read);
    EXPECT_EQ(0, AppData(1, "CUSTOMIZE_LISTS", "Grid-7", value, "folder\\"));
    EXPECT_TRUE(Refused());
}

// The last named file is shared by every thread: naming and using it from several threads at once
// must neither crash nor hand a thread a torn name.
const char* const kThreadFiles[] = { "a.ini", "a-much-longer-settings-file-name-for-threads.ini", "b.ini",
                                     "b-much-longer-settings-file-name-for-threads.ini" };

DWORD WINAPI NamingThread(LPVOID pv)
{
    const char* pszName = static_cast<const char*>(pv);
    DWORD nBadErrors = 0;
    for (int i = 0; i < 4000; ++i)
    {
        CString value, error, file = (i % 2) ? CString() : CString(pszName);
        orvou_appdata_ini_file_operations(0, "S", "k", value, file, error);
        // The file is missing: the text names whichever file was used, whole.
        bool named = false;
        for (const char* candidate : kThreadFiles)
            named = named || std::strstr(error, (std::string("\\") + candidate + " not found").c_str()) != nullptr;
        nBadErrors += !named;
    }
    return nBadErrors;
}

TEST_F(SettingsFile, LastNamedFileIsSafeAcrossThreads)
{
    SetEnvironmentVariableA("APPDATA", m_folder.c_str());
    HANDLE handles[4];
    for (int i = 0; i < 4; ++i)
        handles[i] = CreateThread(nullptr, 0, NamingThread, (LPVOID)kThreadFiles[i], 0, nullptr);
    WaitForMultipleObjects(4, handles, TRUE, INFINITE);
    for (int i = 0; i < 4; ++i)
    {
        DWORD nBadErrors = 99;
        EXPECT_TRUE(GetExitCodeThread(handles[i], &nBadErrors));
        EXPECT_EQ(0u, nBadErrors) << kThreadFiles[i];
        CloseHandle(handles[i]);
    }
}
