#include "config/file_name_rule.h"

#include <gtest/gtest.h>

#include <string>

namespace qor {
namespace {

struct Case {
    const char* name;
    const char* box;
    int result;
    const char* boxAfter;
};

void Check(const Case& c) {
    SCOPED_TRACE(std::string("name \"") + c.name + "\", box \"" + c.box + "\"");
    std::string box = c.box;
    EXPECT_EQ(truefiln(c.name, box), c.result);
    EXPECT_EQ(box, c.boxAfter);
}

TEST(TrueFilnTest, NamesTypedIntoTheBox) {
    const Case cases[] = {
        {"my conf", "my conf", 0, "my_conf.ini"},
        {"ab", "ab", 0, "ab.ini"},
        {"  ab  ", "  ab  ", 0, "ab.ini"},
        {"x.ini.bak", "x.ini.bak", 0, "x.ini.bak"},
        {"a.ini", "a.ini", 0, "a.ini"},
        {"a-b_c.ini", "a-b_c.ini", 0, "a_b_c.ini"},
        {"caf\xE9", "caf\xE9", 0, "caf_.ini"},
        // Case matters, and a name with a "." of its own gets no ".ini".
        {"A.INI", "A.INI", 1, "A.INI"},
        {"notes.txt", "notes.txt", 1, "notes.txt"},
        {"name.with.dots", "name.with.dots", 1, "name.with.dots"},
        // Too short to count as holding ".ini", blank or not.
        {".ini", ".ini", 1, ".ini"},
        {" .ini", " .ini", 1, ".ini"},
        {"", "", 1, ".ini"},
        {"   ", "   ", 1, ".ini"},
    };
    for (const auto& c : cases) Check(c);
}

TEST(TrueFilnTest, AFullPathOnlyCleansTheBox) {
    const Case cases[] = {
        {"/opt/qor/user.ini", "", 0, ""},
        {"/opt/qor/user.ini", "my file.ini", 0, "my_file.ini"},
        {"/opt/qor/user.ini", "  plain  ", 0, "plain"},
        // The box alone can still refuse the path.
        {"/opt/qor/user.ini", ".ini", 1, ".ini"},
        {"/opt/qor/user.ini", "  .ini ", 1, ".ini"},
    };
    for (const auto& c : cases) Check(c);
}

TEST(TrueFilnTest, RulesLookAtTheNameWhileTheBoxIsRewritten) {
    // A name without "." appends ".ini" to the box, whatever the box holds.
    Check({"abc", "xyz", 0, "xyz.ini"});
    // ...so with an empty box it ends as ".ini" alone and is refused.
    Check({"abc", "", 1, ".ini"});
    // The name is judged before the box changes, so both may be one string.
    std::string same = "my conf";
    EXPECT_EQ(truefiln(same, same), 0);
    EXPECT_EQ(same, "my_conf.ini");
}

}  // namespace
}  // namespace qor
