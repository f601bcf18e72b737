#include "config/ini_reading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/show_zones.h"
#include "support/files.h"

namespace qor {
namespace {

using Lines = std::vector<std::string>;

TEST(IniReadingTest, ValueIsBetweenTheFirstAndASecondEqualsSign) {
    const struct {
        const char* line;
        const char* value;
    } cases[] = {
        {"Zone2_Name=Kitchen", "Kitchen"},
        {"Zone2_Name=Kit=chen", "Kit"},
        {"Zone1_Name=", ""},
        {"Zone1_Name", ""},
        {"Zone1_Name = Hall ", " Hall "},
        {"=x=", "x"},
        {"a==b", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(GetIniValue(c.line), c.value) << c.line;
}

TEST(IniReadingTest, HeadersAndKeysCompareUpperCased) {
    EXPECT_TRUE(IsHeader("  [Zone_Name]  ", "[ZONE_NAME]"));
    EXPECT_TRUE(IsHeader("[temperature]", "[TEMPERATURE]"));
    EXPECT_FALSE(IsHeader("[Zone_Name] x", "[ZONE_NAME]"));
    EXPECT_FALSE(IsHeader("\t[Zone_Name]", "[ZONE_NAME]"));  // only blanks are trimmed
    EXPECT_TRUE(HasKey("zone1_Name=Hall", "ZONE1"));
    EXPECT_TRUE(HasKey("Temperature_Offset=-4", "TEMPERATURE_OFFSET"));
    EXPECT_FALSE(HasKey(" Zone1_Name=Hall", "ZONE1"));
    EXPECT_FALSE(HasKey("Zone", "ZONE1"));
}

TEST(IniReadingTest, SectionRunsToTheNextBracketLineOrTheEndOfTheFile) {
    const Lines lines{"[A]", "a1", "", "a2", "  [B]", "b1", "[C]"};
    Lines seen;
    auto take = [&seen](const std::string& line) { seen.push_back(line); };
    EXPECT_EQ(ReadSection(lines, 0, take), 4u);
    EXPECT_EQ(seen, (Lines{"a1", "", "a2"}));
    seen.clear();
    EXPECT_EQ(ReadSection(lines, 4, take), 6u);
    EXPECT_EQ(seen, Lines{"b1"});
    // A header on the last line has an empty section; the file's last line belongs to its section.
    seen.clear();
    EXPECT_EQ(ReadSection(lines, 6, take), 7u);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(ReadSection(Lines{"[A]", "x"}, 0, take), 2u);
    EXPECT_EQ(seen, Lines{"x"});
}

TEST(ShowZonesTest, ExactWordsCountAndTheLaterLineWins) {
    const ZoneChoices chosen =
        ParseShowZones({" ", "[Show zones on screen]", "Showzone1 = False", "Showzone2 = true",
                        "  Showzone3 = True  ", "showzone4 = True", "Showzone1 = True"});
    EXPECT_EQ(chosen[1], true);
    EXPECT_EQ(chosen[2], false);
    EXPECT_EQ(chosen[3], true);
    EXPECT_EQ(chosen[4], std::nullopt);

    test::TempFolder dir;
    EXPECT_EQ(ReadShowZones(dir.path()), ZoneChoices{});
    // What the panel writes reads back as written.
    const std::string text = ShowZonesText({false, true, false, true, false});
    test::WriteBytes(ShowZonesFilePath(dir.path()), text);
    EXPECT_EQ(ReadShowZones(dir.path()), (ZoneChoices{std::nullopt, true, false, true, false}));
}

}  // namespace
}  // namespace qor
