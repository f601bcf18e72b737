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
    // Two dates of one year share a name; the later copy then replaces the earlier one.
    EXPECT_EQ(StartupCopyName({2026, 12, 1, 8, 0, 0}), "startup11220260.ini");
    EXPECT_EQ(StartupCopyName({2026, 2, 11, 8, 0, 0}), "startup11220260.ini");
}

TEST(ReplaceFileTest, ReplacesTheBytesKeepingThePermissions) {
    TempFolder dir;
    const fs::path file = dir / "user.ini";
    WriteBytes(file, "old\r\n");
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    const std::string binary("a\0b\xFF\r\n", 6);
    std::string error;
    ASSERT_TRUE(ReplaceFile(file, binary, &error)) << error;
    EXPECT_EQ(ReadBytes(file), binary);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_FALSE(fs::exists(dir / "user.ini.new"));
    EXPECT_FALSE(ReplaceFile(dir / "missing-folder" / "user.ini", "x"));
}

// A file size limit makes the write itself fail part-way, as a full disk does (root included).
TEST(ReplaceFileTest, AWriteThatFailsPartWayKeepsTheOldFileWhole) {
    TempFolder dir;
    const fs::path file = dir / "user.ini";
    const std::string old = "[Zone_Name]\r\nZone1_Name=Kitchen\r\n";
    WriteBytes(file, old);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 100;
    const sighandler_t handler = ::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    std::string error;
    const bool replaced = ReplaceFile(file, std::string(4096, 'x'), &error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, handler);

    EXPECT_FALSE(replaced);
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(file), old);
    EXPECT_FALSE(fs::exists(dir / "user.ini.new"));
}

}  // namespace
}  // namespace qor
