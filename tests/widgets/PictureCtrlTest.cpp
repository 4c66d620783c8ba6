// The picture control with image files the test writes itself (PNG, JPEG, BMP, GIF through the
// GDI+ encoders), streams and memory blocks; the stretch checked in rendered pixels; broken input
// and the resource counts over a thousand loads.
#include "WidgetTest.h"

#include <widgets/PictureCtrl.h>

#include <gdiplus.h>

#include <fstream>
#include <iterator>

namespace
{
enum { IDC_PICTURE = 1500 };
const int kCx = 200;   // the control: wider than the image's 2:1, so the image is distorted to fill
const int kCy = 60;
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

std::vector<BYTE> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const BYTE* p, size_t n)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(p), (std::streamsize)n);
}

bool EncoderClsid(const WCHAR* pszMime, CLSID* pClsid)
{
    UINT nCount = 0;
    UINT nSize = 0;
    Gdiplus::GetImageEncodersSize(&nCount, &nSize);
    std::vector<BYTE> buffer(nSize);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(nCount, nSize, codecs);
    for (UINT i = 0; i < nCount; i++)
        if (wcscmp(codecs[i].MimeType, pszMime) == 0)
        {
            *pClsid = codecs[i].Clsid;
            return true;
        }
    return false;
}

// A 32 x 16 image: the left half red, the right half blue.
bool WriteImage(const std::string& path, const WCHAR* pszMime)
{
    CLSID clsid;
    if (!EncoderClsid(pszMime, &clsid))
        return false;
    Gdiplus::Bitmap bitmap(32, 16, PixelFormat24bppRGB);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 32; x++)
            bitmap.SetPixel(x, y, x < 16 ? Gdiplus::Color(255, 255, 0, 0) : Gdiplus::Color(255, 0, 0, 255));
    std::wstring wpath(path.begin(), path.end());
    return bitmap.Save(wpath.c_str(), &clsid, nullptr) == Gdiplus::Ok;
}

// The same image as a GIF written byte by byte (this GDI+ does not read back the GIFs its encoder
// writes): a two-colour palette and LZW data that restarts its table after every two pixels, so
// every code stays three bits wide.
bool WriteGif(const std::string& path)
{
    std::vector<BYTE> gif = { 'G', 'I', 'F', '8', '9', 'a', 32, 0, 16, 0, 0x80, 0, 0,
                              0xFF, 0, 0, 0, 0, 0xFF,                  // palette: red, blue
                              ',', 0, 0, 0, 0, 32, 0, 16, 0, 0, 2 };   // image, minimum code size 2
    std::vector<BYTE> data;
    uint32_t nBits = 0;
    int nCount = 0;
    auto put = [&](uint32_t code) {
        nBits |= code << nCount;
        nCount += 3;
        while (nCount >= 8)
        {
            data.push_back((BYTE)nBits);
            nBits >>= 8;
            nCount -= 8;
        }
    };
    for (int i = 0; i < 32 * 16; i++)
    {
        if (i % 2 == 0)
            put(4);   // clear
        put(i % 32 < 16 ? 0 : 1);
    }
    put(5);   // end
    if (nCount > 0)
        data.push_back((BYTE)nBits);
    for (size_t i = 0; i < data.size(); i += 255)
    {
        size_t n = data.size() - i < 255 ? data.size() - i : 255;
        gif.push_back((BYTE)n);
        gif.insert(gif.end(), data.begin() + (long)i, data.begin() + (long)(i + n));
    }
    gif.push_back(0);
    gif.push_back(';');
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(gif.data()), (std::streamsize)gif.size());
    return out.good();
}

uint32_t Crc32(const BYTE* p, size_t n)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; i++)
    {
        crc ^= p[i];
        for (int k = 0; k < 8; k++)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBigEndian(std::vector<BYTE>& v, uint32_t n)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        v.push_back((BYTE)(n >> shift));
}

// A PNG whose header claims 20,000 x 20,000 pixels, followed by a few bytes of image data.
std::vector<BYTE> HugeHeaderPng()
{
    std::vector<BYTE> png = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    std::vector<BYTE> ihdr = { 'I', 'H', 'D', 'R' };
    PutBigEndian(ihdr, 20000);
    PutBigEndian(ihdr, 20000);
    ihdr.insert(ihdr.end(), { 8, 6, 0, 0, 0 });   // 8-bit RGBA
    PutBigEndian(png, 13);
    png.insert(png.end(), ihdr.begin(), ihdr.end());
    PutBigEndian(png, Crc32(ihdr.data(), ihdr.size()));
    std::vector<BYTE> idat = { 'I', 'D', 'A', 'T', 0x78, 0x9C, 0xED, 0xC1, 0x01, 0x0D };
    PutBigEndian(png, (uint32_t)idat.size() - 4);
    png.insert(png.end(), idat.begin(), idat.end());
    PutBigEndian(png, Crc32(idat.data(), idat.size()));
    return png;
}

// A read-only stream over a buffer whose reads fail (STG_E_READFAULT) past a given offset, or
// whose Stat claims more bytes than it holds.
class CTestStream : public IStream
{
public:
    CTestStream(std::vector<BYTE> data, size_t nFailAt, ULONGLONG nClaimedSize)
        : m_data(std::move(data)), m_nFailAt(nFailAt), m_nClaimed(nClaimedSize) {}
    LONG m_nRefs = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IStream || riid == IID_ISequentialStream)
        {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)++m_nRefs; }
    ULONG STDMETHODCALLTYPE Release() override { return (ULONG)--m_nRefs; }   // lives on the test's stack
    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override
    {
        ULONG n = 0;
        while (n < cb && m_nPos < m_data.size())
        {
            if (m_nPos >= m_nFailAt)
            {
                if (pcbRead)
                    *pcbRead = n;
                return STG_E_READFAULT;
            }
            static_cast<BYTE*>(pv)[n++] = m_data[m_nPos++];
        }
        if (pcbRead)
            *pcbRead = n;
        return n < cb ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return STG_E_ACCESSDENIED; }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* pNew) override
    {
        LONGLONG base = origin == STREAM_SEEK_SET ? 0 : origin == STREAM_SEEK_CUR ? (LONGLONG)m_nPos
                                                                                  : (LONGLONG)m_data.size();
        m_nPos = (size_t)(base + move.QuadPart);
        if (pNew)
            pNew->QuadPart = m_nPos;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override
    { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* p, DWORD) override
    {
        *p = STATSTG();
        p->type = STGTY_STREAM;
        p->cbSize.QuadPart = m_nClaimed;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

private:
    std::vector<BYTE> m_data;
    size_t m_nPos = 0;
    size_t m_nFailAt;
    ULONGLONG m_nClaimed;
};
}  // namespace

class PictureCtrlTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        ASSERT_TRUE(m_picture.Create("", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(20, 20, 20 + kCx, 20 + kCy),
                                     &m_parent, IDC_PICTURE));
        m_csPng = TempPath("halves.png");
        ASSERT_TRUE(WriteImage(m_csPng, L"image/png"));
    }
    void TearDown() override
    {
        if (m_picture.GetSafeHwnd() != nullptr)
            m_picture.DestroyWindow();
        WidgetTest::TearDown();
    }

    // Whether the control shows the red-and-blue image over its whole client area, to the last
    // pixel of each corner.
    bool ShowsImage(int nTolerance = 40)
    {
        HBITMAP hBitmap = Render(m_picture);
        const struct { int x, y; COLORREF cr; } probes[] = {
            { 0, 0, kRed }, { 0, kCy - 1, kRed }, { 20, kCy / 2, kRed }, { 80, 10, kRed }, { 80, kCy - 10, kRed },
            { 120, 10, kBlue }, { 120, kCy - 10, kBlue }, { kCx - 20, kCy / 2, kBlue },
            { kCx - 1, 0, kBlue }, { kCx - 1, kCy - 1, kBlue },
        };
        bool bAll = hBitmap != nullptr;
        for (const auto& p : probes)
        {
            if (bAll && !NearColor(Pixel(hBitmap, p.x, p.y), p.cr, nTolerance))
            {
                ADD_FAILURE() << "pixel " << p.x << "," << p.y << " is " << std::hex << Pixel(hBitmap, p.x, p.y);
                bAll = false;
            }
        }
        ::DeleteObject(hBitmap);
        return bAll;
    }
    // Whether no pixel of the control looks like the image.
    bool ShowsNothing()
    {
        HBITMAP hBitmap = Render(m_picture);
        bool bNothing = hBitmap != nullptr;
        for (int y = 0; y < kCy && bNothing; y += 3)
            for (int x = 0; x < kCx && bNothing; x += 3)
            {
                COLORREF cr = Pixel(hBitmap, x, y);
                if (NearColor(cr, kRed, 60) || NearColor(cr, kBlue, 60))
                    bNothing = false;
            }
        ::DeleteObject(hBitmap);
        return bNothing;
    }

    CPictureCtrl m_picture;
    std::string m_csPng;
};

TEST_F(PictureCtrlTest, SubclassingMakesTheStaticOwnerDrawn)
{
    EXPECT_EQ((DWORD)SS_OWNERDRAW, m_picture.GetStyle() & SS_TYPEMASK);
    EXPECT_TRUE(ShowsNothing());
}

TEST_F(PictureCtrlTest, EachFormatIsStretchedOverTheWholeClientArea)
{
    const struct { const char* name; const WCHAR* mime; int tolerance; } formats[] = {
        { "halves.png", L"image/png", 8 }, { "halves.bmp", L"image/bmp", 8 },
        { "halves.gif", L"image/gif", 8 }, { "halves.jpg", L"image/jpeg", 90 },
    };
    for (const auto& f : formats)
    {
        SCOPED_TRACE(f.name);
        std::string path = TempPath(f.name);
        ASSERT_TRUE(wcscmp(f.mime, L"image/gif") == 0 ? WriteGif(path) : WriteImage(path, f.mime));
        CString csPath(path.c_str());
        ::SetLastError(12345);
        EXPECT_EQ(TRUE, m_picture.LoadFromFile(csPath));
        EXPECT_EQ(ERROR_SUCCESS, ::GetLastError());
        EXPECT_EQ(1, m_picture.m_bIsPicLoaded);
        EXPECT_TRUE(ShowsImage(f.tolerance));
    }
}

TEST_F(PictureCtrlTest, TheControlKeepsItsOwnCopy)
{
    CString csPath(m_csPng.c_str());
    ASSERT_TRUE(m_picture.Load(csPath));
    ASSERT_TRUE(::DeleteFileA(m_csPng.c_str()));
    EXPECT_TRUE(ShowsImage(8));

    ASSERT_TRUE(WriteImage(m_csPng, L"image/png"));
    std::vector<BYTE> data = ReadAll(m_csPng);
    ASSERT_TRUE(m_picture.Load(data.data(), data.size()));
    std::fill(data.begin(), data.end(), 0);
    EXPECT_TRUE(ShowsImage(8));
    // Painted again and again: decoded each time from the start.
    EXPECT_TRUE(ShowsImage(8));
}

TEST_F(PictureCtrlTest, StreamsAreCopiedWholeFromTheirStart)
{
    std::vector<BYTE> data = ReadAll(m_csPng);
    IStream* pStream = nullptr;
    ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, &pStream));
    pStream->Write(data.data(), (ULONG)data.size(), nullptr);   // position now at the end
    EXPECT_EQ(TRUE, m_picture.LoadFromStream(pStream));
    pStream->SetSize(ULARGE_INTEGER());
    pStream->Release();
    EXPECT_TRUE(ShowsImage(8));

    ::SetLastError(0);
    EXPECT_EQ(FALSE, m_picture.Load((IStream*)nullptr));
    EXPECT_EQ((DWORD)ERROR_INVALID_ADDRESS, ::GetLastError());
    EXPECT_EQ(0, m_picture.m_bIsPicLoaded);
    EXPECT_EQ(nullptr, m_picture.m_pStream);
    EXPECT_TRUE(ShowsNothing());
}

TEST_F(PictureCtrlTest, AStreamThatFailsMidReadLoadsNothing)
{
    std::vector<BYTE> data = ReadAll(m_csPng);
    CString csPath(m_csPng.c_str());
    ASSERT_TRUE(m_picture.Load(csPath));

    CTestStream failing(data, data.size() / 2, data.size());
    EXPECT_EQ(FALSE, m_picture.LoadFromStream(&failing));
    EXPECT_EQ((DWORD)STG_E_READFAULT, ::GetLastError());
    EXPECT_EQ(0, m_picture.m_bIsPicLoaded);
    EXPECT_TRUE(ShowsNothing());   // the first image is gone too
    EXPECT_EQ(1, failing.m_nRefs);  // no reference kept

    // A stream that ends before the size it claims.
    CTestStream shortStream(data, (size_t)-1, data.size() + 100);
    EXPECT_EQ(FALSE, m_picture.LoadFromStream(&shortStream));
    EXPECT_EQ((DWORD)ERROR_HANDLE_EOF, ::GetLastError());
    EXPECT_EQ(nullptr, m_picture.m_pStream);
}

TEST_F(PictureCtrlTest, AMissingFileFailsWithTheFileSystemsErrorAndReplacesTheImage)
{
    CString csPath(m_csPng.c_str());
    ASSERT_TRUE(m_picture.Load(csPath));
    ASSERT_TRUE(ShowsImage(8));

    CString csMissing(TempPath("no such picture.png").c_str());
    EXPECT_EQ(FALSE, m_picture.LoadFromFile(csMissing));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, ::GetLastError());
    EXPECT_EQ(0, m_picture.m_bIsPicLoaded);
    EXPECT_TRUE(ShowsNothing());

    CString csNoFolder(TempPath("no folder\\x.png").c_str());
    EXPECT_EQ(FALSE, m_picture.LoadFromFile(csNoFolder));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, ::GetLastError());

    EXPECT_EQ(FALSE, m_picture.Load(nullptr, 10));
    EXPECT_EQ((DWORD)ERROR_INVALID_ADDRESS, ::GetLastError());
}

TEST_F(PictureCtrlTest, BytesThatDoNotDecodeLoadButShowNothing)
{
    std::vector<BYTE> png = ReadAll(m_csPng);
    const std::string csEmpty = TempPath("empty.png");
    WriteAll(csEmpty, png.data(), 0);
    const std::string csTruncated = TempPath("truncated.png");
    WriteAll(csTruncated, png.data(), png.size() / 2);
    const std::string csHeaderOnly = TempPath("header.png");
    WriteAll(csHeaderOnly, png.data(), 33);   // signature and IHDR, no image data
    std::vector<BYTE> huge = HugeHeaderPng();
    const std::string csHuge = TempPath("huge.png");
    WriteAll(csHuge, huge.data(), huge.size());
    std::vector<BYTE> noise(4096);
    for (size_t i = 0; i < noise.size(); i++)
        noise[i] = (BYTE)(i * 7919 >> 3);
    const std::string csNoise = TempPath("noise.jpg");
    WriteAll(csNoise, noise.data(), noise.size());

    for (const std::string& path : { csEmpty, csTruncated, csHeaderOnly, csHuge, csNoise })
    {
        SCOPED_TRACE(path);
        CString csPath(path.c_str());
        // The bytes are copied whole, which is what loading reports.
        EXPECT_EQ(TRUE, m_picture.LoadFromFile(csPath));
        EXPECT_TRUE(ShowsNothing());
    }
    EXPECT_EQ(TRUE, m_picture.Load(huge.data(), huge.size()));
    EXPECT_TRUE(ShowsNothing());
    BYTE b = 0;
    EXPECT_EQ(TRUE, m_picture.Load(&b, 0));
    EXPECT_TRUE(ShowsNothing());
}

TEST_F(PictureCtrlTest, AThousandLoadsLeaveNoGdiObjectsHandlesOrWindowsBehind)
{
    std::vector<BYTE> png = ReadAll(m_csPng);
    std::vector<BYTE> truncated(png.begin(), png.begin() + png.size() / 2);
    CString csPath(m_csPng.c_str());
    CString csMissing(TempPath("missing.png").c_str());
    auto cycle = [&](int i) {
        switch (i % 5)
        {
        case 0: m_picture.LoadFromFile(csPath); break;
        case 1: m_picture.Load(png.data(), png.size()); break;
        case 2:
        {
            CTestStream s(png, i % 2 ? (size_t)-1 : png.size() / 3, png.size());
            m_picture.Load(&s);
            break;
        }
        case 3: m_picture.Load(truncated.data(), truncated.size()); break;
        default: m_picture.LoadFromFile(csMissing); break;
        }
        // A successful load has painted (and so decoded) the image already.
    };
    for (int i = 0; i < 20; i++)   // GDI+ and the codecs set themselves up on first use
        cycle(i);
    const sResourceCounts before = CountResources();
    const size_t nHeapBefore = HeapBusyBytes();

    // The counter sees what it counts.
    HBRUSH hBrush = ::CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(before.nGdiObjects + 1, CountResources().nGdiObjects);
    ::DeleteObject(hBrush);

    for (int i = 0; i < 1000; i++)
        cycle(i);
    AfxDeleteTempMaps();
    EXPECT_EQ(before, CountResources());
    // A copy of the image kept per load would be 1000 blocks of its size and more.
    EXPECT_LT(HeapBusyBytes(), nHeapBefore + 64 * 1024) << "before " << nHeapBefore;
    ASSERT_TRUE(m_picture.Load(csPath));
    EXPECT_TRUE(ShowsImage(8));
}

TEST_F(PictureCtrlTest, ControlsComeAndGoWithTheirOwnGdiplus)
{
    CString csPath(m_csPng.c_str());
    for (int i = 0; i < 3; i++)
    {
        CPictureCtrl other;
        ASSERT_TRUE(other.Create("", WS_CHILD | WS_VISIBLE, CRect(250, 20, 300, 60), &m_parent, IDC_PICTURE + 1));
        EXPECT_TRUE(other.Load(csPath));
        other.DestroyWindow();
    }
    // This control's GDI+ is still up after the others shut theirs down.
    ASSERT_TRUE(m_picture.Load(csPath));
    EXPECT_TRUE(ShowsImage(8));
}
