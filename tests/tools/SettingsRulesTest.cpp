// The window-free rules of the settings-file operations, against a model of how the profile
// functions write and read a line (IniLineModel.h). Runs natively and in tools_tests.
#include "IniLineModel.h"
#include "SettingsRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CString Bytes(const std::string& s) { return CString(s.data(), (int)s.size()); }

bool Accepted(const std::string& section, const std::string& key, const std::string& value, int mode = 1)
{
    return orvou_check_settings_arguments(mode, Bytes(section), Bytes(key), Bytes(value)).IsEmpty();
}

TEST(SettingsRules, AcceptedWritesReadBackThroughTheLineModel)
{
    const std::string values[] = { "", "plain", " padded ", "\t", "\x1a", "eof\x1a", "\xa0nbsp", "\"quoted\"",
                                   "'single'", "\"", "'", "\"'", "a=b=c", "[not a section]", ";not a comment",
                                   "\x7f", " \t\v\f\x1a\xa0 ", "in side", "x\x1c" };
    const std::string keys[] = { "k", "spaced key", "a [b]", "x;y", "K]", "k;" };
    const std::string sections[] = { "S", "COLUMN PROFILE", "a[b", ";s", "=" };
    for (const std::string& section : sections)
        for (const std::string& key : keys)
            for (const std::string& value : values)
            {
                ASSERT_TRUE(Accepted(section, key, value)) << section << "|" << key << "|" << value;
                EXPECT_TRUE(ini_model::RoundTrips(section, key, value)) << section << "|" << key << "|" << value;
            }
}

TEST(SettingsRules, WhatWouldReadBackAsSomethingElseIsRefused)
{
    struct sCase { std::string section, key, value; };
    const sCase refused[] = {
        { "", "k", "v" }, { " \t", "k", "v" }, { "a]b", "k", "v" }, { "a\nb", "k", "v" }, { std::string("S\0x", 3), "k", "v" },
        { "S", "", "v" }, { "S", "  ", "v" }, { "S", "a=b", "v" }, { "S", "k\r", "v" }, { "S", ";k", "v" },
        { "S", "[k", "v" }, { "S", " [T]", "v" }, { "S", "\t\x1a;x", "v" }, { "S", std::string("k\0z", 3), "v" },
        { "S", "k", "line\nbreak" }, { "S", "k", "cr\r" }, { "S", "k", std::string("a\0b", 3) },
        // Names that would share their entry with another name once trimmed.
        { "ORDERS ", "k", "v" }, { " S", "k", "v" }, { "S\xa0", "k", "v" }, { "Or\x01" "ders", "k", "v" },
        { "S", "k ", "v" }, { "S", "\tk", "v" }, { "S", "k\x1a", "v" }, { "S", "a\tb", "v" }, { "S", "a\x7f", "v" },
    };
    for (const sCase& c : refused)
        EXPECT_FALSE(Accepted(c.section, c.key, c.value)) << c.section << "|" << c.key << "|" << c.value;
    // The model agrees that these keys would not read back: the reason for refusing them.
    EXPECT_FALSE(ini_model::RoundTrips("S", " [T]", "v"));
    EXPECT_FALSE(ini_model::RoundTrips("S", ";k", "v"));
    // A read checks the names only: the value is what it fills.
    EXPECT_TRUE(Accepted("S", "k", "line\nbreak", 0));
    EXPECT_FALSE(Accepted("S", " [T]", "", 0));
}

// (Paths are checked against the fuzz target's reference of device and shortened names.)
TEST(SettingsRules, ValuesStopAtTheLineLimitQuotesIncluded)
{
    EXPECT_TRUE(Accepted("S", "k", std::string(ORVOU_MAX_SETTINGS_VALUE, 'v')));
    EXPECT_FALSE(Accepted("S", "k", std::string(ORVOU_MAX_SETTINGS_VALUE + 1, 'v')));
    // Two quotes are added around outer blanks.
    EXPECT_TRUE(Accepted("S", "k", " " + std::string(ORVOU_MAX_SETTINGS_VALUE - 4, 'v') + " "));
    EXPECT_FALSE(Accepted("S", "k", " " + std::string(ORVOU_MAX_SETTINGS_VALUE - 3, 'v') + " "));
}

} // namespace
