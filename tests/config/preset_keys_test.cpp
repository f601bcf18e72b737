#include "config/preset_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/files.h"

namespace qor {
namespace {

using Lines = std::vector<std::string>;

TEST(JoinLinesTest, EveryLineEndsWithCrLf) {
    EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(JoinLines({}), "");
}

TEST(RewritePresetKeysTest, ReplacesLinesHoldingAKeyOrAppendsBoth) {
    const struct {
        const char* name;
        int preset;
        Lines in;
        Lines out;
    } cases[] = {
        {"both keys, order and other lines kept",
         2,
         {"[Tuner_Freq]", "Preset1_Freq=92.4", "Preset2_Freq=101.5", "[Tuner_Name]",
          "Preset2_Name=Old", "Preset3_Name=Jazz"},
         {"[Tuner_Freq]", "Preset1_Freq=92.4", "Preset2_Freq=98.5", "[Tuner_Name]",
          "Preset2_Name=Radio 2", "Preset3_Name=Jazz"}},
        {"neither key: both appended, frequency first",
         2,
         {"[Zone_Name]", "Zone1_Name=Kitchen"},
         {"[Zone_Name]", "Zone1_Name=Kitchen", "Preset2_Freq=98.5", "Preset2_Name=Radio 2"}},
        {"empty file", 2, {}, {"Preset2_Freq=98.5", "Preset2_Name=Radio 2"}},
        {"a line merely containing the text is replaced too; one key found is enough",
         2,
         {"OldPreset2_Freq_backup=1", "Zone1_Name=my Preset2_Name here", "Preset22_Freq=x"},
         {"Preset2_Freq=98.5", "Preset2_Name=Radio 2", "Preset22_Freq=x"}},
        {"a line holding both keys counts as the frequency",
         2,
         {"Preset2_Name=Preset2_Freq"},
         {"Preset2_Freq=98.5"}},
        {"case matters and other presets stay",
         6,
         {"preset6_freq=1", "Preset5_Freq=2"},
         {"preset6_freq=1", "Preset5_Freq=2", "Preset6_Freq=98.5", "Preset6_Name=Radio 2"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RewritePresetKeys(c.in, c.preset, "98.5", "Radio 2"), c.out) << c.name;
}

class StorePresetKeysTest : public ::testing::Test {
  protected:
    PresetStoreOutcome store(std::string* why = nullptr) {
        return StorePresetKeys(dir.path(), 2, "98.5", "Radio 2", why);
    }
    test::TempFolder dir;
};

TEST_F(StorePresetKeysTest, RewritesUserIniWithCrLfAndLeavesTheSameTextInUserTus) {
    test::WriteBytes(dir / "user.ini", "[Tuner_Freq]\nPreset2_Freq=88.8\rPreset2_Name=Old\r\nx");
    std::string why;
    ASSERT_EQ(store(&why), PresetStoreOutcome::Written) << why;
    const std::string expected =
        "[Tuner_Freq]\r\nPreset2_Freq=98.5\r\nPreset2_Name=Radio 2\r\nx\r\n";
    EXPECT_EQ(test::ReadBytes(dir / "user.ini"), expected);
    EXPECT_EQ(test::ReadBytes(dir / "user.tus"), expected);

    test::WriteBytes(dir / "user.ini", "");
    ASSERT_EQ(store(), PresetStoreOutcome::Written);
    EXPECT_EQ(test::ReadBytes(dir / "user.ini"), "Preset2_Freq=98.5\r\nPreset2_Name=Radio 2\r\n");
}

TEST_F(StorePresetKeysTest, WithoutAReadableUserIniNothingIsWritten) {
    EXPECT_EQ(store(), PresetStoreOutcome::NoFile);
    std::filesystem::create_directory(dir / "user.ini");
    EXPECT_EQ(store(), PresetStoreOutcome::ReadFailed);
    EXPECT_FALSE(std::filesystem::exists(dir / "user.tus"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "user.ini"));
}

// A file size limit makes the write fail part-way, as a full disk does (root included).
TEST_F(StorePresetKeysTest, AFailedWriteKeepsTheOldFileWhole) {
    const std::string old = "Preset2_Freq=88.8\r\n" + std::string(400, 'x') + "\r\n";
    test::WriteBytes(dir / "user.ini", old);
    std::string why;
    PresetStoreOutcome outcome{};
    {
        test::FullDisk full(300);
        ASSERT_TRUE(full.active());
        outcome = store(&why);
    }

    EXPECT_EQ(outcome, PresetStoreOutcome::WriteFailed);
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(test::ReadBytes(dir / "user.ini"), old);
    EXPECT_EQ(test::FolderNames(dir.path()), std::vector<std::string>{"user.ini"});
}

}  // namespace
}  // namespace qor
