#include "common/basic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace qor {
namespace {

TEST(IsNumericTest, AcceptsOnlySignDigitsAndOnePoint) {
    struct Case {
        const char* text;
        bool numeric;
    };
    const Case cases[] = {
        {"0", true},     {"42", true},     {" -3.5 ", true}, {"+7", true},     {"1.", true},
        {".5", true},    {"-.5", true},    {"  12  ", true}, {"007", true},    {"", false},
        {" ", false},    {"+", false},     {".", false},     {"-.", false},    {"--1", false},
        {"+-1", false},  {"1 2", false},   {"1e3", false},   {"1.2.3", false}, {"0x1A", false},
        {"&H10", false}, {"1,000", false}, {"- 1", false},   {"\t1", false},   {"1\n", false},
        {"12a", false},  {"nan", false},   {"inf", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        EXPECT_EQ(IsNumeric(c.text), c.numeric);
    }
}

TEST(ConversionTest, TextRoundsHalvesToEven) {
    struct Case {
        const char* text;
        std::optional<int16_t> asInt;
        std::optional<int32_t> asLong;
    };
    const Case cases[] = {
        {"0.5", 0, 0},
        {"1.5", 2, 2},
        {"2.5", 2, 2},
        {"-2.5", -2, -2},
        {"-3.5", -4, -4},
        {" -3.5 ", -4, -4},
        {"2.5000000000000000000001", 3, 3},
        {"2.4999999999999999999999", 2, 2},
        {"0.50", 0, 0},
        {"-0.4", 0, 0},
        {"65", 65, 65},
        {"+7.", 7, 7},
        {".6", 1, 1},
        {"0000000000000000000000000000012", 12, 12},
        {"32767", 32767, 32767},
        {"32767.4", 32767, 32767},
        {"32767.5", std::nullopt, 32768},
        {"-32768", -32768, -32768},
        {"-32768.5", -32768, -32768},
        {"-32769", std::nullopt, -32769},
        {"2147483647", std::nullopt, 2147483647},
        {"2147483647.5", std::nullopt, std::nullopt},
        {"-2147483648.5", std::nullopt, std::numeric_limits<int32_t>::min()},
        {"-2147483649", std::nullopt, std::nullopt},
        {"99999999999999999999999999999999999999999999", std::nullopt, std::nullopt},
        {"-99999999999999999999999999999999999999999999.5", std::nullopt, std::nullopt},
        {"abc", std::nullopt, std::nullopt},
        {"1e3", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        EXPECT_EQ(CInt(c.text), c.asInt);
        EXPECT_EQ(CLng(c.text), c.asLong);
    }
}

TEST(ConversionTest, VeryLongDigitTextIsOutOfRange) {
    const std::string digits(100000, '9');
    EXPECT_EQ(CLng(digits), std::nullopt);
    EXPECT_EQ(CLng("0." + digits), 1);
    EXPECT_EQ(CInt(std::string(100000, '0') + "5.5"), 6);
}

TEST(ConversionTest, DoubleRoundsHalvesToEven) {
    struct Case {
        double value;
        std::optional<int16_t> asInt;
        std::optional<int32_t> asLong;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {0.5, 0, 0},
        {1.5, 2, 2},
        {2.5, 2, 2},
        {-2.5, -2, -2},
        {-0.5, 0, 0},
        {2.5000001, 3, 3},
        {-1.4999999, -1, -1},
        {32767.5, std::nullopt, 32768},
        {-32768.5, -32768, -32768},
        {2147483647.5, std::nullopt, std::nullopt},
        {-2147483648.5, std::nullopt, std::numeric_limits<int32_t>::min()},
        {1e300, std::nullopt, std::nullopt},
        {-1e300, std::nullopt, std::nullopt},
        {inf, std::nullopt, std::nullopt},
        {-inf, std::nullopt, std::nullopt},
        {std::nan(""), std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << c.value);
        EXPECT_EQ(CInt(c.value), c.asInt);
        EXPECT_EQ(CLng(c.value), c.asLong);
    }
}

TEST(TextTest, TrimRemovesBlanksOnly) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(LTrim("  a b  "), "a b  ");
    EXPECT_EQ(RTrim("  a b  "), "  a b");
    EXPECT_EQ(Trim("\tx\r\n"), "\tx\r\n");
    EXPECT_EQ(Trim("    "), "");
    EXPECT_EQ(LTrim(""), "");
    EXPECT_EQ(RTrim(" "), "");
}

TEST(TextTest, UCaseFollowsWindows1252) {
    EXPECT_EQ(UCase("qor 82, zone-1!"), "QOR 82, ZONE-1!");
    // Latin-1 bytes: à..þ move down by 0x20, except the division sign; ÿ and µ stay.
    EXPECT_EQ(UCase("\xE0\xE9\xF6\xF8\xFE"), "\xC0\xC9\xD6\xD8\xDE");
    EXPECT_EQ(UCase("\xF7\xFF\xB5\xDF"), "\xF7\xFF\xB5\xDF");
    EXPECT_EQ(UCase("{|}~`@[\x80"), "{|}~`@[\x80");
}

TEST(TextTest, LeftRightMidClampToTheText) {
    struct Case {
        std::string got;
        const char* want;
    };
    const Case cases[] = {
        {Left("abcdef", 2), "ab"},
        {Left("abc", 10), "abc"},
        {Left("abc", 0), ""},
        {Right("abcdef", 2), "ef"},
        {Right("abc", 10), "abc"},
        {Right("abc", 0), ""},
        {Mid("abcdef", 2, 3), "bcd"},
        {Mid("abcdef", 3), "cdef"},
        {Mid("abcdef", 5, 10), "ef"},
        {Mid("abcdef", 7), ""},
        {Mid("abcdef", 100, 2), ""},
        {Mid("abcdef", 1, 0), ""},
        {Mid("", 1), ""},
        {Mid("abc", 0, 2), "ab"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        EXPECT_EQ(cases[i].got, cases[i].want);
    }
}

TEST(DateTimeTest, TextsArePaddedToTwoDigits) {
    const DateTime t{2024, 3, 5, 9, 7, 3};
    EXPECT_EQ(TimeText(t), "09:07:03");
    EXPECT_EQ(DateText(t), "05-03-2024");
    EXPECT_EQ(TimeText({1999, 12, 31, 23, 59, 58}), "23:59:58");
    EXPECT_EQ(DateText({1999, 12, 31, 23, 59, 58}), "31-12-1999");
    EXPECT_EQ(Pad2(0), "00");
    EXPECT_EQ(Pad2(7), "07");
    EXPECT_EQ(Pad2(12), "12");
    EXPECT_EQ(Pad2(123), "123");
}

TEST(DateTimeTest, MinuteNumberCountsAcrossMidnightAndMonthEnds) {
    EXPECT_EQ(MinuteNumber({1970, 1, 1, 0, 0, 0}), 0);
    EXPECT_EQ(MinuteNumber({1970, 1, 2, 0, 1, 59}), 1441);
    struct Case {
        DateTime from;
        DateTime to;
        int64_t minutes;
    };
    const Case cases[] = {
        {{2024, 3, 5, 23, 55, 0}, {2024, 3, 6, 0, 6, 0}, 11},
        {{2024, 2, 28, 23, 59, 59}, {2024, 2, 29, 0, 0, 0}, 1},
        {{2024, 2, 29, 23, 59, 0}, {2024, 3, 1, 0, 0, 0}, 1},
        {{2023, 2, 28, 23, 59, 0}, {2023, 3, 1, 0, 0, 0}, 1},
        {{2023, 12, 31, 23, 50, 0}, {2024, 1, 1, 0, 1, 0}, 11},
        {{2100, 2, 28, 0, 0, 0}, {2100, 3, 1, 0, 0, 0}, 1440},
        {{2000, 2, 28, 0, 0, 0}, {2000, 3, 1, 0, 0, 0}, 2 * 1440},
        // Seconds do not count: only the minute boundaries between the two moments do.
        {{2024, 3, 5, 10, 0, 59}, {2024, 3, 5, 10, 1, 0}, 1},
        {{2024, 3, 5, 10, 0, 0}, {2024, 3, 5, 10, 0, 59}, 0},
        // A daylight-saving change weekend is plain calendar arithmetic.
        {{2024, 3, 31, 1, 59, 0}, {2024, 3, 31, 3, 0, 0}, 61},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << DateText(c.from) << " " << TimeText(c.from) << " -> "
                                        << DateText(c.to) << " " << TimeText(c.to));
        EXPECT_EQ(MinuteNumber(c.to) - MinuteNumber(c.from), c.minutes);
    }
}

TEST(DateTimeTest, NowLocalIsACalendarMoment) {
    const DateTime now = NowLocal();
    EXPECT_GE(now.year, 2020);
    EXPECT_TRUE(now.month >= 1 && now.month <= 12 && now.day >= 1 && now.day <= 31);
    EXPECT_TRUE(now.hour <= 23 && now.minute <= 59 && now.second <= 60);
}

}  // namespace
}  // namespace qor
