// The stored appearance values and the keyword lookups, without windows: built into the Wine test
// program and natively with the sanitizers.
#include "lists/AppearanceText.h"
#include "lists/KeywordRules.h"
#include "RuleText.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
std::string Customize(const cCustomizedAppearanceSettings& record, bool bWithRules)
{
    CString value = "<untouched>";
    FormatCustomizeLists(record, bWithRules, value);
    return value.GetString();
}
}  // namespace

TEST(AppearanceText, CustomizeEntriesRoundTripWithTheirRulesInLowerCase)
{
    cCustomizedAppearanceSettings record;   // black, green, "MS Shell Dlg 2" 8
    record.m_nKeywordColumn = 2;
    AddRule(record, "buy", 0x0000FF);
    EXPECT_EQ("0,FF00,MS Shell Dlg 2,8,2,buy,FF,", Customize(record, true));
    EXPECT_EQ("0,FF00,MS Shell Dlg 2,8", Customize(record, false));

    cCustomizedAppearanceSettings back;
    ASSERT_EQ(APPEARANCE_READ_WHOLE, ParseCustomizeLists("FFFFFF,0,Tahoma,12,0,STOP LOSS,FF,Buy,ff00,b,c0ffee,", back));
    EXPECT_EQ("stop loss=FF;buy=FF00;b=C0FFEE;", Rules(back));
    EXPECT_EQ("FFFFFF,0,Tahoma,12,0,stop loss,FF,buy,FF00,b,C0FFEE,", Customize(back, true));
}

TEST(AppearanceText, MalformedFieldsEndTheReadingAndKeepWhatCameBefore)
{
    const char* const D = "MS Shell Dlg 2";
    struct Case { const char* value; eAppearanceRead result; COLORREF back, text; const char *font, *size; int column;
                  const char* rules; };   // rules null: not checked
    const Case cases[] = {
        { "", APPEARANCE_READ_PARTIAL, 0, 0xFF00, D, "8", -1, nullptr },
        { "12", APPEARANCE_READ_PARTIAL, 0x12, 0xFF00, D, "8", -1, nullptr },
        { "ZZ,FF,Arial,9", APPEARANCE_READ_PARTIAL, 0, 0xFF00, D, "8", -1, nullptr },
        { "1234567,FF,Arial,9", APPEARANCE_READ_PARTIAL, 0, 0xFF00, D, "8", -1, nullptr },
        { "12,FF,Arial", APPEARANCE_READ_PARTIAL, 0x12, 0xFF, "Arial", "8", -1, nullptr },
        { "12,FF,,9", APPEARANCE_READ_WHOLE, 0x12, 0xFF, D, "9", -1, nullptr },
        { "12,FF,Arial,0,4,", APPEARANCE_READ_WHOLE, 0x12, 0xFF, "Arial", "8", 4, nullptr },
        { "12,FF,Arial,5000,4,", APPEARANCE_READ_WHOLE, 0x12, 0xFF, "Arial", "8", 4, nullptr },
        { "12,FF,Arial,9.5,x,", APPEARANCE_READ_PARTIAL, 0x12, 0xFF, "Arial", "8", -1, nullptr },
        { "12,FF,Arial,144,99999999999,", APPEARANCE_READ_PARTIAL, 0x12, 0xFF, "Arial", "144", -1, nullptr },
        // Column -1 carries no rules, whatever follows.
        { "10,20,Arial,9,-1,buy,FF,", APPEARANCE_READ_WHOLE, 0x10, 0x20, "Arial", "9", -1, "<none>" },
        // A keyword without its colour, or with a colour that is none, discards every rule.
        { "FF,FF0000,Arial,10,1,buy,FF,sell", APPEARANCE_READ_PARTIAL, 0xFF, 0xFF0000, "Arial", "10", 1, "" },
        { "FF,FF0000,Arial,10,1,buy,FF,sell,GREEN,", APPEARANCE_READ_PARTIAL, 0xFF, 0xFF0000, "Arial", "10", 1, "" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.value);
        cCustomizedAppearanceSettings record;
        record.m_nKeywordColumn = c.column == -1 && c.rules ? 3 : -1;
        EXPECT_EQ(c.result, ParseCustomizeLists(c.value, record));
        EXPECT_EQ(c.back, record.m_clrBackground);
        EXPECT_EQ(c.text, record.m_clrText);
        EXPECT_STREQ(c.font, record.m_csFontName);
        EXPECT_STREQ(c.size, record.m_csFontSize);
        EXPECT_EQ(c.column, record.m_nKeywordColumn);
        if (c.rules != nullptr)
        {
            EXPECT_EQ(c.rules, Rules(record));
        }
    }
    // An empty rule list leaves the record's rules alone.
    cCustomizedAppearanceSettings held;
    AddRule(held, "held", 0x123);
    EXPECT_EQ(APPEARANCE_READ_WHOLE, ParseCustomizeLists("0,FF00,Arial,8,2,", held));
    EXPECT_EQ(2, held.m_nKeywordColumn);
    EXPECT_EQ("held=123;", Rules(held));
}

TEST(AppearanceText, ValuesThatCannotBeStoredAreRefusedWhole)
{
    cCustomizedAppearanceSettings record;
    record.m_nKeywordColumn = 0;
    AddRule(record, "buy", 0xFF);
    AddRule(record, "a,b", 0xFF00);
    EXPECT_EQ("<untouched>", Customize(record, true));
    EXPECT_EQ("0,FF00,MS Shell Dlg 2,8", Customize(record, false));   // without the rules it can be stored
    for (const char* pszFace : { "Bad,Font", "Line\r\nBreak", "" })
    {
        cCustomizedAppearanceSettings font;
        font.m_csFontName = pszFace;
        EXPECT_EQ("<untouched>", Customize(font, false)) << pszFace;
    }
    cCustomizedAppearanceSettings user;
    AddUserKeyword(user, "ok", 1, 2);
    AddUserKeyword(user, "x,y", 3, 4);
    CString value = "<untouched>";
    EXPECT_FALSE(FormatUserCustomizeLists(user, value));
    EXPECT_STREQ("<untouched>", value);
    for (const char* pszBad : { "", "a,", "a\nb" })
        EXPECT_FALSE(IsStorableKeyword(pszBad)) << pszBad;
    EXPECT_TRUE(IsStorableKeyword("stop loss"));
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

    cCustomizedAppearanceSettings back;
    EXPECT_EQ(APPEARANCE_READ_PARTIAL, ParseUserCustomizeLists("1,2,Arial,10,BUY,FF,FFFFFF,sell,0", back));
    EXPECT_EQ("buy=FF/FFFFFF;", UserKeywords(back));
    EXPECT_EQ(1u, back.m_clrBackground);
    EXPECT_STREQ("Arial", back.m_csFontName);
    cCustomizedAppearanceSettings plain;
    EXPECT_EQ(APPEARANCE_READ_WHOLE, ParseUserCustomizeLists("1,2,Arial,10", plain));
    EXPECT_EQ("<none>", UserKeywords(plain));
}

TEST(AppearanceText, ReadingIntoASharedRecordLeavesTheOtherHolderItsOwnRules)
{
    cCustomizedAppearanceSettings original;
    original.m_nKeywordColumn = 0;
    AddRule(original, "buy", 0xFF);
    cCustomizedAppearanceSettings shared(original);   // shares the arrays
    EXPECT_EQ(APPEARANCE_READ_WHOLE, ParseCustomizeLists("0,0,Arial,8,1,sell,FF00,", shared));
    EXPECT_EQ("sell=FF00;", Rules(shared));
    EXPECT_EQ("buy=FF;", Rules(original));
}

TEST(KeywordRules, ColoursComeFromMatchingKeywordsWithoutRegardToCase)
{
    // Row colours: the first rule, in stored order, whose keyword the cell contains. An empty
    // keyword (contained in everything) and a keyword without a colour never match.
    cCustomizedAppearanceSettings record;
    record.m_nKeywordColumn = 1;
    AddRule(record, "", 0xABCDEF);
    AddRule(record, "buy", 0x0000FF);
    AddRule(record, "b", 0x00FF00);
    record.m_pKeywords->Add("orphan");
    const struct { const char* text; COLORREF color; } rows[] = {
        { "BUY 100 @ 12.5", 0x0000FF }, { "Bid", 0x00FF00 }, { "\xE9t\xE9 BUY", 0x0000FF },
        { "sell", 0x123456 }, { "orphan", 0x123456 }, { nullptr, 0x123456 },
    };
    for (const auto& r : rows)
    {
        COLORREF color = 0x123456;
        KeywordRules::GetTextColorForItem(record, r.text, color);
        EXPECT_EQ(r.color, color) << (r.text ? r.text : "<null>");
    }
    cCustomizedAppearanceSettings shortFirst;   // "b" listed first takes every row holding a b
    shortFirst.m_nKeywordColumn = 1;
    AddRule(shortFirst, "b", 0x00FF00);
    AddRule(shortFirst, "buy", 0x0000FF);
    COLORREF color = 0;
    KeywordRules::GetTextColorForItem(shortFirst, "buy", color);
    EXPECT_EQ(0x00FF00u, color);
    record.m_nKeywordColumn = -1;   // no keyword column: no colour
    color = 0x123456;
    KeywordRules::GetTextColorForItem(record, "buy", color);
    EXPECT_EQ(0x123456u, color);

    // Cell colours: a user keyword equal to the whole text.
    cCustomizedAppearanceSettings user;
    AddUserKeyword(user, "buy", 0xFF, 0xFFFFFF);
    AddUserKeyword(user, "sell", 0xFF0000, 0x00FFFF);
    const struct { const char* text; COLORREF text_, back; } cells[] = {
        { "SELL", 0xFF0000, 0x00FFFF }, { "buy ", 1, 2 }, { "bu", 1, 2 }, { nullptr, 1, 2 },
    };
    for (const auto& c : cells)
    {
        COLORREF text = 1, back = 2;
        KeywordRules::GetProperty(user, text, back, c.text);
        EXPECT_EQ(c.text_, text) << (c.text ? c.text : "<null>");
        EXPECT_EQ(c.back, back) << (c.text ? c.text : "<null>");
    }
    COLORREF text = 1, back = 2;
    EXPECT_EQ(1, KeywordRules::GetProperty(cCustomizedAppearanceSettings(), text, back, "buy"));
    EXPECT_EQ(1u, text);
}
