// A settings write that fails midway (a full disk, a refused name) leaves the file as it was and
// tells the caller; names that differ only by outer blanks or control characters, and device
// names, are refused instead of landing on another entry.
#include "OrvoTools.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ReadRaw(const std::string& path)
{
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char chunk[4096];
    DWORD n = 0;
    while (ReadFile(file, chunk, sizeof chunk, &n, nullptr) && n > 0)
        text.append(chunk, n);
    CloseHandle(file);
    return text;
}

int FilesIn(const std::string& folder)
{
    int n = 0;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do
        n += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    while (FindNextFileA(find, &found));
    FindClose(find);
    return n;
}

// The disk fills up while the new file is written: what reaches the disk stops at half.
int CutInHalf(const char* pszNewFile)
{
    HANDLE file = CreateFileA(pszNewFile, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    size.QuadPart /= 2;
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    return 1;   // the platform did not notice
}
// The disk fills up just before the end: the last value written loses its last characters,
// everything before it is whole.
int CutTheTail(const char* pszNewFile)
{
    HANDLE file = CreateFileA(pszNewFile, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    size.QuadPart -= 4;
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    return 1;
}
int FailTheWrite(const char*) { SetLastError(ERROR_DISK_FULL); return 0; }

class SettingsWriteFailure : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static int counter = 0;
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        m_folder = std::string(temp) + "orvo-write-" + std::to_string(GetCurrentProcessId()) + "-" +
                   std::to_string(++counter);
        ASSERT_TRUE(CreateDirectoryA(m_folder.c_str(), nullptr));
        m_file = m_folder + "\\settings.ini";
    }
    void TearDown() override
    {
        orvou_set_settings_write_seam(nullptr);
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((m_folder + "\\*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE)
        {
            do
                DeleteFileA((m_folder + "\\" + found.cFileName).c_str());
            while (FindNextFileA(find, &found));
            FindClose(find);
        }
        RemoveDirectoryA(m_folder.c_str());
    }
    int Op(int mode, const CString& section, const CString& key, CString& value, const std::string& file)
    {
        CString name = file.c_str();
        m_error.Empty();
        return orvou_ini_file_operations(mode, section, key, value, name, m_error);
    }
    int Write(const CString& section, const CString& key, const char* pszValue)
    {
        CString value = pszValue;
        return Op(1, section, key, value, m_file);
    }
    CString Read(const CString& section, const CString& key)
    {
        CString value;
        Op(0, section, key, value, m_file);
        return value;
    }

    std::string m_folder, m_file;
    CString m_error;
};

} // namespace

TEST_F(SettingsWriteFailure, AWriteThatFailsMidwayLeavesTheWholeFileAsItWas)
{
    struct sCase { const char* name; ORVOU_SETTINGS_WRITE_SEAM seam; const char* section; };
    const sCase cases[] = { { "disk fills up unnoticed", CutInHalf, "Orders" },
                            { "write reports a full disk", FailTheWrite, "Orders" },
                            { "the written value itself is cut", CutTheTail, "List19" } };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        // Later sections are what a cut file loses.
        ASSERT_EQ(1, Write("Orders", "COLUMNPROFILE", "0,0,80,1,1,90"));
        for (int i = 0; i < 20; ++i)
            ASSERT_EQ(1, Write(CString("List") + std::to_string(i).c_str(), "COLUMNPROFILE", "0,0,80,1,-1,0,2,1,95"));
        const std::string before = ReadRaw(m_file);

        orvou_set_settings_write_seam(c.seam);
        EXPECT_EQ(0, Write(c.section, "COLUMNPROFILE", "0,1,80,1,0,90"));
        orvou_set_settings_write_seam(nullptr);
        EXPECT_FALSE(m_error.IsEmpty());
        EXPECT_EQ(before, ReadRaw(m_file));
        EXPECT_STREQ("0,0,80,1,1,90", Read("Orders", "COLUMNPROFILE"));
        EXPECT_STREQ("0,0,80,1,-1,0,2,1,95", Read("List19", "COLUMNPROFILE"));
        EXPECT_EQ(1, FilesIn(m_folder)) << "the new file is removed";
    }
    // A first write that fails creates no file at all.
    DeleteFileA(m_file.c_str());
    orvou_set_settings_write_seam(FailTheWrite);
    EXPECT_EQ(0, Write("Orders", "COLUMNPROFILE", "1"));
    orvou_set_settings_write_seam(nullptr);
    EXPECT_EQ(0, FilesIn(m_folder));
}

TEST_F(SettingsWriteFailure, NamesThatWouldShareAnEntryAreRefusedAndTheOtherEntryKept)
{
    ASSERT_EQ(1, Write("Orders", "COLUMNPROFILE", "0,0,80"));
    const struct { CString section, key; } refused[] = {
        { "ORDERS ", "COLUMNPROFILE" }, { " Orders", "COLUMNPROFILE" }, { "Orders\t", "COLUMNPROFILE" },
        { "Or\x01" "ders", "COLUMNPROFILE" }, { "Orders", "COLUMNPROFILE " }, { "Orders", "\x1a" "COLUMNPROFILE" },
    };
    for (const auto& r : refused)
    {
        EXPECT_EQ(0, Write(r.section, r.key, "1,-1,0")) << r.section.GetString() << "|" << r.key.GetString();
        EXPECT_FALSE(m_error.IsEmpty());
        CString value;
        EXPECT_EQ(0, Op(0, r.section, r.key, value, m_file));
    }
    EXPECT_STREQ("0,0,80", Read("Orders", "COLUMNPROFILE"));
    // Case is not a difference: one name, one entry.
    ASSERT_EQ(1, Write("ORDERS", "columnprofile", "2,0,50"));
    EXPECT_STREQ("2,0,50", Read("Orders", "COLUMNPROFILE"));
}

TEST_F(SettingsWriteFailure, DeviceNamesAreRefusedRatherThanOpened)
{
    for (const char* name : { "nul", "aux.ini", "CON", "com1.ini", "lpt2", "settings.ini." })
    {
        CString value = "1";
        EXPECT_EQ(0, Op(1, "S", "k", value, m_folder + "\\" + name)) << name;
        EXPECT_NE(-1, m_error.Find(name[0] == 's' ? "dot" : "device")) << name << ": " << m_error.GetString();
        value.Empty();
        EXPECT_EQ(0, Op(0, "S", "k", value, name)) << name;
    }
}

TEST_F(SettingsWriteFailure, UnicodeFilesAreCheckedAndKeptWholeToo)
{
    // A file in UTF-16 with its byte order mark, as some hosts keep them.
    const wchar_t text[] = L"\xFEFF[Orders]\r\nCOLUMNPROFILE=0,0,80\r\n[Trades]\r\nCOLUMNPROFILE=1,0,60\r\n";
    HANDLE file = CreateFileA(m_file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, text, sizeof(text) - sizeof(wchar_t), &written, nullptr);
    CloseHandle(file);
    const std::string before = ReadRaw(m_file);

    orvou_set_settings_write_seam(CutInHalf);
    EXPECT_EQ(0, Write("Orders", "COLUMNPROFILE", "2,0,50"));
    orvou_set_settings_write_seam(nullptr);
    EXPECT_EQ(before, ReadRaw(m_file));

    ASSERT_EQ(1, Write("Orders", "COLUMNPROFILE", "2,0,50")) << m_error.GetString();
    EXPECT_STREQ("2,0,50", Read("Orders", "COLUMNPROFILE"));
    EXPECT_STREQ("1,0,60", Read("Trades", "COLUMNPROFILE"));
}
