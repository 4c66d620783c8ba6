// CPictureCtrl: loading copies into an HGLOBAL stream; painting decodes through GDI+ once per
// image and client size, and draws the scaled copy it keeps.
#include "widgets/PictureCtrl.h"

#include <gdiplus.h>
#include <wincodec.h>

#include <memory>
#include <new>

namespace
{
// The picture's stream as GDI+ sees it: every call goes to the control's stream until the control
// cuts it loose. Wine's GDI+ keeps a reference to the stream of bytes it failed to decode; it then
// keeps this small object, not the control's copy of the bytes.
class CLoanedStream final : public IStream
{
public:
    explicit CLoanedStream(IStream* pInner) : m_pInner(pInner) { m_pInner->AddRef(); }
    CLoanedStream(const CLoanedStream&) = delete;
    CLoanedStream& operator=(const CLoanedStream&) = delete;
    void CutLoose()
    {
        if (m_pInner != nullptr)
            m_pInner->Release();
        m_pInner = nullptr;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_ISequentialStream || riid == IID_IStream)
        {
            *ppv = static_cast<IStream*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)::InterlockedIncrement(&m_nRefs); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG nRefs = ::InterlockedDecrement(&m_nRefs);
        if (nRefs == 0)
        {
            CutLoose();
            delete this;
        }
        return (ULONG)nRefs;
    }
    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override
    {
        return m_pInner != nullptr ? m_pInner->Read(pv, cb, pcbRead) : STG_E_REVERTED;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return STG_E_ACCESSDENIED; }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD dwOrigin, ULARGE_INTEGER* pNew) override
    {
        return m_pInner != nullptr ? m_pInner->Seek(move, dwOrigin, pNew) : STG_E_REVERTED;
    }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return STG_E_ACCESSDENIED; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* pTarget, ULARGE_INTEGER cb, ULARGE_INTEGER* pRead,
                                     ULARGE_INTEGER* pWritten) override
    {
        return m_pInner != nullptr ? m_pInner->CopyTo(pTarget, cb, pRead, pWritten) : STG_E_REVERTED;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* pStat, DWORD dwFlags) override
    {
        return m_pInner != nullptr ? m_pInner->Stat(pStat, dwFlags) : STG_E_REVERTED;
    }
    // A clone would hold the bytes past the loan.
    HRESULT STDMETHODCALLTYPE Clone(IStream** ppClone) override
    {
        if (ppClone != nullptr)
            *ppClone = nullptr;
        return E_NOTIMPL;
    }

private:
    ~CLoanedStream() = default;
    LONG m_nRefs = 1;
    IStream* m_pInner;
};

// Lends the stream for the life of the scope.
class CStreamLoan
{
public:
    explicit CStreamLoan(IStream* pInner) : m_pLoan(new (std::nothrow) CLoanedStream(pInner)) {}
    ~CStreamLoan()
    {
        if (m_pLoan != nullptr)
        {
            m_pLoan->CutLoose();
            m_pLoan->Release();
        }
    }
    CStreamLoan(const CStreamLoan&) = delete;
    CStreamLoan& operator=(const CStreamLoan&) = delete;
    IStream* Get() const { return m_pLoan; }

private:
    CLoanedStream* m_pLoan;
};
}  // namespace

BEGIN_MESSAGE_MAP(CPictureCtrl, CStatic)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CPictureCtrl::CPictureCtrl() : m_pStream(nullptr), m_bIsPicLoaded(0), m_gdiplusToken(0)
{
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr) != Gdiplus::Ok)
        m_gdiplusToken = 0;
}

CPictureCtrl::~CPictureCtrl()
{
    FreeData();
    if (m_gdiplusToken != 0)
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
}

void CPictureCtrl::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    ModifyStyle(SS_TYPEMASK, SS_OWNERDRAW);
}

void CPictureCtrl::FreeScaled()
{
    delete m_pScaled;
    m_pScaled = nullptr;
    m_sizeScaled = CSize(0, 0);
}

void CPictureCtrl::FreeData()
{
    FreeScaled();
    m_bUndecodable = FALSE;
    m_bIsPicLoaded = 0;
    if (m_pStream != nullptr)
    {
        m_pStream->Release();
        m_pStream = nullptr;
    }
}

BOOL CPictureCtrl::CreateMemoryStream()
{
    // The stream owns its movable block and frees it when released.
    HRESULT hr = ::CreateStreamOnHGlobal(nullptr, TRUE, &m_pStream);
    if (FAILED(hr))
    {
        m_pStream = nullptr;
        ::SetLastError((DWORD)hr);
        return FALSE;
    }
    return TRUE;
}

BOOL CPictureCtrl::FailLoad(DWORD dwError)
{
    FreeData();
    ::SetLastError(dwError);
    return FALSE;
}

BOOL CPictureCtrl::FinishLoad()
{
    m_bIsPicLoaded = 1;
    if (::IsWindow(m_hWnd))
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    // Painting may leave a value of its own; a successful load leaves none.
    ::SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL CPictureCtrl::LoadFromFile(CString& csFilePath)
{
    FreeData();
    ::SetLastError(ERROR_SUCCESS);
    if (!CreateMemoryStream())
        return FALSE;
    HANDLE hFile = ::CreateFileA(csFilePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FailLoad(::GetLastError());
    // The stream is given the file's size first, so the writes below never grow it piecemeal;
    // it is cut to what was read at the end, should the file have changed meanwhile.
    DWORD dwError = ERROR_SUCCESS;
    LARGE_INTEGER liSize = {};
    if (!::GetFileSizeEx(hFile, &liSize))
        dwError = ::GetLastError();
    else
    {
        ULARGE_INTEGER uliSize;
        uliSize.QuadPart = (ULONGLONG)liSize.QuadPart;
        HRESULT hr = m_pStream->SetSize(uliSize);
        if (FAILED(hr))
            dwError = (DWORD)hr;
    }
    const DWORD dwChunk = 1 << 20;
    std::unique_ptr<BYTE[]> buffer(dwError == ERROR_SUCCESS ? new (std::nothrow) BYTE[dwChunk] : nullptr);
    if (dwError == ERROR_SUCCESS && !buffer)
        dwError = ERROR_NOT_ENOUGH_MEMORY;
    ULONGLONG nTotal = 0;
    while (dwError == ERROR_SUCCESS)
    {
        DWORD dwRead = 0;
        if (!::ReadFile(hFile, buffer.get(), dwChunk, &dwRead, nullptr))
        {
            dwError = ::GetLastError();
            break;
        }
        if (dwRead == 0)
            break;
        ULONG nWritten = 0;
        HRESULT hr = m_pStream->Write(buffer.get(), dwRead, &nWritten);
        if (FAILED(hr) || nWritten != dwRead)
        {
            dwError = FAILED(hr) ? (DWORD)hr : ERROR_WRITE_FAULT;
            break;
        }
        nTotal += dwRead;
    }
    if (dwError == ERROR_SUCCESS && nTotal != (ULONGLONG)liSize.QuadPart)
    {
        ULARGE_INTEGER uliTotal;
        uliTotal.QuadPart = nTotal;
        HRESULT hr = m_pStream->SetSize(uliTotal);
        if (FAILED(hr))
            dwError = (DWORD)hr;
    }
    ::CloseHandle(hFile);
    if (dwError != ERROR_SUCCESS)
        return FailLoad(dwError);
    return FinishLoad();
}

BOOL CPictureCtrl::LoadFromStream(IStream* piStream)
{
    FreeData();
    ::SetLastError(ERROR_SUCCESS);
    if (!CreateMemoryStream())
        return FALSE;
    if (piStream == nullptr)
        return FailLoad(ERROR_INVALID_ADDRESS);
    LARGE_INTEGER liStart = {};
    HRESULT hr = piStream->Seek(liStart, STREAM_SEEK_SET, nullptr);
    if (FAILED(hr))
        return FailLoad((DWORD)hr);
    STATSTG stat = {};
    hr = piStream->Stat(&stat, STATFLAG_NONAME);
    if (FAILED(hr))
        return FailLoad((DWORD)hr);
    // Read in pieces rather than through the source's CopyTo, so a foreign stream's failure is ours
    // to report.
    BYTE buffer[65536];
    for (ULONGLONG nLeft = stat.cbSize.QuadPart; nLeft > 0;)
    {
        ULONG nWant = nLeft < sizeof(buffer) ? (ULONG)nLeft : (ULONG)sizeof(buffer);
        ULONG nRead = 0;
        hr = piStream->Read(buffer, nWant, &nRead);
        if (FAILED(hr))
            return FailLoad((DWORD)hr);
        // A stream that ends before the size it gave has not been copied whole.
        if (nRead == 0 || nRead > nWant)
            return FailLoad(ERROR_HANDLE_EOF);
        ULONG nWritten = 0;
        hr = m_pStream->Write(buffer, nRead, &nWritten);
        if (FAILED(hr))
            return FailLoad((DWORD)hr);
        if (nWritten != nRead)
            return FailLoad(ERROR_WRITE_FAULT);
        nLeft -= nRead;
    }
    return FinishLoad();
}

BOOL CPictureCtrl::LoadFromStream(BYTE* pData, size_t nSize)
{
    FreeData();
    ::SetLastError(ERROR_SUCCESS);
    if (!CreateMemoryStream())
        return FALSE;
    if (pData == nullptr && nSize != 0)
        return FailLoad(ERROR_INVALID_ADDRESS);
    // IStream::Write takes a 32-bit count.
    const size_t nChunk = 0x40000000;
    for (size_t nDone = 0; nDone < nSize;)
    {
        ULONG nPart = (ULONG)(nSize - nDone < nChunk ? nSize - nDone : nChunk);
        ULONG nWritten = 0;
        HRESULT hr = m_pStream->Write(pData + nDone, nPart, &nWritten);
        if (FAILED(hr))
            return FailLoad((DWORD)hr);
        if (nWritten != nPart)
            return FailLoad(ERROR_WRITE_FAULT);
        nDone += nPart;
    }
    return FinishLoad();
}

namespace
{
// A full decode into 32-bit pixels above this many pixels (64 MB) is not made: such a picture is
// scaled while it is decoded instead.
const UINT64 kMaxFullDecodePixels = 16u * 1024u * 1024u;

template <class T> struct CComRelease
{
    T* p = nullptr;
    ~CComRelease() { if (p != nullptr) p->Release(); }
};

// COM for the imaging component on this thread, whatever the host did before.
class CComScope
{
public:
    CComScope() : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CComScope() { if (SUCCEEDED(m_hr)) ::CoUninitialize(); }

private:
    HRESULT m_hr;
};
}  // namespace

int CPictureCtrl::ScalePictureWhileDecoding(int cx, int cy)
{
    CComScope com;
    CComRelease<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  (void**)&factory.p)))
        return -1;
    LARGE_INTEGER liStart = {};
    m_pStream->Seek(liStart, STREAM_SEEK_SET, nullptr);
    CComRelease<IWICBitmapDecoder> decoder;
    CComRelease<IWICBitmapFrameDecode> frame;
    UINT w = 0, h = 0;
    if (FAILED(factory.p->CreateDecoderFromStream(m_pStream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder.p)) ||
        FAILED(decoder.p->GetFrame(0, &frame.p)) || FAILED(frame.p->GetSize(&w, &h)) || w == 0 || h == 0)
        return -1;
    // Pictures that fit the budget (or are not larger than the control) keep the full decode.
    if ((UINT64)w * h <= kMaxFullDecodePixels || ((UINT)cx >= w && (UINT)cy >= h))
        return -1;
    // Converted to premultiplied 32-bit first (so the scaler sees one format), then scaled: the
    // scaler asks its source for the rows it needs, so no 32-bit copy of the whole picture is
    // made, and decoders that can decode at a reduced size do so.
    CComRelease<IWICFormatConverter> converter;
    CComRelease<IWICBitmapScaler> scaler;
    if (FAILED(factory.p->CreateFormatConverter(&converter.p)) ||
        FAILED(converter.p->Initialize(frame.p, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                       WICBitmapPaletteTypeCustom)) ||
        FAILED(factory.p->CreateBitmapScaler(&scaler.p)) ||
        FAILED(scaler.p->Initialize(converter.p, (UINT)cx, (UINT)cy, WICBitmapInterpolationModeFant)))
        return 0;
    std::unique_ptr<Gdiplus::Bitmap> scaled(new Gdiplus::Bitmap(cx, cy, PixelFormat32bppPARGB));
    if (!scaled || scaled->GetLastStatus() != Gdiplus::Ok)
        return 0;
    Gdiplus::BitmapData data = {};
    const Gdiplus::Rect rcAll(0, 0, cx, cy);
    if (scaled->LockBits(&rcAll, Gdiplus::ImageLockModeWrite, PixelFormat32bppPARGB, &data) != Gdiplus::Ok)
        return 0;
    // Premultiplied BGRA bytes are GDI+'s premultiplied ARGB pixels. One row at a time: asked for
    // the whole, Wine's scaler asks its source for every row in between at once (two more copies
    // of the whole picture, 2.8 GB for 20,000 x 20,000).
    HRESULT hr = S_OK;
    for (int y = 0; y < cy && SUCCEEDED(hr); ++y)
    {
        const WICRect rcRow = { 0, y, cx, 1 };
        hr = scaler.p->CopyPixels(&rcRow, (UINT)data.Stride, (UINT)data.Stride, (BYTE*)data.Scan0 + (INT_PTR)y * data.Stride);
    }
    scaled->UnlockBits(&data);
    if (FAILED(hr))
    {
        // Bytes that failed to decode fail again at the next paint; memory may be there then.
        if (hr != E_OUTOFMEMORY)
            m_bUndecodable = TRUE;
        return 0;
    }
    m_pScaled = scaled.release();
    m_sizeScaled = CSize(cx, cy);
    return 1;
}

BOOL CPictureCtrl::ScalePicture(int cx, int cy)
{
    const int nScaled = ScalePictureWhileDecoding(cx, cy);
    if (nScaled >= 0)
        return nScaled;
    LARGE_INTEGER liStart = {};
    m_pStream->Seek(liStart, STREAM_SEEK_SET, nullptr);
    // Declared first: the loan ends after the image is gone.
    CStreamLoan loan(m_pStream);
    if (loan.Get() == nullptr)
        return FALSE;
    std::unique_ptr<Gdiplus::Image> image(new Gdiplus::Image(loan.Get()));
    if (!image)
        return FALSE;
    if (image->GetLastStatus() != Gdiplus::Ok || image->GetWidth() == 0 || image->GetHeight() == 0)
    {
        // Bytes that did not decode will not decode at the next paint either; a scaled copy that
        // could not be made (memory) is tried again.
        m_bUndecodable = TRUE;
        return FALSE;
    }
    // Transparent to begin with, so the picture's own transparency still shows what lies below.
    std::unique_ptr<Gdiplus::Bitmap> scaled(new Gdiplus::Bitmap(cx, cy, PixelFormat32bppPARGB));
    if (!scaled || scaled->GetLastStatus() != Gdiplus::Ok)
        return FALSE;
    Gdiplus::Graphics graphics(scaled.get());
    // Without these the resampling blends the right and bottom edges with what lies outside the
    // image, and the picture seems not to reach the control's edges.
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    const Gdiplus::Rect rcDest(0, 0, cx, cy);
    if (graphics.DrawImage(image.get(), rcDest, 0, 0, (INT)image->GetWidth(), (INT)image->GetHeight(),
                           Gdiplus::UnitPixel, &attributes) != Gdiplus::Ok)
        return FALSE;
    m_pScaled = scaled.release();
    m_sizeScaled = CSize(cx, cy);
    return TRUE;
}

BOOL CPictureCtrl::DrawPicture(HDC hDC)
{
    if (!m_bIsPicLoaded || m_pStream == nullptr || m_gdiplusToken == 0 || hDC == nullptr || m_bUndecodable)
        return FALSE;
    CRect rc;
    GetClientRect(&rc);
    if (rc.Width() <= 0 || rc.Height() <= 0)
        return TRUE; // nothing to cover
    if (m_pScaled == nullptr || m_sizeScaled != rc.Size())
    {
        FreeScaled();
        if (!ScalePicture(rc.Width(), rc.Height()))
            return FALSE;
    }
    // Pixel for pixel: no resampling of the scaled copy.
    Gdiplus::Graphics graphics(hDC);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    return graphics.DrawImage(m_pScaled, Gdiplus::Rect(0, 0, rc.Width(), rc.Height()), 0, 0, rc.Width(),
                              rc.Height(), Gdiplus::UnitPixel) == Gdiplus::Ok;
}

void CPictureCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (m_bIsPicLoaded && lpDrawItemStruct != nullptr)
        DrawPicture(lpDrawItemStruct->hDC);
}

BOOL CPictureCtrl::OnEraseBkgnd(CDC* pDC)
{
    if (m_bIsPicLoaded && DrawPicture(pDC->GetSafeHdc()))
        return TRUE;
    return CStatic::OnEraseBkgnd(pDC);
}
