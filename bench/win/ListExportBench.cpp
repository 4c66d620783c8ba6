// Writing a comma-separated file: the exporter reading 100,000 rows x 20 columns through its text
// source, against writing the same bytes by the shortest route (each line joined from the same
// texts and written with one fwrite). Best of seven rounds each, in alternating order.
#include "BenchClock.h"
#include "export/ListExporter.h"

#include <string>
#include <vector>

namespace
{
const int kRows = 100000;
const int kColumns = 20;

struct sTable
{
    std::vector<std::string> headings;
    std::vector<std::string> cells;   // row-major
};

int Text(void* pContext, int nRow, int nColumn, CString& csText, int& nType)
{
    const sTable& t = *static_cast<const sTable*>(pContext);
    const std::string& s = nRow == 0 ? t.headings[(size_t)nColumn] : t.cells[(size_t)(nRow - 1) * kColumns + (size_t)nColumn];
    // A host that knows its texts' lengths fills the buffer the exporter reuses.
    memcpy(csText.GetBufferSetLength((int)s.size()), s.data(), s.size());
    nType = nRow == 0 ? 0 : -1;
    return 1;
}

// The file dialog answers with the path.
class CAnswerPath : public CRecordingModalScript
{
public:
    std::string m_path;
    INT_PTR RunCommonDialog(CCommonDialog* pDlg) override
    {
        static_cast<CFileDialog*>(pDlg)->m_strPathName = m_path.c_str();
        return IDOK;
    }
};

long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? (long)data.nFileSizeLow : -1;
}
}  // namespace

int main()
{
    sTable t;
    CBenchRandom random(2207);
    for (int c = 0; c < kColumns; ++c)
        t.headings.push_back("Column " + std::to_string(c));
    t.cells.reserve((size_t)kRows * kColumns);
    for (int i = 0; i < kRows * kColumns; ++i)
    {
        char text[32];
        switch (i % 4)
        {
        case 0: snprintf(text, sizeof(text), "%d.%02d", random.Next(200000), random.Next(100)); break;
        case 1: snprintf(text, sizeof(text), "%d", random.Next(1000000)); break;
        case 2: snprintf(text, sizeof(text), "NIFTY%d CE", 50 * random.Next(900)); break;
        default: text[0] = '\0'; break;
        }
        t.cells.push_back(text);
    }
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof(temp), temp);
    std::string oursPath = std::string(temp) + "ListExportBench-ours.csv";
    std::string basePath = std::string(temp) + "ListExportBench-base.csv";

    CAnswerPath script;
    script.m_path = oursPath;
    CModalScriptScope scope(&script);

    auto runOurs = [&]() {
        CListExporter exporter(kRows + 1, kColumns, &Text, &t);
        return exporter.Export() == 1;
    };
    auto runBase = [&]() {
        FILE* f = fopen(basePath.c_str(), "wb");
        std::string line;
        for (int r = 0; r <= kRows; ++r)
        {
            line.clear();
            for (int c = 0; c < kColumns; ++c)
            {
                if (c > 0)
                    line += ',';
                line += r == 0 ? t.headings[(size_t)c] : t.cells[(size_t)(r - 1) * kColumns + (size_t)c];
            }
            line += "\r\n";
            fwrite(line.data(), 1, line.size(), f);
        }
        fclose(f);
    };
    // Rounds alternate which side goes first; each side's fastest round counts.
    double ours = 1e300, base = 1e300;
    for (int run = 0; run < 7; ++run)
    {
        // Neither side pays for truncating the previous round's file.
        ::DeleteFileA(oursPath.c_str());
        ::DeleteFileA(basePath.c_str());
        for (int side = 0; side < 2; ++side)
        {
            double t0 = BenchNow();
            if ((side + run) % 2 == 0)
            {
                if (!runOurs())
                {
                    printf("ListExportBench: the export failed\n");
                    return 1;
                }
                ours = std::min(ours, BenchNow() - t0);
            }
            else
            {
                runBase();
                base = std::min(base, BenchNow() - t0);
            }
        }
    }
    // What reading every cell through the text source alone costs, for the record.
    double source = 1e300;
    for (int run = 0; run < 3; ++run)
    {
        double t0 = BenchNow();
        CString csText;
        size_t nBytes = 0;
        for (int r = 0; r <= kRows; ++r)
            for (int c = 0; c < kColumns; ++c)
            {
                int nType = -1;
                csText.Empty();
                Text(&t, r, c, csText, nType);
                nBytes += (size_t)csText.GetLength();
            }
        source = std::min(source, BenchNow() - t0);
        if (nBytes == 0)
            return 1;
    }
    long nOurs = FileSize(oursPath), nBase = FileSize(basePath);
    char extra[96];
    snprintf(extra, sizeof(extra), " columns=%d bytes=%ld source=%.1f%s", kColumns, nOurs, source / kRows,
             nOurs == nBase ? "" : " SIZE-MISMATCH");
    BenchReport("list_export_csv", ours, base, kRows, extra);
    ::DeleteFileA(oursPath.c_str());
    ::DeleteFileA(basePath.c_str());
    return nOurs == nBase ? 0 : 1;
}
