#include "schedule/schedule_events.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/files.h"

namespace qor::schedule {
namespace {

EventRow Row(std::string days, std::string time, std::string zone, std::string onOff,
             std::string source, std::string volume) {
    EventRow r{{}, time, zone, onOff, source, volume};
    for (std::size_t i = 0; i < 7; ++i) r.days[i] = days[i] == '1';
    return r;
}

TEST(ScheduleLines, AnEmptyGridWritesTheClearAndNoDayLineOfEachEvent) {
    const auto text = ScheduleFileText({}, "QOR 82");
    ASSERT_TRUE(text);
    std::string expected;
    for (int n = 1; n <= 16; ++n)
        expected += "*EVT,CLR," + std::string(n < 10 ? "0" : "") + std::to_string(n) +
                    ";\r\n*EVT,SET," + std::to_string(n) + ",0000000,00,00,0,0,1,00,0;\r\n";
    EXPECT_EQ(*text, expected);
}

TEST(ScheduleLines, SetLines) {
    struct Case {
        EventRow row;
        const char* model;
        const char* line;
    } cases[] = {
        {Row("1111100", "7:30:00", "2", "On", "Preset 4", "25"), "QOR 82",
         "*EVT,SET,3,1111100,07,30,2,1,2,25,4;"},
        {Row("0000001", "07:30:00", "1", "Off", "Aux", "25"), "QOR 82",
         "*EVT,SET,3,0000001,07,30,1,0,1,25,1;"},
        // Seconds above half a minute round the minute up, never past 59.
        {Row("1000000", "7:05:45", "1", "on", "Aux", "0"), "QOR 82",
         "*EVT,SET,3,1000000,07,06,1,1,1,00,1;"},
        {Row("1000000", "7:05:30", "1", "On", "Aux", "0"), "QOR 82",
         "*EVT,SET,3,1000000,07,05,1,1,1,00,1;"},
        {Row("1000000", "7:59:45", "1", "On", "Aux", "0"), "QOR 82",
         "*EVT,SET,3,1000000,07,59,1,1,1,00,1;"},
        // The model without tuner always plays the auxiliary input.
        {Row("1000000", "23:00:00", "4", "On", "Preset 6", "7"), "QOR 81",
         "*EVT,SET,3,1000000,23,00,4,1,1,07,1;"},
        {Row("1000000", "0:00", "3", "Off", "aux", "99"), "qor 82",
         "*EVT,SET,3,1000000,00,00,3,0,1,99,1;"},
    };
    for (const auto& c : cases) EXPECT_EQ(SetLine(3, c.row, c.model), c.line) << c.line;
}

TEST(ScheduleLines, ATimeCellThatIsNoTimeWritesNothingAndNamesItsEvent) {
    std::array<EventRow, kEvents + 1> rows{};
    rows[5] = Row("0000000", "ab:cd:00", "1", "Off", "Aux", "0");  // no day: the time is not used
    rows[9] = Row("0010000", "07:60:00", "1", "Off", "Aux", "0");
    int bad = 0;
    EXPECT_FALSE(ScheduleFileText(rows, "QOR 82", &bad));
    EXPECT_EQ(bad, 9);
    for (const char* t : {"", "7", "24:00:00", "7:30:00:00", "x7:30", "7:3a:00", "-1:00"})
        EXPECT_FALSE(ParseTimeCell(t)) << t;
}

TEST(ScheduleLines, ReadingSetLines) {
    struct Case {
        const char* line;
        Reader reader;
        const char* model;
        int row;
        const char* days;
        const char* time;
        std::optional<std::string> zone, source, volume;
        std::optional<bool> on;
    } cases[] = {
        {"*EVT,SET,5,0000000,00,00,0,0,1,00,0;", Reader::ScheduleFile, "QOR 82", 5, "0000000",
         "00:00:00", "0", "Aux", "0", false},
        {"*EVT,SET,4,1000001,07,30,02,1,2,05,3;", Reader::ScheduleFile, "QOR 82", 4, "1000001",
         "07:30:00", "02", "Preset 3", "5", true},
        {"*EVT,SET,4,1000001,07,30,02,1,2,05,3;", Reader::ScheduleFile, "QOR 81", 4, "1000001",
         "07:30:00", "2", "Aux", "5", true},
        // Blanks before and a lower-case prefix are accepted; a zone of 5 and more, or no number,
        // leaves the cell.
        {"  *evt,set,16,1x10000,,,9,1,1,30,1;", Reader::ScheduleFile, "QOR 82", 16, "1010000",
         "0:00:00", std::nullopt, "Aux", "30", true},
        {"*EVT,SET,2,0000000,06,15,x,0,3,10,2;", Reader::ScheduleFile, "QOR 82", 2, "0000000",
         "06:15:00", std::nullopt, std::nullopt, "10", false},
        {"*EVT,SET,2,0000000,06,15,1,0,3,10,2;", Reader::ScheduleFile, "QOR 81", 2, "0000000",
         "06:15:00", "1", "Aux", "10", false},
        {"*EVT,SET,2,0000000,06,15,1,0,3,10,2;", Reader::Retrieved, "QOR 81", 2, "0000000",
         "06:15:00", "1", "Preset 2", "10", false},
        // Lines that are no set line, and event numbers that name no event, are skipped.
        {"*EVT,CLR,02;", Reader::ScheduleFile, "QOR 82", 0, "0000000", "", {}, {}, {}, {}},
        {"*EVT,SET,x,1111111,07,30,1,1,1,20,1;",
         Reader::ScheduleFile,
         "QOR 82",
         0,
         "0000000",
         "",
         {},
         {},
         {},
         {}},
        {"*EVT,SET,0,1111111,07,30,1,1,1,20,1;",
         Reader::Retrieved,
         "QOR 82",
         0,
         "0000000",
         "",
         {},
         {},
         {},
         {}},
    };
    for (const auto& c : cases) {
        const LineEffect e = ReadSetLine(c.line, c.reader, c.model);
        EXPECT_FALSE(e.error) << c.line;
        EXPECT_EQ(e.row, c.row) << c.line;
        if (c.row == 0) continue;
        std::string days;
        for (bool d : e.days) days += d ? '1' : '0';
        EXPECT_EQ(days, c.days) << c.line;
        EXPECT_EQ(e.time, c.time) << c.line;
        EXPECT_EQ(e.zone, c.zone) << c.line;
        EXPECT_EQ(e.on, c.on) << c.line;
        EXPECT_EQ(e.source, c.source) << c.line;
        EXPECT_EQ(e.volume, c.volume) << c.line;
    }
    // An event number with no row, or a number out of 16 bits, ends the reading.
    for (const char* line :
         {"*EVT,SET,17,0000000,00,00,1,0,1,00,0;", "*EVT,SET,-1,0000000,00,00,1,0,1,00,0;",
          "*EVT,SET,3,0000000,00,00,1,0,1,40000,0;", "*EVT,SET,99999;"})
        EXPECT_TRUE(ReadSetLine(line, Reader::ScheduleFile, "QOR 82").error) << line;
}

TEST(ScheduleLines, ReadBackLines) {
    struct Case {
        const char* answer;
        std::optional<std::string> line;
    } cases[] = {
        {"*RT,EVT,4,1000000,06,45,1,1,1,30,1;", "*EVT,SET,4,1000000,06,45,1,1,1,30,1;"},
        {"*RT,EVT", "*EVT,SET,"},
        {"Comm Error : NO CONNECTION", std::nullopt},
        {"?", std::nullopt},
        {"*RT,VOL,1,40;", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadBackLine(c.answer), c.line) << c.answer;
}

TEST(ScheduleLines, ScheduleFileNames) {
    struct Case {
        const char* in;
        const char* name;
        bool usable;
    } cases[] = {
        {"week", "week.sch", true},
        {"week.sch", "week.sch", true},
        {"my week", "my_week.sch", true},
        {"report 1.txt", "report_1.txt.sch", true},
        {"Week.SCH", "Week.SCH.sch", true},
        {"my.schedule", "my.sche.sch", true},
        {"../etc/x", ".._etc_x.sch", true},
        {"ab.c", ".sch", false},
        {"a.b", ".sch", false},
        {"", ".sch", false},
        {"   ", ".sch", false},
    };
    for (const auto& c : cases) {
        const auto r = truefilschedn(c.in);
        EXPECT_EQ(r.name, c.name) << c.in;
        EXPECT_EQ(r.usable, c.usable) << c.in;
    }
}

TEST(ScheduleFiles, CanReplaceOnlyWhereTheFolderTakesANewFile) {
    test::TempFolder dir;
    EXPECT_TRUE(CanReplace(dir / "new.txt"));
    EXPECT_FALSE(CanReplace(dir.path()));
    EXPECT_FALSE(CanReplace(dir / "missing" / "x.txt"));
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    EXPECT_FALSE(CanReplace(dir / "fifo"));
    std::filesystem::remove(dir / "fifo");
    ::chmod(dir.path().c_str(), 0555);
    {
        test::UserFileRights asUser;
        std::string why;
        EXPECT_FALSE(CanReplace(dir / "x.txt", &why));
        EXPECT_FALSE(why.empty());
    }
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace qor::schedule
