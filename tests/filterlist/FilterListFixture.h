// A filter list the way a host uses one: a host window (a recording parent that populates the
// list when a filter changes), the list as its child in filter mode, and instrument rows whose
// texts come from the host's column text routine.
#pragma once

#include "TestHost.h"
#include "TestSupport.h"
#include "WindowPicture.h"
#include "filter/FilterListCtrl.h"
#include <OrvoTools.h>

#include <deque>
#include <string>
#include <vector>

struct sInstrument
{
    std::string symbol;
    std::string price = "1";
    std::string exchange = "NSE";
};

class FilterListTest : public HostTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Columns Symbol (0), Price (1), Exchange (2), plus the given formula columns (stored form);
    // the plain text routine; InsertColumnsForList; filter mode on.
    void Build(std::vector<std::string> formulas = {});
    // Appends a row the usual way (insert at 0, data of row 0); returns SetItemData's result.
    int Add(const char* symbol, const char* price = "1", const char* exchange = "NSE");
    // Rows appended in order (map index = position), each accepted.
    void Rows(const std::vector<sInstrument>& rows);
    sInstrument* Row(size_t i) { return &m_rows[i]; }
    // Column texts of the shown rows, top to bottom, as the platform list reads them
    // (LVM_GETITEMTEXT, answered through LVN_GETDISPINFO).
    std::vector<std::string> Shown(int nPosition = 0);
    std::vector<std::string> MapSymbols();
    void ExpectInvariants();
    void Pump(int nMilliseconds = 0);
    // Real keyboard input (SendInput), then the queue pumped.
    void TypeText(const char* pszText);
    void PressKey(UINT vk, bool bCtrl = false, bool bShift = false);
    // The header's filter row: the centre of a box's text part and of its button, in header
    // client coordinates.
    CPoint FilterRowPoint(int nPosition, bool bButton);
    // A click on a header title, as the mouse gives it (the filter row is the lower half).
    void ClickHeader(int nPosition);
    // The column-click notification the platform sends for a header position.
    void ColumnClick(CListCtrl& list, int nPosition);
    std::string HeaderText(int nPosition);
    std::string FilterBox(int nPosition);
    // A filter typed into a header position's box, or set by column index, as the host sets it.
    int Filter(int nPosition, const char* pszText, int bExact = 0);
    int MapFilter(int nColumn, const char* pszText, int bExact = 0);
    // Empties the list and the host's rows, then appends rows with these symbols.
    void Refill(std::vector<std::string> symbols = {});
    void SetTrends(std::vector<int> columns);
    // Every shown row painted once, as a real repaint does it.
    void Repaint();
    // A picture of the list; pixels of it; pixels of a colour in a rectangle of it.
    void Shoot();
    COLORREF Pixel(int x, int y) { return WindowPicture::PixelAt(m_picture, x, y); }
    int Count(const CRect& rc, COLORREF clr);
    CRect Cell(int nRow, int nHeaderItem);

    static int ColumnText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long& clrText,
                          unsigned long& clrBack, int& nImage);
    static int s_nTextCalls;
    static bool s_bFailTexts;
    static size_t s_nHugeText;

    // Extra window styles of the list (owner draw, for painting tests), read by SetUp.
    DWORD m_dwExtraStyle = 0;

    CMessageRecorder m_host;
    CFilterListCtrl m_list;
    std::deque<sInstrument> m_rows;
    bool m_bAutoPopulate = true;
    HBITMAP m_picture = nullptr;
};

using Texts = std::vector<std::string>;
