// The picture control with a large image.
//   picture_repaint: a 5000 x 5000 bitmap in a 400 x 300 control; a repaint (invalidate, erase,
//                    paint) against the first paint, which decodes and scales the image. Also
//                    printed: the repaint in ms, the working set before and after, and its peak.
//   picture_load_file_64mb: LoadFromFile of a 64 MB file against Load of the same bytes from
//                    memory, no window (so neither side paints).
// Fastest of several rounds, the two sides of a ratio taking turns.
#include "BenchClock.h"
#include "widgets/PictureCtrl.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
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
}  // namespace

int main()
{
    CWnd frame;
    frame.CreateEx(0, nullptr, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400, nullptr, nullptr);

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
