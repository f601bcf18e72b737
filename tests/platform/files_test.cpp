// Reading and replacing files against real files: plain ones, folders, FIFOs, devices, links,
// read-only folders and two writers at once.
#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <thread>

#include "support/files.h"

namespace qor::files {
namespace {

namespace fs = std::filesystem;
using test::FolderNames;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TEST(ReadRegularFileTest, OnlyPlainFilesOfASettingsFilesSize) {
    TempFolder dir;
    const std::string binary("a\0b\xFF\r\n", 6);
    WriteBytes(dir / "user.ini", binary);
    fs::create_directory(dir / "folder");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", dir / "zero");
    fs::create_symlink("user.ini", dir / "link");
    fs::create_symlink("nowhere", dir / "dangling");
    for (const auto& [name, size] :
         {std::pair{"full", kMaxSettingsFileBytes}, std::pair{"over", kMaxSettingsFileBytes + 1}}) {
        WriteBytes(dir / name, "");
        fs::resize_file(dir / name, size);
    }

    struct Case {
        const char* name;
        std::optional<std::string> content;
        const char* why;
    };
    const Case cases[] = {
        {"user.ini", binary, ""},
        {"link", binary, ""},
        {"full", std::string(kMaxSettingsFileBytes, '\0'), ""},
        {"missing", std::nullopt, "No such file"},
        {"dangling", std::nullopt, "No such file"},
        {"folder", std::nullopt, "not a plain file"},
        // Opening would wait for a writer that never comes.
        {"fifo", std::nullopt, "not a plain file"},
        // Would never end.
        {"zero", std::nullopt, "not a plain file"},
        {"over", std::nullopt, "too large"},
    };
    for (const Case& c : cases) {
        std::string why;
        const auto content = ReadRegularFile(dir / c.name, &why);
        EXPECT_EQ(content, c.content) << c.name;
        EXPECT_NE(why.find(c.why), std::string::npos) << c.name << ": " << why;
    }
    EXPECT_FALSE(ReadLines(dir / "fifo"));
}

TEST(SplitLinesTest, EveryLineEndEndsALine) {
    using Lines = std::vector<std::string>;
    const std::pair<std::string, Lines> cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\n\nb\r", {"a", "", "b"}},
        {"a\r\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"\n\r", {"", ""}},
    };
    for (const auto& [bytes, lines] : cases) EXPECT_EQ(SplitLines(bytes), lines) << bytes;
}

TEST(ReplaceFileTest, ReplacesTheBytesKeepingThePermissionsAndLeavesNoSideFile) {
    TempFolder dir;
    const fs::path file = dir / "user.ini";
    WriteBytes(file, "old\r\n");
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    const std::string binary("a\0b\xFF\r\n", 6);
    std::string why;
    ASSERT_TRUE(ReplaceFile(file, binary, &why)) << why;
    EXPECT_EQ(ReadBytes(file), binary);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    // A new file is made too.
    ASSERT_TRUE(ReplaceFile(dir / "new.ini", "x", &why)) << why;
    EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{"new.ini", "user.ini"}));

    EXPECT_FALSE(ReplaceFile(dir / "missing-folder" / "user.ini", "x", &why));
    EXPECT_NE(why.find("No such file"), std::string::npos) << why;
}

TEST(ReplaceFileTest, ALinkedFileIsReplacedAndTheLinkStays) {
    TempFolder dir;
    fs::create_directory(dir / "real");
    WriteBytes(dir / "real" / "settings.ini", "old");
    fs::create_symlink("real/settings.ini", dir / "user.ini");
    fs::create_symlink("user.ini", dir / "again.ini");
    std::string why;
    ASSERT_TRUE(ReplaceFile(dir / "again.ini", "new", &why)) << why;
    EXPECT_TRUE(fs::is_symlink(dir / "user.ini"));
    EXPECT_TRUE(fs::is_symlink(dir / "again.ini"));
    EXPECT_EQ(ReadBytes(dir / "real" / "settings.ini"), "new");
    EXPECT_EQ(FolderNames(dir / "real"), std::vector<std::string>{"settings.ini"});

    // A link to a file still to be made makes it.
    fs::create_symlink("real/later.ini", dir / "later.ini");
    ASSERT_TRUE(ReplaceFile(dir / "later.ini", "made", &why)) << why;
    EXPECT_EQ(ReadBytes(dir / "real" / "later.ini"), "made");
    EXPECT_TRUE(fs::is_symlink(dir / "later.ini"));

    fs::create_symlink("loop.ini", dir / "loop.ini");
    EXPECT_FALSE(ReplaceFile(dir / "loop.ini", "x", &why));
}

TEST(ReplaceFileTest, WhatIsNotAPlainFileIsNotReplaced) {
    TempFolder dir;
    fs::create_directory(dir / "folder");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    fs::create_symlink("/dev/null", dir / "null");
    for (const char* name : {"folder", "fifo", "null"}) {
        std::string why;
        EXPECT_FALSE(ReplaceFile(dir / name, "x", &why)) << name;
        EXPECT_NE(why.find("not a plain file"), std::string::npos) << name << ": " << why;
    }
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{"fifo", "folder", "null"}));
}

// A side file name left behind as a link (by a crash, or laid as a trap) is never written through.
TEST(ReplaceFileTest, ALeftoverSideFileThatIsALinkIsLeftAlone) {
    TempFolder dir;
    WriteBytes(dir / "victim", "keep");
    WriteBytes(dir / "user.ini", "old");
    fs::create_symlink("victim", dir / "user.ini.new");
    std::string why;
    ASSERT_TRUE(ReplaceFile(dir / "user.ini", "new", &why)) << why;
    EXPECT_EQ(ReadBytes(dir / "user.ini"), "new");
    EXPECT_EQ(ReadBytes(dir / "victim"), "keep");
    EXPECT_TRUE(fs::is_symlink(dir / "user.ini.new"));
    EXPECT_EQ(FolderNames(dir.path()),
              (std::vector<std::string>{"user.ini", "user.ini.new", "victim"}));
}

TEST(ReplaceFileTest, AReadOnlyFolderRefusesAndKeepsTheOldFile) {
    TempFolder dir;
    const fs::path file = dir / "user.ini";
    WriteBytes(file, "old");
    ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
    std::string why;
    bool replaced = false;
    {
        test::ReadOnlyFolder readOnly(dir.path());
        replaced = ReplaceFile(file, "new", &why);
    }
    EXPECT_FALSE(replaced);
    EXPECT_NE(why.find("Permission denied"), std::string::npos) << why;
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_EQ(FolderNames(dir.path()), std::vector<std::string>{"user.ini"});
}

// A file size limit makes the write itself fail part-way, as a full disk does (root included).
TEST(ReplaceFileTest, AWriteThatFailsPartWayKeepsTheOldFileWhole) {
    TempFolder dir;
    const fs::path file = dir / "user.ini";
    const std::string old = "[Zone_Name]\r\nZone1_Name=Kitchen\r\n";
    WriteBytes(file, old);
    std::string why;
    bool replaced = true;
    {
        test::FullDisk full(100);
        ASSERT_TRUE(full.active());
        replaced = ReplaceFile(file, std::string(4096, 'x'), &why);
    }

    EXPECT_FALSE(replaced);
    EXPECT_NE(why.find("cannot write"), std::string::npos) << why;
    EXPECT_EQ(ReadBytes(file), old);
    EXPECT_EQ(FolderNames(dir.path()), std::vector<std::string>{"user.ini"});
}

// Whatever held the name before is replaced by a new plain file; nothing it pointed to is
// touched, and a folder is left standing.
TEST(WriteFreshFileTest, ReplacesWhatIsUnderTheNameWithoutFollowingIt) {
    const struct {
        const char* name;
        std::function<void(const fs::path& dir, const fs::path& file)> before;
        bool written;
    } cases[] = {
        {"nothing", [](const fs::path&, const fs::path&) {}, true},
        {"a plain file", [](const fs::path&, const fs::path& f) { WriteBytes(f, "old"); }, true},
        {"a link to a file elsewhere",
         [](const fs::path& d, const fs::path& f) { fs::create_symlink(d / "out" / "victim", f); },
         true},
        {"a link to nothing yet",
         [](const fs::path& d, const fs::path& f) { fs::create_symlink(d / "out" / "new", f); },
         true},
        {"a link to a folder",
         [](const fs::path& d, const fs::path& f) { fs::create_symlink(d / "out", f); }, true},
        {"a FIFO", [](const fs::path&, const fs::path& f) { ::mkfifo(f.c_str(), 0644); }, true},
        {"a folder", [](const fs::path&, const fs::path& f) { fs::create_directory(f); }, false},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        fs::create_directories(dir / "in");
        fs::create_directories(dir / "out");
        WriteBytes(dir / "out" / "victim", "keep");
        const fs::path file = dir / "in" / "user.tus";
        c.before(dir.path(), file);
        std::string why;
        EXPECT_EQ(WriteFreshFile(file, "new", &why), c.written) << c.name << ": " << why;
        EXPECT_EQ(FolderNames(dir / "in"), std::vector<std::string>{"user.tus"}) << c.name;
        EXPECT_EQ(FolderNames(dir / "out"), std::vector<std::string>{"victim"}) << c.name;
        EXPECT_EQ(ReadBytes(dir / "out" / "victim"), "keep") << c.name;
        if (c.written) {
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file))) << c.name;
            EXPECT_EQ(ReadBytes(file), "new") << c.name;
        } else {
            EXPECT_TRUE(fs::is_directory(fs::symlink_status(file))) << c.name;
            EXPECT_FALSE(why.empty()) << c.name;
        }
    }
}

// The owner's write bit decides, links followed; root, who may write anything, is refused too.
TEST(ReplaceUserFileTest, AReadOnlyFileIsKept) {
    const struct {
        mode_t mode;  // 0: no file yet
        bool link, replaced;
    } cases[] = {{0, false, true}, {0644, false, true}, {0444, false, false}, {0444, true, false}};
    for (const auto& c : cases) {
        TempFolder dir;
        const fs::path target = dir / "week.sch", name = c.link ? dir / "link.sch" : target;
        if (c.mode != 0) WriteBytes(target, "old"), ::chmod(target.c_str(), c.mode);
        if (c.link) fs::create_symlink(target, name);
        EXPECT_EQ(ReplaceUserFile(name, "new"), c.replaced) << c.mode << c.link;
        EXPECT_EQ(ReadBytes(target), c.replaced ? "new" : "old") << c.mode << c.link;
    }
}

TEST(ReplaceFileTest, TwoWritersAtOnceLeaveOneContentWhole) {
    TempFolder dir;
    const fs::path file = dir / "user.ini";
    const std::string a(256 * 1024, 'a');
    const std::string b(200 * 1024, 'b');
    for (int round = 0; round < 20; ++round) {
        bool okA = false;
        bool okB = false;
        std::thread first([&] { okA = ReplaceFile(file, a); });
        std::thread second([&] { okB = ReplaceFile(file, b); });
        first.join();
        second.join();
        ASSERT_TRUE(okA && okB);
        const std::string now = ReadBytes(file);
        ASSERT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
    }
    EXPECT_EQ(FolderNames(dir.path()), std::vector<std::string>{"user.ini"});
}

}  // namespace
}  // namespace qor::files
