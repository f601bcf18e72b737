#include "common/answers.h"

#include <gtest/gtest.h>

#include <string>

namespace qor {
namespace {

TEST(ScaneventTest, CountsCommasAcrossRecords) {
    const std::string two = "*RT,VOL,1,40;*RT,LOW,1,3;";
    const struct {
        std::string text;
        int n;
        const char* field;
    } cases[] = {
        {two, 0, "*RT"},
        {two, 3, "40"},
        // The fourth comma lies in the second record, so its fields follow on.
        {two, 4, "LOW"},
        {two, 6, "3"},
        {two, 7, ""},
        {two, -1, ""},
        {"", 0, ""},
        {"*RT,VOL;", 3, ""},
        {"*RT,VOL;", 1, "VOL"},
        {"*RT,A,,C;", 2, ""},
        // No closing ";": the field runs to the end of the text.
        {"*RT,VOL,1,40", 3, "40"},
        {"Comm Error : NO CONNECTION", 0, "Comm Error : NO CONNECTION"},
        {"*RT,A;B;C,D;", 1, "A"},
        {"*RT,A;B;C,D;", 2, "D"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "field " << c.n << " of \"" << c.text << "\"");
        EXPECT_EQ(scanevent(c.text, c.n), c.field);
    }
}

TEST(ClearanswTest, PicksOneRecordOnlyFromTwoOrMoreAndCountsEverySemicolon) {
    const std::string two = "*RT,VOL,1,40;*RT,LOW,1,3;";
    const struct {
        std::string text;
        const char* key;
        const char* result;
        int16_t semicolons;
    } cases[] = {
        {two, "*RT,LOW", "*RT,LOW,1,3;", 2},
        {two, "*RT,VOL", "*RT,VOL,1,40;", 2},
        {two, "LOW,1", "LOW,1,3;", 2},
        {two, "*RT,HIGH", "", 2},
        {two, "*rt,low", "", 2},  // case matters
        // One or no ";": unchanged, key or not.
        {"*RT,VOL,1,40;", "*RT,HIGH", "*RT,VOL,1,40;", 1},
        {"", "RDS", "", 0},
        // The first occurrence wins, and the record ends at the next ";" only.
        {"*RT,A,1;*RT,A,2;*RT,A,3;", "*RT,A", "*RT,A,1;", 3},
        {"*RT,VOL,1;;*RT,RDS,x,TXT,JAZZ", "*RT,RDS", "*RT,RDS,x,TXT,JAZZ", 2},
        // The 16-bit count stops at its top instead of wrapping.
        {std::string(40000, ';'), "X", "", 32767},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "key \"" << c.key << "\" in \"" << c.text.substr(0, 40) << "\"");
        int16_t semicolons = -1;  // stale: every call must set it afresh
        EXPECT_EQ(clearansw(c.text, c.key, semicolons), c.result);
        EXPECT_EQ(semicolons, c.semicolons);
    }
}

TEST(ScanlastTest, CutsAfterTheFirstRecordOfAFramedText) {
    const struct {
        const char* text;
        const char* result;
    } cases[] = {
        {"*RT,A;*RT,B;", "*RT,A;"}, {"*;", "*;"},
        {"RT,A;", "Comm Error"},    {"*RT,A;*RT,B", "Comm Error"},
        {" *RT,A;", "Comm Error"},  {"*RT,A; ", "Comm Error"},
        {"*", "Comm Error"},        {"", "Comm Error"},
    };
    for (const auto& c : cases) EXPECT_EQ(Scanlast(c.text), c.result) << c.text;
}

TEST(SettingsAnswersTest, OnOffAndValueFields) {
    EXPECT_TRUE(ZoneOnFromAnswer("*RT,ON,1;"));
    for (const char* off :
         {"*RT,ON,0;", "*RT,ON,11;", "*RT,ON, 1;", "Comm Error : NO CONNECTION", "?", ""})
        EXPECT_FALSE(ZoneOnFromAnswer(off)) << off;
    const struct {
        const char* answer;
        std::optional<int16_t> value;
    } cases[] = {
        {"*RT,VOLMAX,2,80;", 80}, {"*RT,GAIN,1,12;", 12}, {"*RT,GAIN,1, 7 ;", 7},
        {"*RT,GAIN,1,2.5;", 2},   {"*RT,GAIN,1,;", {}},   {"*RT,GAIN,1,x;", {}},
        {"*RT,GAIN,1;", {}},      {"Comm Error", {}},     {"*RT,GAIN,1,99999;", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ValueFromAnswer(c.answer), c.value) << c.answer;
}

TEST(SettingsAnswersTest, TemperatureFieldsThatAreNotWholeNumbersAreSkipped) {
    const auto full = TempFromRecord("*RT,TEMP,45,40,70,0,1;");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->current, 45);
    EXPECT_EQ(full->minimum, 40);
    EXPECT_EQ(full->maximum, 70);
    EXPECT_EQ(full->status, 1);

    const auto odd = TempFromRecord("*RT,TEMP,45.5,,hot,x,99999999999;");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->current, std::nullopt);
    EXPECT_EQ(odd->minimum, std::nullopt);
    EXPECT_EQ(odd->maximum, std::nullopt);
    EXPECT_EQ(odd->status, std::nullopt);
    const auto shortRecord = TempFromRecord("*RT,TEMP,-5;");
    ASSERT_TRUE(shortRecord);
    EXPECT_EQ(shortRecord->current, -5);
    EXPECT_EQ(shortRecord->status, std::nullopt);

    // "TEMP" must stand after the first character: not at the start, not missing.
    for (const char* none : {"TEMP,45,40,70,0,1;", "*RT,VOL,1,40;", "", "Comm Error"})
        EXPECT_FALSE(TempFromRecord(none)) << none;
}

}  // namespace
}  // namespace qor
