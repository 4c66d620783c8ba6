// The picture control with a large image.
//   picture_repaint: a 5000 x 5000 bitmap in a 400 x 300 control; a repaint (invalidate, erase,
//                    paint) against the first paint, which decodes and scales the image. Also
//                    printed: the repaint in ms, the working set before and after, and its peak.
//   picture_first_paint_memory_20000: a valid 20000 x 20000 PNG (24-bit) in a 400 x 300 control;
//                    the working set's peak growth over the load and first paint against the size
//                    of one 32-bit decode of the whole picture (1.6 GB). Also printed: the time of
//                    that first paint and of a repaint.
//   picture_load_file_64mb: LoadFromFile of a 64 MB file against Load of the same bytes from
//                    memory, no window (so neither side paints).
// Fastest of several rounds, the two sides of a ratio taking turns.
#include "BenchClock.h"
#include "widgets/PictureCtrl.h"

#include <psapi.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
const int kRounds = 5;

// The working set now, and its peak so far, in MB.
void WorkingSetMb(double& dNow, double& dPeak)
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
    dNow = (double)pmc.WorkingSetSize / (1024.0 * 1024.0);
    dPeak = (double)pmc.PeakWorkingSetSize / (1024.0 * 1024.0);
}

// A bottom-up 24-bit BMP of cx x cy in four coloured quarters.
std::vector<BYTE> QuartersBmp(int cx, int cy)
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
    for (int y = 0; y < cy; y++)
    {
        BYTE* p = &bmp[54 + nRow * (size_t)y];
        for (int x = 0; x < cx; x++, p += 3)
        {
            p[0] = x < cx / 2 ? 200 : 20;
            p[1] = y < cy / 2 ? 180 : 60;
            p[2] = (BYTE)(x * 255 / cx);
        }
    }
    return bmp;
}
// A 24-bit PNG of cx x cy (the same quarters), encoded a strip of rows at a time; empty on
// failure. The encoder may hold the picture whole: the bench runs this in a process of its own.
std::vector<BYTE> QuartersPng(int cx, int cy)
{
    std::vector<BYTE> png;
    IWICImagingFactory* pFactory = nullptr;
    IStream* pStream = nullptr;
    IWICBitmapEncoder* pEncoder = nullptr;
    IWICBitmapFrameEncode* pFrame = nullptr;
    bool bOk = SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IWICImagingFactory, (void**)&pFactory)) &&
               SUCCEEDED(::CreateStreamOnHGlobal(nullptr, TRUE, &pStream)) &&
               SUCCEEDED(pFactory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &pEncoder)) &&
               SUCCEEDED(pEncoder->Initialize(pStream, WICBitmapEncoderNoCache)) &&
               SUCCEEDED(pEncoder->CreateNewFrame(&pFrame, nullptr)) && SUCCEEDED(pFrame->Initialize(nullptr)) &&
               SUCCEEDED(pFrame->SetSize((UINT)cx, (UINT)cy));
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    bOk = bOk && SUCCEEDED(pFrame->SetPixelFormat(&format)) && format == GUID_WICPixelFormat24bppBGR;
    const UINT nStride = ((UINT)cx * 3 + 3) & ~3u;
    const int nStrip = 64;
    std::vector<BYTE> rows((size_t)nStride * nStrip);
    for (int y0 = 0; bOk && y0 < cy; y0 += nStrip)
    {
        const int n = std::min(nStrip, cy - y0);
        for (int y = 0; y < n; ++y)
        {
            BYTE* p = &rows[(size_t)nStride * (size_t)y];
            for (int x = 0; x < cx; x++, p += 3)
            {
                p[0] = x < cx / 2 ? 200 : 20;
                p[1] = y0 + y < cy / 2 ? 180 : 60;
                p[2] = (BYTE)(x * 255 / cx);
            }
        }
        bOk = SUCCEEDED(pFrame->WritePixels((UINT)n, nStride, nStride * (UINT)n, rows.data()));
    }
    bOk = bOk && SUCCEEDED(pFrame->Commit()) && SUCCEEDED(pEncoder->Commit());
    STATSTG stat = {};
    if (bOk && SUCCEEDED(pStream->Stat(&stat, STATFLAG_NONAME)))
    {
        png.resize((size_t)stat.cbSize.QuadPart);
        LARGE_INTEGER liStart = {};
        ULONG nRead = 0;
        pStream->Seek(liStart, STREAM_SEEK_SET, nullptr);
        if (FAILED(pStream->Read(png.data(), (ULONG)png.size(), &nRead)) || nRead != png.size())
            png.clear();
    }
    for (IUnknown* p : { (IUnknown*)pFrame, (IUnknown*)pEncoder, (IUnknown*)pStream, (IUnknown*)pFactory })
        if (p != nullptr)
            p->Release();
    return png;
}

// A pixel of the painted control, read back from its window DC's bitmap through a print.
COLORREF PaintedPixel(CWnd& wnd, int x, int y)
{
    CRect rc;
    wnd.GetClientRect(&rc);
    HDC hScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, rc.Width(), rc.Height());
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    wnd.SendMessage(WM_ERASEBKGND, (WPARAM)hdc, 0);
    COLORREF cr = ::GetPixel(hdc, x, y);
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hdc);
    return cr;
}
}  // namespace

// The 20000 x 20000 PNG, made by a child process of this program (so the encoder's memory does
// not count in this process's peak); empty on failure.
std::vector<BYTE> BigPngFromChild(int n)
{
    char szSelf[MAX_PATH] = {}, szTemp[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, szSelf, MAX_PATH);
    ::GetTempPathA(MAX_PATH, szTemp);
    const std::string strPath = std::string(szTemp) + "picture_bench_big.png";
    std::string cmd = "\"" + std::string(szSelf) + "\" --png " + std::to_string(n) + " \"" + strPath + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::vector<BYTE> png;
    if (!::CreateProcessA(szSelf, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return png;
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    if (FILE* pFile = fopen(strPath.c_str(), "rb"))
    {
        fseek(pFile, 0, SEEK_END);
        png.resize((size_t)ftell(pFile));
        fseek(pFile, 0, SEEK_SET);
        if (fread(png.data(), 1, png.size(), pFile) != png.size())
            png.clear();
        fclose(pFile);
    }
    ::DeleteFileA(strPath.c_str());
    return png;
}

int main(int argc, char** argv)
{
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (argc > 3 && strcmp(argv[1], "--png") == 0)
    {
        std::vector<BYTE> png = QuartersPng(atoi(argv[2]), atoi(argv[2]));
        FILE* pFile = fopen(argv[3], "wb");
        bool bOk = !png.empty() && pFile != nullptr && fwrite(png.data(), 1, png.size(), pFile) == png.size();
        if (pFile != nullptr)
            fclose(pFile);
        return bOk ? 0 : 1;
    }
    CWnd frame;
    frame.CreateEx(0, nullptr, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400, nullptr, nullptr);

    {
        // First, while the process's peak is still its own.
        const int n = 20000;
        std::vector<BYTE> png = BigPngFromChild(n);
        if (png.empty())
        {
            printf("bench picture_first_paint_memory_20000: could not encode the picture\n");
            return 1;
        }
        CPictureCtrl picture;
        picture.Create("", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 410, 310), &frame, 2);
        double dBefore = 0, dPeakBefore = 0;
        WorkingSetMb(dBefore, dPeakBefore);
        double t0 = BenchNow();
        picture.Load(png.data(), png.size());
        const double dFirst = BenchNow() - t0;
        double dAfter = 0, dPeak = 0;
        WorkingSetMb(dAfter, dPeak);
        t0 = BenchNow();
        picture.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        const double dRepaint = BenchNow() - t0;
        // Top-left quarter: blue 200, green 180; bottom-right: blue 20, green 60.
        const COLORREF crTopLeft = PaintedPixel(picture, 20, 20), crBottomRight = PaintedPixel(picture, 380, 280);
        if (GetBValue(crTopLeft) < 150 || GetGValue(crTopLeft) < 140 || GetBValue(crBottomRight) > 60 ||
            GetGValue(crBottomRight) > 100)
            printf("bench picture_first_paint_memory_20000: the picture was not painted (%06lX, %06lX)\n",
                   (unsigned long)crTopLeft, (unsigned long)crBottomRight);
        const double dFullMb = (double)n * n * 4 / (1024.0 * 1024.0);
        const double dGrowthMb = dPeak - dBefore;
        char szExtra[200];
        snprintf(szExtra, sizeof(szExtra), " png_mb=%.1f first_paint_ms=%.0f repaint_ms=%.2f working_set_mb=%.0f->%.0f peak_mb=%.0f",
                 (double)png.size() / (1024.0 * 1024.0), dFirst / 1e6, dRepaint / 1e6, dBefore, dAfter, dPeak);
        printf("bench picture_first_paint_memory_20000 ratio=%.3f ours=%.0f baseline=%.0f n=1%s\n", dGrowthMb / dFullMb,
               dGrowthMb, dFullMb, szExtra);
        fflush(stdout);
        picture.DestroyWindow();
    }

    {
        std::vector<BYTE> bmp = QuartersBmp(5000, 5000);
        CPictureCtrl picture;
        picture.Create("", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 410, 310), &frame, 1);
        double dBefore = 0, dPeakBefore = 0;
        WorkingSetMb(dBefore, dPeakBefore);
        double dFirst = 1e300, dRepaint = 1e300;
        for (int r = 0; r < kRounds; ++r)
        {
            picture.FreeData();
            // The load paints at once: the image is copied and decoded, then scaled.
            double t0 = BenchNow();
            picture.Load(bmp.data(), bmp.size());
            dFirst = std::min(dFirst, BenchNow() - t0);
            for (int k = 0; k < 4; ++k)
            {
                t0 = BenchNow();
                picture.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                dRepaint = std::min(dRepaint, BenchNow() - t0);
            }
        }
        double dAfter = 0, dPeak = 0;
        WorkingSetMb(dAfter, dPeak);
        char szExtra[160];
        snprintf(szExtra, sizeof(szExtra), " repaint_ms=%.2f image_mb=%.0f working_set_mb=%.0f->%.0f peak_mb=%.0f",
                 dRepaint / 1e6, (double)bmp.size() / (1024.0 * 1024.0), dBefore, dAfter, dPeak);
        BenchReport("picture_repaint", dRepaint, dFirst, 1, szExtra);
        picture.DestroyWindow();
    }

    {
        std::vector<BYTE> data(64u << 20);
        CBenchRandom random(7);
        for (size_t i = 0; i < data.size(); i += 4096)
            data[i] = (BYTE)random.Next(256);
        char szTemp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szTemp);
        std::string strPath = std::string(szTemp) + "picture_bench.bin";
        FILE* pFile = fopen(strPath.c_str(), "wb");
        if (!pFile || fwrite(data.data(), 1, data.size(), pFile) != data.size())
        {
            printf("bench picture_load_file_64mb: cannot write %s\n", strPath.c_str());
            return 1;
        }
        fclose(pFile);
        CPictureCtrl picture; // no window: loading only
        CString csPath(strPath.c_str());
        double dFile = 1e300, dMemory = 1e300;
        for (int r = 0; r < kRounds; ++r)
        {
            for (int side = 0; side < 2; ++side)
            {
                const bool bFile = (side == 0) == (r % 2 == 0);
                const double t0 = BenchNow();
                const BOOL bLoaded = bFile ? picture.LoadFromFile(csPath) : picture.Load(data.data(), data.size());
                const double dTime = BenchNow() - t0;
                STATSTG stat = {};
                if (!bLoaded || !picture.m_pStream || FAILED(picture.m_pStream->Stat(&stat, STATFLAG_NONAME))
                    || stat.cbSize.QuadPart != data.size())
                {
                    printf("bench picture_load_file_64mb: the %s load did not keep the bytes\n", bFile ? "file" : "memory");
                    return 1;
                }
                (bFile ? dFile : dMemory) = std::min(bFile ? dFile : dMemory, dTime);
                picture.FreeData();
            }
        }
        ::DeleteFileA(strPath.c_str());
        BenchReport("picture_load_file_64mb", dFile, dMemory, 1);
    }
    frame.DestroyWindow();
    return 0;
}
