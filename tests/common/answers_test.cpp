#include "common/answers.h"

#include <gtest/gtest.h>

#include <string>

namespace qor {
namespace {

TEST(ScaneventTest, CountsCommasAcrossRecords) {
    const std::string two = "*RT,VOL,1,40;*RT,LOW,1,3;";
    struct Case {
        std::string text;
        int n;
        const char* field;
    };
    const Case cases[] = {
        {two, 0, "*RT"},
        {two, 1, "VOL"},
        {two, 2, "1"},
        {two, 3, "40"},
        // The fourth comma lies in the second record, so its fields follow on.
        {two, 4, "LOW"},
        {two, 5, "1"},
        {two, 6, "3"},
        {two, 7, ""},
        {"", 0, ""},
        {"", 3, ""},
        {"*RT,VOL;", 3, ""},
        {"*RT,VOL;", 1, "VOL"},
        {"*RT,MODEL,x,2;", 3, "2"},
        {"*RT,A,,C;", 2, ""},
        {"*RT,TEMP,45,30,80,0,OK;", 6, "OK"},
        // No closing ";": the field runs to the end of the text.
        {"*RT,VOL,1,40", 3, "40"},
        {"Comm Error : NO CONNECTION", 0, "Comm Error : NO CONNECTION"},
        {"Comm Error : NO CONNECTION", 1, ""},
        {"*RT,A;B;C,D;", 0, "*RT"},
        {"*RT,A;B;C,D;", 1, "A"},
        {"*RT,A;B;C,D;", 2, "D"},
        {"*RT,VOL,1,40;", -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "field " << c.n << " of \"" << c.text << "\"");
        EXPECT_EQ(scanevent(c.text, c.n), c.field);
    }
}

TEST(ClearanswTest, PicksOneRecordOnlyFromTwoOrMore) {
    struct Case {
        const char* text;
        const char* key;
        const char* result;
        int16_t semicolons;
    };
    const Case cases[] = {
        {"*RT,VOL,1,40;*RT,LOW,1,3;", "*RT,LOW", "*RT,LOW,1,3;", 2},
        {"*RT,VOL,1,40;*RT,LOW,1,3;", "*RT,VOL", "*RT,VOL,1,40;", 2},
        {"*RT,VOL,1,40;*RT,LOW,1,3;", "LOW,1", "LOW,1,3;", 2},
        {"*RT,VOL,1,40;*RT,LOW,1,3;", "*RT,HIGH", "", 2},
        // Case matters.
        {"*RT,VOL,1,40;*RT,LOW,1,3;", "*rt,low", "", 2},
        // One or no ";": unchanged, key or not.
        {"*RT,VOL,1,40;", "*RT,HIGH", "*RT,VOL,1,40;", 1},
        {"*RT,VOL,1,40;", "*RT,VOL", "*RT,VOL,1,40;", 1},
        {"Comm Error", "RDS", "Comm Error", 0},
        {"", "RDS", "", 0},
        // The first occurrence wins, and the record ends at the next ";" only.
        {"*RT,A,1;*RT,A,2;*RT,A,3;", "*RT,A", "*RT,A,1;", 3},
        {"*RT,VOL,1;*RT,RDS,x,TXT,JAZZ", "*RT,RDS", "*RT,VOL,1;*RT,RDS,x,TXT,JAZZ", 1},
        {"*RT,VOL,1;;*RT,RDS,x,TXT,JAZZ", "*RT,RDS", "*RT,RDS,x,TXT,JAZZ", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "key \"" << c.key << "\" in \"" << c.text << "\"");
        int16_t semicolons = -1;
        EXPECT_EQ(clearansw(c.text, c.key, semicolons), c.result);
        EXPECT_EQ(semicolons, c.semicolons);
    }
}

TEST(ClearanswTest, CountIsResetOnEveryCall) {
    int16_t semicolons = 0;
    clearansw("*A;*B;*C;", "*B", semicolons);
    EXPECT_EQ(semicolons, 3);
    clearansw("*A", "*B", semicolons);
    EXPECT_EQ(semicolons, 0);
}

TEST(ClearanswTest, CountStaysInRangeForHugeTexts) {
    int16_t semicolons = 0;
    EXPECT_EQ(clearansw(std::string(40000, ';'), "X", semicolons), "");
    EXPECT_EQ(semicolons, 32767);
}

TEST(ScanlastTest, CutsAfterTheFirstRecordOfAFramedText) {
    struct Case {
        const char* text;
        const char* result;
    };
    const Case cases[] = {
        {"*RT,A;*RT,B;", "*RT,A;"},
        {"*RT,VOL,1,40;", "*RT,VOL,1,40;"},
        {"*;", "*;"},
        {"RT,A;", "Comm Error"},
        {"*RT,A", "Comm Error"},
        {"*RT,A;*RT,B", "Comm Error"},
        {" *RT,A;", "Comm Error"},
        {"*RT,A; ", "Comm Error"},
        {"*", "Comm Error"},
        {"", "Comm Error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        EXPECT_EQ(Scanlast(c.text), c.result);
    }
}

}  // namespace
}  // namespace qor
