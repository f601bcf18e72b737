#include "config/preset_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
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
    // An old user.tus is replaced, even a link, never written through.
    test::TempFolder elsewhere;
    test::WriteBytes(elsewhere / "victim", "keep");
    std::filesystem::create_symlink(elsewhere / "victim", dir / "user.tus");
    std::string why;
    ASSERT_EQ(store(&why), PresetStoreOutcome::Written) << why;
    const std::string expected =
        "[Tuner_Freq]\r\nPreset2_Freq=98.5\r\nPreset2_Name=Radio 2\r\nx\r\n";
    EXPECT_EQ(test::ReadBytes(dir / "user.ini"), expected);
    EXPECT_EQ(test::ReadBytes(dir / "user.tus"), expected);
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "user.tus"));
    EXPECT_EQ(test::ReadBytes(elsewhere / "victim"), "keep");

    test::WriteBytes(dir / "user.ini", "");
    ASSERT_EQ(store(), PresetStoreOutcome::Written);
    EXPECT_EQ(test::ReadBytes(dir / "user.ini"), "Preset2_Freq=98.5\r\nPreset2_Name=Radio 2\r\n");
}

// No store without user.ini writes anything; a store that cannot read or rewrite it says so,
// naming the file, and leaves the folder as it was.
TEST_F(StorePresetKeysTest, WhatCannotBeStoredLeavesTheFolderAsItWas) {
    namespace fs = std::filesystem;
    const std::string old = "Preset2_Freq=88.8\r\n" + std::string(400, 'x') + "\r\n";
    const auto plainIni = [&] { test::WriteBytes(dir / "user.ini", old); };
    const struct {
        const char* name;
        std::function<void()> before;
        PresetStoreOutcome outcome;
        const char* named;  // the file the reason names
        bool asAUser = false;
        rlim_t fileSizeLimit = RLIM_INFINITY;
    } cases[] = {
        {"no user.ini", [] {}, PresetStoreOutcome::NoFile, ""},
        {"user.ini a folder", [&] { fs::create_directory(dir / "user.ini"); },
         PresetStoreOutcome::ReadFailed, "user.ini"},
        {"user.ini a FIFO", [&] { ::mkfifo((dir / "user.ini").c_str(), 0644); },
         PresetStoreOutcome::ReadFailed, "user.ini"},
        {"user.tus a folder",
         [&] {
             plainIni();
             fs::create_directory(dir / "user.tus");
         },
         PresetStoreOutcome::WriteFailed, "user.tus"},
        {"a read-only folder",
         [&] {
             plainIni();
             fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
         },
         PresetStoreOutcome::WriteFailed, "user.tus", true},
        {"a full disk", plainIni, PresetStoreOutcome::WriteFailed, "user.tus", false, 300},
    };
    for (const auto& c : cases) {
        for (const auto& entry : fs::directory_iterator(dir.path())) fs::remove_all(entry);
        c.before();
        const std::vector<std::string> namesBefore = test::FolderNames(dir.path());
        std::string why;
        PresetStoreOutcome outcome{};
        {
            std::optional<test::UserFileRights> asAUser;
            if (c.asAUser) asAUser.emplace();
            std::optional<test::FullDisk> full;
            if (c.fileSizeLimit != RLIM_INFINITY) full.emplace(c.fileSizeLimit);
            outcome = store(&why);
        }
        fs::permissions(dir.path(), fs::perms::owner_all);
        EXPECT_EQ(outcome, c.outcome) << c.name;
        EXPECT_EQ(why.rfind(c.named, 0), 0u) << c.name << ": " << why;
        EXPECT_EQ(test::FolderNames(dir.path()), namesBefore) << c.name;
        if (fs::is_regular_file(dir / "user.ini")) {
            EXPECT_EQ(test::ReadBytes(dir / "user.ini"), old) << c.name;
        }
    }
}

}  // namespace
}  // namespace qor
