// The picture control with image files the test writes itself, streams and memory blocks: the image
// stretched over the client area in rendered pixels, at every new size, broken input, a picture too
// large to decode whole, and the resource counts over a thousand loads.
#include "WidgetTest.h"

#include <widgets/PictureCtrl.h>

#include <fstream>
#include <functional>

namespace
{
enum { IDC_PICTURE = 1500 };
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

void WriteAll(const std::string& path, const std::vector<BYTE>& v, size_t n)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(v.data()), (long)n);
}

// A bottom-up 24-bit BMP of cx x cy in four quarters, given top-left, top-right, bottom-left,
// bottom-right as seen.
std::vector<BYTE> QuartersBmp(int cx, int cy, const COLORREF (&quarters)[4])
{
    const size_t nRow = ((size_t)cx * 3 + 3) & ~(size_t)3;
    std::vector<BYTE> bmp(54 + nRow * (size_t)cy);
    auto put32 = [&](size_t at, DWORD v) { for (int i = 0; i < 4; i++) bmp[at + i] = (BYTE)(v >> (8 * i)); };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, (DWORD)bmp.size());
    put32(10, 54);
    put32(14, 40);
    put32(18, (DWORD)cx);
    put32(22, (DWORD)cy);
    bmp[26] = 1;
    bmp[28] = 24;
    for (int y = 0; y < cy; y++)   // y counts file rows: 0 is the bottom row seen
    {
        BYTE* p = &bmp[54 + nRow * (size_t)y];
        for (int x = 0; x < cx; x++, p += 3)
        {
            const COLORREF cr = quarters[(y < cy / 2 ? 2 : 0) + (x < cx / 2 ? 0 : 1)];
            p[0] = GetBValue(cr), p[1] = GetGValue(cr), p[2] = GetRValue(cr);
        }
    }
    return bmp;
}

// A 32 x 16 PNG, the left half red and the right half blue.
const char kHalvesPng[] =
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x20\x00\x00\x00\x10"
    "\x08\x02\x00\x00\x00\xf8\x62\xea\x0e\x00\x00\x00\x20\x49\x44\x41\x54\x78\xda\x63\xf8\xcf\xc0\x40"
    "\x12\x22\x51\xf9\x7f\x86\x51\x0b\x46\x2d\x18\xb5\x60\xd4\x82\x51\x0b\x86\x82\x05\x00\x50\xa6\xfe"
    "\x10\xbc\x92\x0e\x2f\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82";

// The same image as a BMP in memory, its left half in one colour and its right half in another.
std::vector<BYTE> HalvesBmp(COLORREF crLeft, COLORREF crRight)
{
    return QuartersBmp(32, 16, { crLeft, crRight, crLeft, crRight });
}

// A read-only stream over a buffer whose reads fail (STG_E_READFAULT) past a given offset, or
// whose Stat claims more bytes than it holds. Lives on the test's stack.
class CTestStream : public IStream
{
public:
    CTestStream(std::vector<BYTE> data, size_t nFailAt, ULONGLONG nClaimedSize)
        : m_data(std::move(data)), m_nFailAt(nFailAt), m_nClaimed(nClaimedSize) {}
    LONG m_nRefs = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        bool bOurs = riid == IID_IUnknown || riid == IID_IStream || riid == IID_ISequentialStream;
        *ppv = bOurs ? this : nullptr;
        return bOurs ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)++m_nRefs; }
    ULONG STDMETHODCALLTYPE Release() override { return (ULONG)--m_nRefs; }
    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override
    {
        ULONG n = 0;
        for (; n < cb && m_nPos < m_data.size() && m_nPos < m_nFailAt; ++n)
            static_cast<BYTE*>(pv)[n] = m_data[m_nPos++];
        if (pcbRead)
            *pcbRead = n;
        return n < cb && m_nPos >= m_nFailAt && m_nPos < m_data.size() ? STG_E_READFAULT : n < cb ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* pNew) override
    {
        size_t base = origin == STREAM_SEEK_SET ? 0 : origin == STREAM_SEEK_CUR ? m_nPos : m_data.size();
        m_nPos = (size_t)((LONGLONG)base + move.QuadPart);
        if (pNew)
            pNew->QuadPart = m_nPos;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* p, DWORD) override
    {
        *p = STATSTG();
        p->type = STGTY_STREAM;
        p->cbSize.QuadPart = m_nClaimed;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return STG_E_ACCESSDENIED; }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

private:
    std::vector<BYTE> m_data;
    size_t m_nPos = 0, m_nFailAt;
    ULONGLONG m_nClaimed;
};
}  // namespace

class PictureCtrlTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        ASSERT_TRUE(m_picture.Create("", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(20, 20, 220, 80), &m_parent,
                                     IDC_PICTURE));
        m_png.assign(kHalvesPng, kHalvesPng + sizeof(kHalvesPng) - 1);
        m_csPng = TempPath("halves.png");
        WriteAll(m_csPng, m_png, m_png.size());
    }
    void TearDown() override
    {
        if (m_picture.GetSafeHwnd() != nullptr)
            m_picture.DestroyWindow();
        WidgetTest::TearDown();
    }

    BOOL LoadFile(const std::string& path)
    {
        CString csPath(path.c_str());
        return m_picture.LoadFromFile(csPath);
    }
    // Whether the control shows the two halves over its whole client area, to the last pixel of
    // each corner, in the given colours.
    bool ShowsImage(int nTolerance = 8, COLORREF crLeft = kRed, COLORREF crRight = kBlue)
    {
        CRect rc;
        m_picture.GetClientRect(&rc);
        const int cx = rc.Width(), cy = rc.Height();
        HBITMAP hBitmap = Render(m_picture);
        const struct { int x, y; COLORREF cr; } probes[] = {
            { 0, 0, crLeft }, { 0, cy - 1, crLeft }, { cx / 4, cy / 2, crLeft }, { cx / 2 - cx / 8, cy - 1, crLeft },
            { cx / 2 + cx / 8, 0, crRight }, { cx * 3 / 4, cy / 2, crRight }, { cx - 1, 0, crRight },
            { cx - 1, cy - 1, crRight },
        };
        bool bAll = hBitmap != nullptr;
        for (const auto& p : probes)
            if (bAll && !NearColor(Pixel(hBitmap, p.x, p.y), p.cr, nTolerance))
            {
                ADD_FAILURE() << "pixel " << p.x << "," << p.y << " is " << std::hex << Pixel(hBitmap, p.x, p.y);
                bAll = false;
            }
        ::DeleteObject(hBitmap);
        return bAll;
    }
    // Whether no pixel of the control looks like the image.
    bool ShowsNothing()
    {
        HBITMAP hBitmap = Render(m_picture);
        bool bNothing = hBitmap != nullptr;
        for (int y = 0; y < 60 && bNothing; y += 3)
            for (int x = 0; x < 200 && bNothing; x += 3)
                bNothing = !NearColor(Pixel(hBitmap, x, y), kRed, 60) && !NearColor(Pixel(hBitmap, x, y), kBlue, 60);
        ::DeleteObject(hBitmap);
        return bNothing;
    }

    CPictureCtrl m_picture;
    std::string m_csPng;
    std::vector<BYTE> m_png;
};

// The control keeps its own copy of what it loads, scaled to its client size between paints: a new
// size or a new image shows at the next paint, never the old scaled copy.
TEST_F(PictureCtrlTest, FilesMemoryAndStreamsAreCopiedAndShownAtEachNewSize)
{
    ::SetLastError(12345);
    ASSERT_EQ(TRUE, LoadFile(m_csPng));
    EXPECT_EQ(ERROR_SUCCESS, ::GetLastError());
    EXPECT_EQ(1, m_picture.m_bIsPicLoaded);
    ASSERT_TRUE(::DeleteFileA(m_csPng.c_str()));
    std::vector<BYTE> blueRed = HalvesBmp(kBlue, kRed);
    const struct { int cx, cy; bool bSwap; COLORREF crLeft, crRight; } steps[] = {
        { 200, 60, false, kRed, kBlue }, { 100, 60, false, kRed, kBlue }, { 300, 30, false, kRed, kBlue },
        { 300, 30, true, kBlue, kRed },  { 80, 90, false, kBlue, kRed },
    };
    for (const auto& s : steps)
    {
        SCOPED_TRACE(testing::Message() << s.cx << " x " << s.cy << (s.bSwap ? " swapped" : ""));
        m_picture.SetWindowPos(nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER);
        if (s.bSwap)
        {
            ASSERT_TRUE(m_picture.Load(blueRed.data(), blueRed.size()));
            std::fill(blueRed.begin(), blueRed.end(), 0);   // drawn from its own copy
        }
        EXPECT_TRUE(ShowsImage(8, s.crLeft, s.crRight));   // stretched over the whole client area
    }

    // A stream is copied whole from its start, wherever its position.
    IStream* pStream = nullptr;
    ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, &pStream));
    pStream->Write(m_png.data(), (ULONG)m_png.size(), nullptr);
    EXPECT_EQ(TRUE, m_picture.LoadFromStream(pStream));
    pStream->SetSize(ULARGE_INTEGER());
    pStream->Release();
    EXPECT_TRUE(ShowsImage());
}

TEST_F(PictureCtrlTest, RefusedSourcesReportTheirErrorAndReplaceTheImage)
{
    CTestStream failing(m_png, m_png.size() / 2, m_png.size());
    CTestStream shortStream(m_png, (size_t)-1, m_png.size() + 100);   // ends before its claimed size
    const struct { const char* name; std::function<BOOL()> load; DWORD dwError; } cases[] = {
        { "missing file", [&] { return LoadFile(TempPath("no such.png")); },
          ERROR_FILE_NOT_FOUND },
        { "missing folder", [&] { return LoadFile(TempPath("no folder\\x.png")); },
          ERROR_PATH_NOT_FOUND },
        { "null memory", [&] { return m_picture.Load(nullptr, 10); }, ERROR_INVALID_ADDRESS },
        { "null stream", [&] { return m_picture.Load((IStream*)nullptr); }, ERROR_INVALID_ADDRESS },
        { "stream failing mid-read", [&] { return m_picture.LoadFromStream(&failing); }, (DWORD)STG_E_READFAULT },
        { "stream shorter than it claims", [&] { return m_picture.LoadFromStream(&shortStream); }, ERROR_HANDLE_EOF },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(m_picture.Load(m_png.data(), m_png.size()));
        ::SetLastError(0);
        EXPECT_EQ(FALSE, c.load());
        EXPECT_EQ(c.dwError, ::GetLastError());
        EXPECT_EQ(0, m_picture.m_bIsPicLoaded);
        EXPECT_EQ(nullptr, m_picture.m_pStream);
        EXPECT_TRUE(ShowsNothing());   // the earlier image is gone too
    }
    EXPECT_EQ(1, failing.m_nRefs);   // no reference kept
    EXPECT_EQ(1, shortStream.m_nRefs);
}

TEST_F(PictureCtrlTest, BytesThatDoNotDecodeLoadButShowNothing)
{
    std::vector<BYTE> noise(4096);
    for (size_t i = 0; i < noise.size(); i++)
        noise[i] = (BYTE)(i * 7919 >> 3);
    const struct { const char* name; const std::vector<BYTE>& bytes; size_t n; } cases[] = {
        { "empty.png", m_png, 0 }, { "truncated.png", m_png, m_png.size() / 2 },
        { "header.png", m_png, 33 },   // signature and IHDR, no image data
        { "noise.jpg", noise, noise.size() },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::string path = TempPath(c.name);
        WriteAll(path, c.bytes, c.n);
        EXPECT_EQ(TRUE, LoadFile(path));   // the bytes are copied whole
        EXPECT_TRUE(ShowsNothing());
    }
    EXPECT_EQ(TRUE, m_picture.Load(m_png.data(), 0));   // an empty block of memory too
    EXPECT_TRUE(ShowsNothing());
}

TEST_F(PictureCtrlTest, AThousandLoadsLeaveNothingBehindAndOtherControlsComeAndGoWithTheirOwnGdiplus)
{
    std::vector<BYTE> truncated(m_png.begin(), m_png.begin() + (long)m_png.size() / 2);
    // Wine's GDI+ keeps the stream of BMP bytes it cannot decode: the control must not lend it
    // its own copy of the bytes.
    const std::vector<BYTE> bmp = QuartersBmp(64, 64, { RGB(1, 2, 3), RGB(1, 2, 3), RGB(1, 2, 3), RGB(1, 2, 3) });
    std::vector<BYTE> truncatedBmp(bmp.begin(), bmp.begin() + (long)bmp.size() / 2);
    CString csPath(m_csPng.c_str()), csMissing(TempPath("missing.png").c_str());
    auto cycle = [&](int i) {
        CTestStream s(m_png, i % 2 ? (size_t)-1 : m_png.size() / 3, m_png.size());
        switch (i % 6)
        {
        case 0: m_picture.LoadFromFile(csPath); break;
        case 1: m_picture.Load(m_png.data(), m_png.size()); break;
        case 2: m_picture.Load(&s); break;
        case 3: m_picture.Load(truncated.data(), truncated.size()); break;
        case 4: m_picture.Load(truncatedBmp.data(), truncatedBmp.size()); break;
        default: m_picture.LoadFromFile(csMissing); break;
        }
    };
    for (int i = 0; i < 20; i++)   // GDI+ and the codecs set themselves up on first use
        cycle(i);
    const sResourceCounts before = CountResources();
    const size_t nHeapBefore = HeapBusyBytes();
    HBRUSH hBrush = ::CreateSolidBrush(RGB(1, 2, 3));   // the counter sees what it counts
    EXPECT_EQ(before.nGdiObjects + 1, CountResources().nGdiObjects);
    ::DeleteObject(hBrush);
    for (int i = 0; i < 1000; i++)
        cycle(i);
    AfxDeleteTempMaps();
    EXPECT_EQ(before, CountResources());
    // A copy of the image kept per load would be 1000 blocks of its size and more.
    EXPECT_LT(HeapBusyBytes(), nHeapBefore + 64 * 1024) << "before " << nHeapBefore;
    for (int i = 0; i < 3; i++)
    {
        CPictureCtrl other;
        ASSERT_TRUE(other.Create("", WS_CHILD | WS_VISIBLE, CRect(250, 20, 300, 60), &m_parent, IDC_PICTURE + 1));
        EXPECT_TRUE(other.Load(csPath));
        other.DestroyWindow();
    }
    // This control's GDI+ is still up after the others shut theirs down.
    ASSERT_TRUE(m_picture.Load(csPath));
    EXPECT_TRUE(ShowsImage());
}

// A picture too large to decode whole into 32-bit pixels is scaled while it is decoded: it must
// still show the right colours in the right places (row order, channel order, premultiplying).
TEST_F(PictureCtrlTest, APictureScaledWhileDecodingShowsEachQuarterInItsPlace)
{
    const COLORREF quarters[4] = { RGB(220, 30, 30), RGB(30, 200, 40), RGB(40, 50, 230), RGB(240, 230, 20) };
    // 17.6 million pixels: past what the control decodes whole.
    std::vector<BYTE> bmp = QuartersBmp(4200, 4200, quarters);
    m_picture.SetWindowPos(nullptr, 0, 0, 120, 80, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(m_picture.Load(bmp.data(), bmp.size()));
    bmp.clear();
    HBITMAP hBitmap = Render(m_picture);
    ASSERT_NE(nullptr, hBitmap);
    const struct { int x, y; COLORREF cr; } probes[] = {
        { 5, 5, quarters[0] },    { 30, 20, quarters[0] },   { 90, 20, quarters[1] },  { 114, 5, quarters[1] },
        { 30, 60, quarters[2] },  { 5, 74, quarters[2] },    { 90, 60, quarters[3] },  { 114, 74, quarters[3] },
    };
    for (const auto& p : probes)
        EXPECT_TRUE(NearColor(Pixel(hBitmap, p.x, p.y), p.cr, 8))
            << "pixel " << p.x << "," << p.y << " is " << std::hex << Pixel(hBitmap, p.x, p.y);
    ::DeleteObject(hBitmap);
}
