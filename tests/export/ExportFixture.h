// The export tests' fixture: the spreadsheet stand-in server registered (and unregistered after),
// its call record, file dialogs answered by path, and a table text source for exports too large
// to put in a list view.
#pragma once

#include "TestHost.h"
#include "TestSupport.h"
#include "export/ListExporter.h"

#include <functional>
#include <sstream>
#include <string>
#include <vector>

// The stand-in server's DLL, loaded next to this program, and its control functions.
class CStandInServer
{
public:
    ~CStandInServer()
    {
        if (m_hModule != nullptr)
            ::FreeLibrary(m_hModule);
    }
    std::vector<std::string> Log() const { return Calls(""); }
    // The recorded calls containing the text, in order.
    std::vector<std::string> Calls(const std::string& part) const
    {
        std::vector<std::string> found;
        std::istringstream in(m_pfnLog());
        for (std::string line; std::getline(in, line);)
            if (line.find(part) != std::string::npos)
                found.push_back(line);
        return found;
    }

private:
    static HMODULE Load()
    {
        char path[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, path, sizeof(path));
        const std::string dir(path);
        return ::LoadLibraryA((dir.substr(0, dir.find_last_of("\\/") + 1) + "ExcelStandIn.dll").c_str());
    }
    template <class F> F* Get(const char* name) { return m_hModule ? (F*)(void*)::GetProcAddress(m_hModule, name) : nullptr; }
    HMODULE m_hModule = Load();
    const char* (*m_pfnLog)() = Get<const char*()>("StandInLog");

public:
    HRESULT(WINAPI* Register)() = Get<HRESULT WINAPI()>("DllRegisterServer");
    HRESULT(WINAPI* Unregister)() = Get<HRESULT WINAPI()>("DllUnregisterServer");
    void (*Reset)() = Get<void()>("StandInReset");
    long (*Objects)() = Get<long()>("StandInObjectCount");
    void (*SetVersion)(const char*) = Get<void(const char*)>("StandInSetVersion");
    void (*FailOn)(DISPID, HRESULT, WORD, const char*) = Get<void(DISPID, HRESULT, WORD, const char*)>("StandInFailOn");
    void (*FailCreate)(HRESULT) = Get<void(HRESULT)>("StandInFailCreate");
};

// Cells of an export computed on demand: headings with their column types, then rows.
struct sTableSource
{
    std::vector<std::string> headings;
    std::vector<int> types;
    int nRows = 0;
    std::function<std::string(int nRow, int nColumn)> cell;   // nRow from 0, the first item

    static int Text(void* pContext, int nRow, int nColumn, CString& csText, int& nType)
    {
        const sTableSource& t = *static_cast<const sTableSource*>(pContext);
        csText = (nRow == 0 ? t.headings[(size_t)nColumn] : t.cell(nRow - 1, nColumn)).c_str();
        if (nRow != 0 || (size_t)nColumn < t.types.size())
            nType = nRow == 0 ? t.types[(size_t)nColumn] : -1;
        return 1;
    }
    int Export() { return CListExporter(nRows + 1, (int)headings.size(), &Text, this).Export(); }
};

class ExportTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ASSERT_TRUE(m_server.Register != nullptr && m_server.Register() == S_OK);
        m_server.Reset();
    }
    void TearDown() override
    {
        m_server.Unregister();
        HostTest::TearDown();
    }
    // The next file dialog answers with this path.
    void AnswerFile(const std::string& path)
    {
        m_script.m_commonAnswers.push_back([path](CCommonDialog* pDlg) {
            static_cast<CFileDialog*>(pDlg)->m_strPathName = path.c_str();
            return (INT_PTR)IDOK;
        });
    }
    // Message boxes as "caption: text".
    std::vector<std::string> Boxes() const
    {
        std::vector<std::string> boxes;
        for (const CModalRecord& r : m_script.m_records)
            if (r.kind == "message")
                boxes.push_back(std::string((LPCTSTR)r.caption) + ": " + (LPCTSTR)r.text);
        return boxes;
    }

    CStandInServer m_server;
};
