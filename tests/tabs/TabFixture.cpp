#include "TabFixture.h"

#include <sstream>

void CTabRecorder::Post(std::function<void()> step)
{
    m_steps.push_back(std::move(step));
    PostMessage(WM_APP);
}

BOOL CTabRecorder::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    const CTC_NMHDR* p = reinterpret_cast<const CTC_NMHDR*>(lParam);
    sTabNote note = { (int)p->hdr.code, p->nItem, std::string(p->pszText, strnlen(p->pszText, sizeof(p->pszText))),
                      p->lParam, CRect(p->rItem), CPoint(p->ptHitTest), p->fSelected, p->fHighlighted };
    m_notes.push_back(note);
    *pResult = note.code == CTCN_LABELUPDATE ? m_lLabelResult : 0;
    if (m_onNote)
        m_onNote(note);
    return TRUE;
}

LRESULT CTabRecorder::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_APP)
        return CWnd::WindowProc(message, wParam, lParam);
    if (!m_steps.empty())
    {
        std::function<void()> step = std::move(m_steps.front());
        m_steps.pop_front();
        step();
    }
    return 0;
}

void TabTest::SetUp()
{
    HostTest::SetUp();
    ASSERT_TRUE(m_recorder.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600, 300,
                                    m_frame.m_hWnd, nullptr));
    m_frame.SetForegroundWindow();
}

void TabTest::TearDown()
{
    m_tabs.reset();
    if (m_recorder.GetSafeHwnd())
        m_recorder.DestroyWindow();
    HostTest::TearDown();
}

void TabTest::Create(DWORD dwStyle, const CRect& rect)
{
    m_tabs.reset();
    m_tabs = std::make_unique<CCustomTabCtrl>();
    ASSERT_TRUE(m_tabs->Create(WS_CHILD | WS_VISIBLE | dwStyle, rect, &m_recorder, 77));
}

void TabTest::Make(DWORD dwStyle, const Names& texts, int nSelected, const CRect& rect)
{
    Create(dwStyle, rect);
    AddTabs(texts);
    if (nSelected >= 0)
        m_tabs->SetCurSel(nSelected);
    m_recorder.m_notes.clear();
}

void TabTest::AddTabs(const Names& texts)
{
    for (const std::string& t : texts)
    {
        const int n = m_tabs->GetItemCount();
        ASSERT_EQ(n, m_tabs->InsertItem(n, t.c_str(), n * 10));
    }
}

void TabTest::AddTabs(int nCount, const char* pszPrefix)
{
    Names texts;
    for (int i = 0; i < nCount; ++i)
        texts.push_back(pszPrefix + std::to_string(i));
    AddTabs(texts);
}

Names TabTest::Texts() const
{
    Names texts;
    for (int i = 0; i < m_tabs->GetItemCount(); ++i)
    {
        CString s;
        m_tabs->GetItemText(i, s);
        texts.push_back((LPCTSTR)s);
    }
    return texts;
}

CPoint TabTest::Center(int nItem) const
{
    CRect r;
    m_tabs->GetItemRect(nItem, r);
    return r.CenterPoint();
}

CPoint TabTest::ButtonCenter(int nButton) const
{
    // Scan the strip's middle line for the button: the middle of its run of points.
    CRect rc;
    m_tabs->GetClientRect(&rc);
    int x1 = -100, x2 = -100;
    for (int x = 0; x < rc.right; ++x)
    {
        if (m_tabs->HitTest(CPoint(x, rc.bottom / 2)) != nButton)
            continue;
        x1 = x1 < 0 ? x : x1;
        x2 = x;
    }
    return CPoint((x1 + x2) / 2, rc.bottom / 2);
}

std::string TabTest::Notes() const
{
    std::ostringstream out;
    for (size_t i = 0; i < m_recorder.m_notes.size(); ++i)
        out << (i ? " " : "") << m_recorder.m_notes[i].code << ":" << m_recorder.m_notes[i].nItem;
    return out.str();
}
