// One settings write into a file of 1,000 keys (50 sections of 20), through the tools library
// (copy beside the file, write, whole-file check, flush, move over the original) against the
// platform's own write into the file in place followed by a read-back of the value (what a write
// cost before it became all or nothing).
#include "BenchClock.h"
#include "OrvoTools.h"

#include <cstdio>
#include <string>

namespace
{
const int kSections = 50;
const int kKeys = 20;
const int kWrites = 100;

void Fill(const std::string& path)
{
    ::DeleteFileA(path.c_str());
    for (int s = 0; s < kSections; ++s)
        for (int k = 0; k < kKeys; ++k)
        {
            char section[32], key[32];
            snprintf(section, sizeof(section), "List%02d", s);
            snprintf(key, sizeof(key), "Key%02d", k);
            ::WritePrivateProfileStringA(section, key, "0,0,80,1,1,90,2,-1,0,3,2,75", path.c_str());
        }
}
}  // namespace

int main()
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string ours = std::string(temp) + "bench-settings-ours.ini";
    const std::string base = std::string(temp) + "bench-settings-base.ini";
    Fill(ours);
    Fill(base);
    CBenchRandom random(7);

    double dOurs = 0, dBase = 0;
    for (int i = 0; i < kWrites; ++i)
    {
        char section[32], value[48];
        snprintf(section, sizeof(section), "List%02d", random.Next(kSections));
        snprintf(value, sizeof(value), "0,0,%d,1,1,90", i);

        double t0 = BenchNow();
        CString v = value, file = ours.c_str(), error;
        if (!orvou_ini_file_operations(1, section, "Key07", v, file, error))
            printf("write refused: %s\n", (LPCTSTR)error);
        dOurs += BenchNow() - t0;

        t0 = BenchNow();
        char back[64];
        ::WritePrivateProfileStringA(section, "Key07", value, base.c_str());
        ::GetPrivateProfileStringA(section, "Key07", "", back, sizeof(back), base.c_str());
        dBase += BenchNow() - t0;
    }
    BenchReport("settings_write_1000_keys", dOurs, dBase, kWrites);
    ::DeleteFileA(ours.c_str());
    ::DeleteFileA(base.c_str());
    return 0;
}
