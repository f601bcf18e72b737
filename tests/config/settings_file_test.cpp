#include "config/settings_file.h"

#include <gtest/gtest.h>

#include <string>

#include "support/files.h"

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

}  // namespace
}  // namespace qor
