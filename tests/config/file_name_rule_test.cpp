#include "config/file_name_rule.h"

#include <gtest/gtest.h>

#include <string>

namespace qor {
namespace {

TEST(TrueFilnTest, JudgesTheNameAndCleansTheBox) {
    struct Case {
        const char* name;
        const char* box;
        int result;
        const char* boxAfter;
    };
    const Case cases[] = {
        // Blanks and characters outside letters and digits become "_"; ".ini" is added.
        {"my conf", "my conf", 0, "my_conf.ini"},
        {"  ab  ", "  ab  ", 0, "ab.ini"},
        {"a-b_c.ini", "a-b_c.ini", 0, "a_b_c.ini"},
        {"caf\xE9", "caf\xE9", 0, "caf_.ini"},
        {"x.ini.bak", "x.ini.bak", 0, "x.ini.bak"},
        // Case matters, and a name with a "." of its own gets no ".ini".
        {"A.INI", "A.INI", 1, "A.INI"},
        {"name.with.dots", "name.with.dots", 1, "name.with.dots"},
        // Too short to count as holding ".ini", blank or not.
        {" .ini", " .ini", 1, ".ini"},
        {"   ", "   ", 1, ".ini"},
        // A full path only cleans the box, which alone can still refuse it.
        {"/opt/qor/user.ini", "", 0, ""},
        {"/opt/qor/user.ini", "  my file.ini", 0, "my_file.ini"},
        {"/opt/qor/user.ini", "  .ini ", 1, ".ini"},
        // The rules look at the name while the box is rewritten.
        {"abc", "xyz", 0, "xyz.ini"},
        {"abc", "", 1, ".ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("name \"") + c.name + "\", box \"" + c.box + "\"");
        std::string box = c.box;
        EXPECT_EQ(truefiln(c.name, box), c.result);
        EXPECT_EQ(box, c.boxAfter);
    }
    // The name is judged before the box changes, so both may be one string.
    std::string same = "my conf";
    EXPECT_EQ(truefiln(same, same), 0);
    EXPECT_EQ(same, "my_conf.ini");
}

TEST(ProgramReadFileTest, OnlyTheFilesTheProgramReadsExactlySo) {
    for (const char* name : {"lookforinini.txt", "showzones.ini", "DefResuSched.txt"})
        EXPECT_TRUE(IsProgramReadFile(name)) << name;
    for (const char* name : {"lookforinini.ini", "Showzones.ini", "defresusched.txt", "user.ini"})
        EXPECT_FALSE(IsProgramReadFile(name)) << name;
}

}  // namespace
}  // namespace qor
