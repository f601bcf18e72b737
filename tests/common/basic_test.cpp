#include "common/basic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace qor {
namespace {

TEST(IsNumericTest, AcceptsOnlyBlanksSignDigitsAndOnePoint) {
    for (const char* yes : {"0", " -3.5 ", "+7", "1.", "-.5", "007"})
        EXPECT_TRUE(IsNumeric(yes)) << yes;
    for (const char* no : {"", " ", "+", ".", "-.", "--1", "1 2", "1e3", "1.2.3", "0x1A", "&H10",
                           "1,000", "- 1", "\t1", "1\n", "nan", "inf"})
        EXPECT_FALSE(IsNumeric(no)) << no;
}

constexpr std::nullopt_t kOut = std::nullopt;

TEST(ConversionTest, TextRoundsHalvesToEvenWithin16And32Bits) {
    const struct {
        const char* text;
        std::optional<int16_t> asInt;
        std::optional<int32_t> asLong;
    } cases[] = {
        {"0.5", 0, 0},
        {"1.5", 2, 2},
        {"2.5", 2, 2},
        {"-2.5", -2, -2},
        {" -3.5 ", -4, -4},
        // Decided on the digits, not a double that cannot hold them.
        {"2.5000000000000000000001", 3, 3},
        {"2.4999999999999999999999", 2, 2},
        {"-0.4", 0, 0},
        {"+7.", 7, 7},
        {".6", 1, 1},
        {"0000000000000000000000000000012", 12, 12},
        {"32767.4", 32767, 32767},
        {"32767.5", kOut, 32768},
        {"-32768.5", -32768, -32768},
        {"-32769", kOut, -32769},
        {"2147483647", kOut, 2147483647},
        {"2147483647.5", kOut, kOut},
        {"-2147483648.5", kOut, std::numeric_limits<int32_t>::min()},
        {"-2147483649", kOut, kOut},
        {"99999999999999999999999999999999999999999999", kOut, kOut},
        {"abc", kOut, kOut},
        {"1e3", kOut, kOut},
        {"", kOut, kOut},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        EXPECT_EQ(CInt(c.text), c.asInt);
        EXPECT_EQ(CLng(c.text), c.asLong);
    }
}

TEST(ConversionTest, HugeDigitTextsNeitherOverflowNorLoseTheirRounding) {
    const std::string digits(100000, '9');
    EXPECT_EQ(CLng(digits), kOut);
    EXPECT_EQ(CLng("0." + digits), 1);
    EXPECT_EQ(CInt(std::string(100000, '0') + "5.5"), 6);
}

TEST(ConversionTest, DoubleRoundsHalvesToEvenAndRefusesTheUnrepresentable) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        std::optional<int16_t> asInt;
        std::optional<int32_t> asLong;
    } cases[] = {
        {0.5, 0, 0},
        {2.5, 2, 2},
        {-2.5, -2, -2},
        {-0.5, 0, 0},
        {2.5000001, 3, 3},
        {32767.5, kOut, 32768},
        {-32768.5, -32768, -32768},
        {2147483647.5, kOut, kOut},
        {-2147483648.5, kOut, std::numeric_limits<int32_t>::min()},
        {1e300, kOut, kOut},
        {-inf, kOut, kOut},
        {std::nan(""), kOut, kOut},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << c.value);
        EXPECT_EQ(CInt(c.value), c.asInt);
        EXPECT_EQ(CLng(c.value), c.asLong);
    }
}

TEST(TextTest, TrimTakesSpacesOnlyAndUCaseFollowsWindows1252) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(LTrim("  a b  "), "a b  ");
    EXPECT_EQ(RTrim("  a b  "), "  a b");
    EXPECT_EQ(Trim("\tx\r\n"), "\tx\r\n");
    EXPECT_EQ(Trim("    "), "");
    EXPECT_EQ(UCase("qor 82, zone-1!"), "QOR 82, ZONE-1!");
    // Latin-1 letters move down by 0x20, except the division sign; ÿ, µ and ß stay.
    EXPECT_EQ(UCase("\xE0\xE9\xF6\xF8\xFE"), "\xC0\xC9\xD6\xD8\xDE");
    EXPECT_EQ(UCase("\xF7\xFF\xB5\xDF{`\x80"), "\xF7\xFF\xB5\xDF{`\x80");
}

TEST(TextTest, LeftRightMidClampToTheText) {
    EXPECT_EQ(Left("abcdef", 2), "ab");
    EXPECT_EQ(Left("abc", 10), "abc");
    EXPECT_EQ(Right("abcdef", 2), "ef");
    EXPECT_EQ(Right("abc", 10), "abc");
    EXPECT_EQ(Mid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Mid("abcdef", 5, 10), "ef");
    EXPECT_EQ(Mid("abcdef", 100, 2), "");
    EXPECT_EQ(Mid("abc", 0, 2), "ab");
}

TEST(DateTimeTest, TextsArePaddedToTwoDigits) {
    EXPECT_EQ(TimeText({2024, 3, 5, 9, 7, 3}), "09:07:03");
    EXPECT_EQ(DateText({2024, 3, 5, 9, 7, 3}), "05-03-2024");
    EXPECT_EQ(Pad2(0), "00");
    EXPECT_EQ(Pad2(123), "123");
}

TEST(DateTimeTest, MinuteNumberCountsAcrossMidnightMonthEndsAndLeapDays) {
    EXPECT_EQ(MinuteNumber({1970, 1, 2, 0, 1, 59}), 1441);
    const struct {
        DateTime from, to;
        int64_t minutes;
    } cases[] = {
        {{2024, 3, 5, 23, 55, 0}, {2024, 3, 6, 0, 6, 0}, 11},
        {{2024, 2, 29, 23, 59, 0}, {2024, 3, 1, 0, 0, 0}, 1},
        {{2023, 2, 28, 23, 59, 0}, {2023, 3, 1, 0, 0, 0}, 1},
        {{2023, 12, 31, 23, 50, 0}, {2024, 1, 1, 0, 1, 0}, 11},
        {{2100, 2, 28, 0, 0, 0}, {2100, 3, 1, 0, 0, 0}, 1440},
        {{2000, 2, 28, 0, 0, 0}, {2000, 3, 1, 0, 0, 0}, 2 * 1440},
        // Only minute boundaries count, not the seconds between.
        {{2024, 3, 5, 10, 0, 59}, {2024, 3, 5, 10, 1, 0}, 1},
        // A daylight-saving weekend is plain calendar arithmetic.
        {{2024, 3, 31, 1, 59, 0}, {2024, 3, 31, 3, 0, 0}, 61},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << DateText(c.from) << " " << TimeText(c.from) << " -> "
                                        << DateText(c.to) << " " << TimeText(c.to));
        EXPECT_EQ(MinuteNumber(c.to) - MinuteNumber(c.from), c.minutes);
    }
}

TEST(WholeNumberTest, OnlySignAndDigitsWithin32Bits) {
    const struct {
        const char* text;
        std::optional<int32_t> value;
    } cases[] = {
        // clang-format off
        {"9", 9}, {" 23 ", 23}, {"-10", -10}, {"+7", 7}, {"007", 7}, {"Hr", kOut}, {"Min", kOut},
        {"", kOut}, {" ", kOut}, {"-", kOut}, {"9.5", kOut}, {"1e2", kOut}, {"\t5", kOut},
        {"2147483647", 2147483647}, {"2147483648", kOut},
        // clang-format on
    };
    for (const auto& c : cases) EXPECT_EQ(WholeNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(DeviceClockTest, DayFirstDateWithATime) {
    const std::optional<DateTime> kNone;
    const struct {
        const char* text;
        std::optional<DateTime> when;
    } cases[] = {
        {"08/12/2026 10:11:12", DateTime{2026, 12, 8, 10, 11, 12}},
        {"8-3-2026 9:05", DateTime{2026, 3, 8, 9, 5, 0}},
        {" 29.02.2024 23:59:59 ", DateTime{2024, 2, 29, 23, 59, 59}},
        {"01/01/2026 00:00:00", DateTime{2026, 1, 1, 0, 0, 0}},
        // clang-format off
        // Not a day-first date and a time.
        {"", kNone}, {"Comm Error", kNone}, {"08/12/2026", kNone}, {"10:11:12", kNone},
        {"2026/12/08 10:11:12", kNone}, {"08/12-2026 10:11", kNone}, {"08/12/26 10:11", kNone},
        {"08/12/2026 10:1", kNone}, {"08/12/2026  10:11", kNone}, {"08/12/2026 10:11:12;", kNone},
        {"08/12/2026 100:11", kNone},
        // No such date or time.
        {"29/02/2026 10:11", kNone}, {"31/04/2026 10:11", kNone}, {"00/01/2026 10:11", kNone},
        {"01/13/2026 10:11", kNone}, {"01/01/0000 10:11", kNone}, {"01/01/2026 24:00", kNone},
        {"01/01/2026 23:60", kNone},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(DeviceClockFromText(c.text), c.when) << '"' << c.text << '"';
}

}  // namespace
}  // namespace qor
