#include "TabFixture.h"

#include <sstream>

std::string NoteText(const std::vector<sTabNote>& notes)
{
    std::ostringstream out;
    for (size_t i = 0; i < notes.size(); ++i)
        out << (i ? " " : "") << notes[i].code << ":" << notes[i].nItem;
    return out.str();
}

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
    if (message == WM_APP)
    {
        if (!m_steps.empty())
        {
            std::function<void()> step = std::move(m_steps.front());
            m_steps.pop_front();
            step();
        }
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
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

void TabTest::AddTabs(const std::vector<std::string>& texts)
{
    for (const std::string& t : texts)
    {
        const int n = m_tabs->GetItemCount();
        ASSERT_EQ(n, m_tabs->InsertItem(n, t.c_str(), n * 10));
    }
}

void TabTest::AddTabs(int nCount, const char* pszPrefix)
{
    std::vector<std::string> texts;
    for (int i = 0; i < nCount; ++i)
        texts.push_back(pszPrefix + std::to_string(i));
    AddTabs(texts);
}

std::vector<std::string> TabTest::Texts() const
{
    std::vector<std::string> texts;
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
    // Scan the client area for the button: the strip is small.
    CRect rc;
    m_tabs->GetClientRect(&rc);
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x)
            if (m_tabs->HitTest(CPoint(x, y)) == nButton)
            {
                // The middle of the run of points with this result.
                int x2 = x, y2 = y;
                while (x2 + 1 < rc.right && m_tabs->HitTest(CPoint(x2 + 1, y)) == nButton)
                    ++x2;
                while (y2 + 1 < rc.bottom && m_tabs->HitTest(CPoint(x, y2 + 1)) == nButton)
                    ++y2;
                return CPoint((x + x2) / 2, (y + y2) / 2);
            }
    return CPoint(-100, -100);
}

void TabTest::Press(CPoint pt, UINT nFlags)
{
    m_tabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | nFlags, MAKELPARAM(pt.x, pt.y));
}

void TabTest::Move(CPoint pt, UINT nFlags)
{
    m_tabs->SendMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(pt.x, pt.y));
}

void TabTest::Release(CPoint pt, UINT nFlags)
{
    m_tabs->SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(pt.x, pt.y));
}

void TabTest::Click(CPoint pt, UINT nFlags)
{
    Press(pt, nFlags);
    Release(pt, nFlags);
}
