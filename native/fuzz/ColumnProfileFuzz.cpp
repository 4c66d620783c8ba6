// libFuzzer target for the stored column profile: unescape(escape(x)) == x with no control character
// in the escaped text; entries made from the input read back equal after being written; reading is
// stable under writing again; the input read as a profile resolves to a usable layout (shown
// positions 0, 1, ... once each, widths in 0-10000, one position and one width per column).
// Input layout: byte 0 the built-in column count (mod 8), byte 1 the columns held beyond it (mod 4);
// the rest is the stored value and, cut at '\x01', the entry texts.
#include "lists/ColumnProfileText.h"
#include "FuzzOracle.h"

namespace
{
bool SameEntries(const CColumnProfileEntries& a, const CColumnProfileEntries& b)
{
    bool bSame = a.GetSize() == b.GetSize();
    for (INT_PTR i = 0; bSame && i < a.GetSize(); ++i)
    {
        const sColumnProfileEntry &x = a[i], &y = b[i];
        bSame = x.nColumn == y.nColumn && x.nPosition == y.nPosition && x.nWidth == y.nWidth &&
                x.bDefinition == y.bDefinition && Str(x.csName) == Str(y.csName) && Str(x.csText1) == Str(y.csText1) &&
                Str(x.csText2) == Str(y.csText2);
    }
    return bSame;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int nBuiltIn = data[0] % 8, nHeld = nBuiltIn + data[1] % 4;
    const std::string rest = Text(data + 2, size - 2);
    const CString value = Bytes(rest);

    // The escape, on the whole input as one text.
    const CString stored = EscapeProfileText(value);
    Check(Str(UnescapeProfileText(stored)) == rest);
    for (char c : Str(stored))
        Check((unsigned char)c >= 0x20 && c != 0x7f);

    // Entries from the texts: every third entry is a built-in column, the others user-defined.
    const std::vector<std::string> texts = Split(rest, '\x01');
    auto text = [&texts](size_t k) { return k < texts.size() ? Bytes(texts[k]) : CString(); };
    CColumnProfileEntries entries;
    for (size_t i = 0; i < texts.size(); i += 3)
    {
        const int nColumn = (int)(i / 3);
        sColumnProfileEntry entry;
        entry.nColumn = nColumn < nBuiltIn ? nColumn : nBuiltIn + nColumn;
        entry.nPosition = (int)(i % 5) - 1;
        entry.nWidth = (int)texts[i].size() * 7 - 3;
        if (entry.nColumn >= nBuiltIn)
        {
            entry.bDefinition = true;
            entry.csName = text(i);
            entry.csText1 = text(i + 1);
            entry.csText2 = text(i + 2);
        }
        entries.Add(entry);
    }
    CColumnProfileEntries readBack, read, reread;
    ParseColumnProfile(FormatColumnProfile(entries), nBuiltIn, readBack);
    Check(SameEntries(entries, readBack));

    // The input as a stored profile: reading is stable under writing it again.
    ParseColumnProfile(value, nBuiltIn, read);
    for (INT_PTR i = 0; i < read.GetSize(); ++i)
        Check(!read[i].bDefinition || read[i].nColumn >= nBuiltIn);
    ParseColumnProfile(FormatColumnProfile(read), nBuiltIn, reread);
    Check(SameEntries(read, reread));

    // ...and resolves to a usable layout.
    CArray<int, int> defaultWidths;
    for (int c = 0; c < nHeld; ++c)
        defaultWidths.Add(40 + c);
    sColumnLayout layout;
    if (!ResolveColumnProfile(value, nBuiltIn, defaultWidths, layout))
    {
        Check(layout.positions.GetSize() == 0 && layout.added.GetSize() == 0);
        return 0;
    }
    const INT_PTR nColumns = nHeld + layout.added.GetSize();
    Check(layout.positions.GetSize() == nColumns && layout.widths.GetSize() == nColumns);
    std::vector<int> claims((size_t)nColumns, 0);
    int nShown = 0;
    for (INT_PTR c = 0; c < nColumns; ++c)
    {
        const int p = layout.positions[c];
        Check(p >= -1 && p < nColumns);
        if (p >= 0)
        {
            ++claims[(size_t)p];
            ++nShown;
        }
        Check(layout.widths[c] >= 0 && layout.widths[c] <= 10000);
    }
    for (int p = 0; p < nColumns; ++p)
        Check(claims[(size_t)p] == (p < nShown ? 1 : 0));
    for (INT_PTR i = 0; i < layout.added.GetSize(); ++i)
        Check(layout.added[i].nColumn == nHeld + i && layout.added[i].bDefinition);
    return 0;
}
