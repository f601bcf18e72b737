#include "config/settings_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <string>

#include "config/temp_folder.h"

namespace qor {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TEST(StartupCopyNameTest, NumbersWithoutLeadingZerosAndAFixedZero) {
    EXPECT_EQ(StartupCopyName({2026, 12, 7, 23, 59, 59}), "startup71220260.ini");
    EXPECT_EQ(StartupCopyName({2026, 1, 5, 0, 0, 0}), "startup5120260.ini");
    // Two dates of one year can share a name; the later copy then replaces the earlier one.
    EXPECT_EQ(StartupCopyName({2026, 12, 1, 8, 0, 0}), "startup11220260.ini");
    EXPECT_EQ(StartupCopyName({2026, 2, 11, 8, 0, 0}), "startup11220260.ini");
}

TEST(IniTextTest, SectionsKeysAndLineEnds) {
    IniText t;
    t.section("Tuner_Freq");
    t.key("Preset1_Freq", "101.5");
    t.section("Zone_Name");
    t.key("Zone1_Name", "");
    t.key("Zone2_Name", "Caf\xE9 ");
    EXPECT_EQ(t.text(),
              "[Tuner_Freq]\r\nPreset1_Freq=101.5\r\n \r\n[Zone_Name]\r\nZone1_Name=\r\n"
              "Zone2_Name=Caf\xE9 \r\n");

    IniText first;
    first.section("Zone_Name");
    EXPECT_EQ(first.text(), " \r\n[Zone_Name]\r\n");
}

TEST(ReplaceFileTest, WritesNewAndReplacesOldKeepingItsPermissions) {
    TempFolder dir;
    const fs::path file = dir / "user.ini";
    std::string error;
    ASSERT_TRUE(ReplaceFile(file, "first\r\n", &error)) << error;
    EXPECT_EQ(ReadBytes(file), "first\r\n");

    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    const std::string binary("a\0b\xFF\r\n", 6);
    ASSERT_TRUE(ReplaceFile(file, binary, &error)) << error;
    EXPECT_EQ(ReadBytes(file), binary);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_FALSE(fs::exists(dir / "user.ini.new"));

    ASSERT_TRUE(ReplaceFile(file, "", &error)) << error;
    EXPECT_EQ(fs::file_size(file), 0u);
}

TEST(ReplaceFileTest, ASideFileThatCannotBeMadeKeepsTheOldFile) {
    TempFolder dir;
    const fs::path file = dir / "user.ini";
    WriteBytes(file, "old\r\n");
    fs::create_directory(dir / "user.ini.new");
    std::string error;
    EXPECT_FALSE(ReplaceFile(file, "new\r\n", &error));
    EXPECT_NE(error.find("user.ini.new"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(file), "old\r\n");
    // It was not ours to remove.
    EXPECT_TRUE(fs::is_directory(dir / "user.ini.new"));

    EXPECT_FALSE(ReplaceFile(dir / "missing-folder" / "user.ini", "x"));
}

// A file size limit makes the write itself fail part-way, as a full disk does (root included).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ok_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        ::signal(SIGXFSZ, oldHandler_);
    }
    bool ok() const { return ok_; }

  private:
    rlimit old_{};
    sighandler_t oldHandler_;
    bool ok_ = false;
};

TEST(ReplaceFileTest, AWriteThatFailsPartWayKeepsTheOldFileWhole) {
    TempFolder dir;
    const fs::path file = dir / "user.ini";
    const std::string old = "[Zone_Name]\r\nZone1_Name=Kitchen\r\n";
    WriteBytes(file, old);
    const std::string big(4096, 'x');
    std::string error;
    bool replaced = true;
    {
        FileSizeLimit limit(100);
        ASSERT_TRUE(limit.ok());
        replaced = ReplaceFile(file, big, &error);
    }
    EXPECT_FALSE(replaced);
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(file), old);
    EXPECT_FALSE(fs::exists(dir / "user.ini.new"));
}

}  // namespace
}  // namespace qor
