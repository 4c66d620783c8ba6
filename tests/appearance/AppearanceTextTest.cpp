// The stored appearance values and the keyword lookups, without windows: built into the Wine test
// program and natively with the sanitizers.
#include "lists/AppearanceText.h"
#include "lists/KeywordRules.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
void AddRule(cCustomizedAppearanceSettings& record, const char* pszKeyword, COLORREF color)
{
    if (record.m_pKeywords == nullptr)
        record.ResetKeywordArrays();
    record.m_pKeywords->Add(pszKeyword);
    record.m_pKeywordColors->Add(color);
}

void AddUserKeyword(cCustomizedAppearanceSettings& record, const char* pszKeyword, COLORREF text, COLORREF back)
{
    if (record.m_pUserKeywords == nullptr)
        record.ResetUserArrays();
    record.m_pUserKeywords->Add(pszKeyword);
    record.m_pUserTextColors->Add(text);
    record.m_pUserBackColors->Add(back);
}

std::string Customize(const cCustomizedAppearanceSettings& record, bool bWithRules)
{
    CString value = "<untouched>";
    FormatCustomizeLists(record, bWithRules, value);
    return value.GetString();
}

std::string Rules(const cCustomizedAppearanceSettings& record)
{
    std::string out;
    if (record.m_pKeywords == nullptr)
        return "<none>";
    for (INT_PTR i = 0; i < record.m_pKeywords->GetSize(); ++i)
    {
        char sz[32];
        snprintf(sz, sizeof(sz), "=%lX;", (unsigned long)record.m_pKeywordColors->GetAt(i));
        out += record.m_pKeywords->GetAt(i).GetString();
        out += sz;
    }
    return out;
}
}  // namespace

TEST(AppearanceText, TheDocumentedExampleComesOutByteForByte)
{
    cCustomizedAppearanceSettings record;   // black, green, "MS Shell Dlg 2" 8
    record.m_nKeywordColumn = 2;
    AddRule(record, "buy", 0x0000FF);
    EXPECT_EQ("0,FF00,MS Shell Dlg 2,8,2,buy,FF,", Customize(record, true));
    EXPECT_EQ("0,FF00,MS Shell Dlg 2,8", Customize(record, false));

    cCustomizedAppearanceSettings back;
    back.m_clrBackground = 0x030201;
    EXPECT_EQ(APPEARANCE_READ_WHOLE, ParseCustomizeLists("0,FF00,MS Shell Dlg 2,8,2,buy,FF,", back));
    EXPECT_EQ(0u, back.m_clrBackground);
    EXPECT_EQ(0xFF00u, back.m_clrText);
    EXPECT_STREQ("MS Shell Dlg 2", back.m_csFontName);
    EXPECT_STREQ("8", back.m_csFontSize);
    EXPECT_EQ(2, back.m_nKeywordColumn);
    EXPECT_EQ("buy=FF;", Rules(back));
}

TEST(AppearanceText, RulesAreReadInLowerCaseAndRoundTripInOrder)
{
    cCustomizedAppearanceSettings record;
    ASSERT_EQ(APPEARANCE_READ_WHOLE,
              ParseCustomizeLists("FFFFFF,0,Tahoma,12,0,STOP LOSS,FF,Buy,ff00,b,c0ffee,", record));
    EXPECT_EQ("stop loss=FF;buy=FF00;b=C0FFEE;", Rules(record));
    EXPECT_EQ("FFFFFF,0,Tahoma,12,0,stop loss,FF,buy,FF00,b,C0FFEE,", Customize(record, true));
}

TEST(AppearanceText, KeywordColumnMinusOneCarriesNoRulesEvenWithMoreFields)
{
    cCustomizedAppearanceSettings record;
    record.m_nKeywordColumn = 3;
    EXPECT_EQ(APPEARANCE_READ_WHOLE, ParseCustomizeLists("10,20,Arial,9,-1,buy,FF,", record));
    EXPECT_EQ(-1, record.m_nKeywordColumn);
    EXPECT_EQ("<none>", Rules(record));
    EXPECT_EQ(0x10u, record.m_clrBackground);
    EXPECT_STREQ("Arial", record.m_csFontName);
}

TEST(AppearanceText, AKeywordWithoutColourDiscardsEveryRuleButKeepsTheScalars)
{
    cCustomizedAppearanceSettings record;
    EXPECT_EQ(APPEARANCE_READ_PARTIAL, ParseCustomizeLists("FF,FF0000,Arial,10,1,buy,FF,sell", record));
    EXPECT_EQ("", Rules(record));
    EXPECT_EQ(0xFFu, record.m_clrBackground);
    EXPECT_EQ(1, record.m_nKeywordColumn);

    cCustomizedAppearanceSettings bad;
    EXPECT_EQ(APPEARANCE_READ_PARTIAL, ParseCustomizeLists("FF,FF0000,Arial,10,1,buy,FF,sell,GREEN,", bad));
    EXPECT_EQ("", Rules(bad));
}

TEST(AppearanceText, MalformedScalarsEndTheReadingAndKeepWhatCameBefore)
{
    struct Case
    {
        const char* value;
        eAppearanceRead result;
        COLORREF back, text;
        const char* font;
        const char* size;
        int column;
    };
    const Case cases[] = {
        { "", APPEARANCE_READ_PARTIAL, 0, 0xFF00, "MS Shell Dlg 2", "8", -1 },
        { "12", APPEARANCE_READ_PARTIAL, 0x12, 0xFF00, "MS Shell Dlg 2", "8", -1 },
        { "ZZ,FF,Arial,9", APPEARANCE_READ_PARTIAL, 0, 0xFF00, "MS Shell Dlg 2", "8", -1 },
        { "0x12,FF,Arial,9", APPEARANCE_READ_PARTIAL, 0, 0xFF00, "MS Shell Dlg 2", "8", -1 },
        { "1234567,FF,Arial,9", APPEARANCE_READ_PARTIAL, 0, 0xFF00, "MS Shell Dlg 2", "8", -1 },
        { "12,FF,Arial", APPEARANCE_READ_PARTIAL, 0x12, 0xFF, "Arial", "8", -1 },
        { "12,FF,,9", APPEARANCE_READ_WHOLE, 0x12, 0xFF, "MS Shell Dlg 2", "9", -1 },
        { "12,FF,Arial,0,4,", APPEARANCE_READ_WHOLE, 0x12, 0xFF, "Arial", "8", 4 },
        { "12,FF,Arial,5000,4,", APPEARANCE_READ_WHOLE, 0x12, 0xFF, "Arial", "8", 4 },
        { "12,FF,Arial,-9,4,", APPEARANCE_READ_WHOLE, 0x12, 0xFF, "Arial", "8", 4 },
        { "12,FF,Arial,9.5,x,", APPEARANCE_READ_PARTIAL, 0x12, 0xFF, "Arial", "8", -1 },
        { "12,FF,Arial,144,99999999999,", APPEARANCE_READ_PARTIAL, 0x12, 0xFF, "Arial", "144", -1 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.value);
        cCustomizedAppearanceSettings record;
        EXPECT_EQ(c.result, ParseCustomizeLists(c.value, record));
        EXPECT_EQ(c.back, record.m_clrBackground);
        EXPECT_EQ(c.text, record.m_clrText);
        EXPECT_STREQ(c.font, record.m_csFontName);
        EXPECT_STREQ(c.size, record.m_csFontSize);
        EXPECT_EQ(c.column, record.m_nKeywordColumn);
    }
}

TEST(AppearanceText, AnEmptyRuleListLeavesTheRecordsRulesAlone)
{
    cCustomizedAppearanceSettings record;
    AddRule(record, "held", 0x123);
    EXPECT_EQ(APPEARANCE_READ_WHOLE, ParseCustomizeLists("0,FF00,Arial,8,2,", record));
    EXPECT_EQ(2, record.m_nKeywordColumn);
    EXPECT_EQ("held=123;", Rules(record));
}

TEST(AppearanceText, ValuesThatCannotBeStoredAreRefusedWhole)
{
    cCustomizedAppearanceSettings record;
    record.m_nKeywordColumn = 0;
    AddRule(record, "buy", 0xFF);
    AddRule(record, "a,b", 0xFF00);
    EXPECT_EQ("<untouched>", Customize(record, true));
    // Without the rules the same record can be stored.
    EXPECT_EQ("0,FF00,MS Shell Dlg 2,8", Customize(record, false));

    cCustomizedAppearanceSettings font;
    font.m_csFontName = "Bad,Font";
    EXPECT_EQ("<untouched>", Customize(font, false));
    font.m_csFontName = "Line\r\nBreak";
    EXPECT_EQ("<untouched>", Customize(font, false));
    font.m_csFontName = "";
    EXPECT_EQ("<untouched>", Customize(font, false));

    cCustomizedAppearanceSettings user;
    AddUserKeyword(user, "ok", 1, 2);
    AddUserKeyword(user, "x,y", 3, 4);
    CString value = "<untouched>";
    EXPECT_FALSE(FormatUserCustomizeLists(user, value));
    EXPECT_STREQ("<untouched>", value);

    EXPECT_FALSE(IsStorableKeyword(""));
    EXPECT_FALSE(IsStorableKeyword("a,"));
    EXPECT_FALSE(IsStorableKeyword("a\nb"));
    EXPECT_TRUE(IsStorableKeyword("stop loss"));
}

TEST(AppearanceText, ThousandsOfRulesRoundTrip)
{
    cCustomizedAppearanceSettings record;
    record.m_nKeywordColumn = 7;
    for (int i = 0; i < 5000; ++i)
    {
        CString keyword;
        keyword.Format("kw%d", i);
        AddRule(record, keyword, (COLORREF)(i * 2654435761u) & 0xFFFFFF);
    }
    CString value;
    ASSERT_TRUE(FormatCustomizeLists(record, true, value));
    cCustomizedAppearanceSettings back;
    ASSERT_EQ(APPEARANCE_READ_WHOLE, ParseCustomizeLists(value, back));
    EXPECT_EQ(Rules(record), Rules(back));
    CString again;
    ASSERT_TRUE(FormatCustomizeLists(back, true, again));
    EXPECT_STREQ(value, again);
}

TEST(AppearanceText, UserKeywordsRoundTripAndAShortTripleEndsTheReading)
{
    cCustomizedAppearanceSettings record;
    record.m_clrBackground = 0x202020;
    AddUserKeyword(record, "buy", 0xFF, 0xFFFFFF);
    AddUserKeyword(record, "sell", 0, 0xFF);
    CString value;
    ASSERT_TRUE(FormatUserCustomizeLists(record, value));
    EXPECT_STREQ("202020,FF00,MS Shell Dlg 2,8,buy,FF,FFFFFF,sell,0,FF,", value);

    cCustomizedAppearanceSettings none;
    ASSERT_TRUE(FormatUserCustomizeLists(none, value));
    EXPECT_STREQ("0,FF00,MS Shell Dlg 2,8", value);

    cCustomizedAppearanceSettings back;
    EXPECT_EQ(APPEARANCE_READ_PARTIAL, ParseUserCustomizeLists("1,2,Arial,10,BUY,FF,FFFFFF,sell,0", back));
    ASSERT_NE(nullptr, back.m_pUserKeywords);
    ASSERT_EQ(1, back.m_pUserKeywords->GetSize());
    EXPECT_STREQ("buy", back.m_pUserKeywords->GetAt(0));
    EXPECT_EQ(0xFFu, back.m_pUserTextColors->GetAt(0));
    EXPECT_EQ(0xFFFFFFu, back.m_pUserBackColors->GetAt(0));
    EXPECT_EQ(1u, back.m_clrBackground);
    EXPECT_STREQ("Arial", back.m_csFontName);

    cCustomizedAppearanceSettings plain;
    EXPECT_EQ(APPEARANCE_READ_WHOLE, ParseUserCustomizeLists("1,2,Arial,10", plain));
    EXPECT_EQ(nullptr, plain.m_pUserKeywords);
}

TEST(KeywordRules, RowColourComesFromTheFirstContainedKeywordWithoutRegardToCase)
{
    cCustomizedAppearanceSettings record;
    record.m_nKeywordColumn = 1;
    AddRule(record, "buy", 0x0000FF);
    AddRule(record, "b", 0x00FF00);
    COLORREF color = 0x123456;
    KeywordRules::GetTextColorForItem(record, "BUY 100 @ 12.5", color);
    EXPECT_EQ(0x0000FFu, color);   // BUY matches buy
    color = 0x123456;
    KeywordRules::GetTextColorForItem(record, "Bid", color);
    EXPECT_EQ(0x00FF00u, color);
    color = 0x123456;
    KeywordRules::GetTextColorForItem(record, "sell", color);
    EXPECT_EQ(0x123456u, color);
    KeywordRules::GetTextColorForItem(record, nullptr, color);
    EXPECT_EQ(0x123456u, color);

    // Stored order decides: "b" listed first takes every row that holds a b.
    cCustomizedAppearanceSettings shortFirst;
    shortFirst.m_nKeywordColumn = 1;
    AddRule(shortFirst, "b", 0x00FF00);
    AddRule(shortFirst, "buy", 0x0000FF);
    color = 0;
    KeywordRules::GetTextColorForItem(shortFirst, "buy", color);
    EXPECT_EQ(0x00FF00u, color);

    record.m_nKeywordColumn = -1;
    color = 0x123456;
    KeywordRules::GetTextColorForItem(record, "buy", color);
    EXPECT_EQ(0x123456u, color);
}

TEST(KeywordRules, OddRecordsNeverMatchWrongly)
{
    cCustomizedAppearanceSettings record;
    record.m_nKeywordColumn = 0;
    AddRule(record, "", 0xFF);          // an empty keyword is contained in everything: never matches
    AddRule(record, "abc", 0xFF00);
    record.m_pKeywords->Add("orphan");  // a keyword without its colour
    COLORREF color = 1;
    KeywordRules::GetTextColorForItem(record, "xxabcxx", color);
    EXPECT_EQ(0xFF00u, color);
    color = 1;
    KeywordRules::GetTextColorForItem(record, "orphan", color);
    EXPECT_EQ(1u, color);
    color = 1;
    KeywordRules::GetTextColorForItem(record, "ab", color);
    EXPECT_EQ(1u, color);
    color = 1;
    KeywordRules::GetTextColorForItem(record, "\xE9t\xE9 ABC", color);
    EXPECT_EQ(0xFF00u, color);
}

TEST(KeywordRules, CellColoursComeFromAUserKeywordEqualToTheWholeText)
{
    cCustomizedAppearanceSettings record;
    AddUserKeyword(record, "buy", 0xFF, 0xFFFFFF);
    AddUserKeyword(record, "sell", 0xFF0000, 0x00FFFF);
    COLORREF text = 1, back = 2;
    KeywordRules::GetProperty(record, text, back, "SELL");
    EXPECT_EQ(0xFF0000u, text);
    EXPECT_EQ(0x00FFFFu, back);
    text = 1, back = 2;
    KeywordRules::GetProperty(record, text, back, "buy ");
    EXPECT_EQ(1u, text);
    EXPECT_EQ(2u, back);
    KeywordRules::GetProperty(record, text, back, "bu");
    EXPECT_EQ(1u, text);
    KeywordRules::GetProperty(record, text, back, nullptr);
    EXPECT_EQ(2u, back);
    cCustomizedAppearanceSettings empty;
    EXPECT_EQ(1, KeywordRules::GetProperty(empty, text, back, "buy"));
    EXPECT_EQ(1u, text);
}

TEST(AppearanceText, ResettingArraysLeavesASharingHolderItsOwn)
{
    cCustomizedAppearanceSettings original;
    original.m_nKeywordColumn = 0;
    AddRule(original, "buy", 0xFF);
    cCustomizedAppearanceSettings shared(original);   // shares the arrays
    EXPECT_EQ(APPEARANCE_READ_WHOLE, ParseCustomizeLists("0,0,Arial,8,1,sell,FF00,", shared));
    EXPECT_EQ("sell=FF00;", Rules(shared));
    EXPECT_EQ("buy=FF;", Rules(original));
    EXPECT_EQ(AppearanceKey("Orders", 1032), CString("Orders-1032"));
}
