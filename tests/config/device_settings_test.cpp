#include "config/device_settings.h"

#include <gtest/gtest.h>

#include "config/show_zones.h"
#include "support/files.h"

namespace qor {
namespace {

using Lines = std::vector<std::string>;

TEST(DeviceSettingsTest, CaptionsAndMessages) {
    EXPECT_EQ(FirmwareCaption("*RT,VER,V2.14;"), "Firmware :  V2.14");
    EXPECT_EQ(FirmwareCaption("Comm Error"), "Firmware :  ");
    EXPECT_EQ(ModelCaption("QOR 81"), "Model :  QOR 81");
    EXPECT_EQ(ClockAdjustedMessage("*CLK,SET,07,03,2026,09,05,01;"),
              "Clock adjusted :*CLK,SET,07,03,2026,09,05,01;");
}

TEST(DeviceSettingsTest, ClockSetTakesAWholeHourAndMinuteInRangeOrSendsNothing) {
    const DateTime date{2026, 3, 7, 0, 0, 0};
    const struct {
        const char* hour;
        const char* minute;
        const char* command;  // "" for a refusal
        const char* why;
    } cases[] = {
        {"9", "5", "*CLK,SET,07,03,2026,09,05,01;", ""},
        {"12", "30", "*CLK,SET,07,03,2026,12,30,01;", ""},
        {"0", "0", "*CLK,SET,07,03,2026,00,00,01;", ""},
        {" 09", "59 ", "*CLK,SET,07,03,2026,09,59,01;", ""},
        {"Hr", "Min", "", "hour"},
        {"9", "Min", "", "minute"},
        {"24", "0", "", "hour"},
        {"-1", "0", "", "hour"},
        {"9", "60", "", "minute"},
        {"9.5", "5", "", "hour"},
        {"", "5", "", "hour"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.hour) + ":" + c.minute);
        std::string why;
        const auto command = ClockSetCommand(date, c.hour, c.minute, &why);
        EXPECT_EQ(command.value_or(""), c.command);
        if (*c.why) {
            EXPECT_NE(why.find(c.why), std::string::npos) << why;
        }
    }
}

TEST(DeviceSettingsTest, TemperatureSetSendsTheStartUpFormsOrNothing) {
    const struct {
        const char* minimum;
        const char* maximum;
        const char* offset;
        Lines commands;  // empty for a refusal
    } cases[] = {
        {"35", "70", "-3", {"*TEMP,MIN,35;", "*TEMP,MAX,70;", "*TEMP,CAL,-03;"}},
        {"5", "90", "0", {"*TEMP,MIN,05;", "*TEMP,MAX,90;", "*TEMP,CAL,00;"}},
        {"30", "55", "7", {"*TEMP,MIN,30;", "*TEMP,MAX,55;", "*TEMP,CAL,07;"}},
        {"65", "9", "10", {"*TEMP,MIN,65;", "*TEMP,MAX,09;", "*TEMP,CAL,10;"}},
        {" 40 ", "70", "-10", {"*TEMP,MIN,40;", "*TEMP,MAX,70;", "*TEMP,CAL,-10;"}},
        {"", "70", "0", {}},
        {"35", "warm", "0", {}},
        {"35", "70", "1.5", {}},
        {"35", "70", "99999", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.minimum) + " " + c.maximum + " " + c.offset);
        std::string why;
        const auto commands = TemperatureSetCommands(c.minimum, c.maximum, c.offset, &why);
        EXPECT_EQ(commands.value_or(Lines{}), c.commands);
        EXPECT_EQ(why.empty(), !c.commands.empty()) << why;
    }
}

TEST(DeviceSettingsTest, ZoneSetSendsTheTunerPregainOnTheTunerModelOnlyAndTheCurrentTabsMaximum) {
    EXPECT_EQ(ZoneSetCommands(5, 9, "QOR 81", 2, 80), (Lines{"*GAIN,1,5;", "*MAX,2,80;"}));
    EXPECT_EQ(ZoneSetCommands(0, 30, "QOR 82", 4, 99),
              (Lines{"*GAIN,1,0;", "*GAIN,2,30;", "*MAX,4,99;"}));
    EXPECT_EQ(ZoneSetCommands(5, 9, "unknown", 0, 80), Lines{"*GAIN,1,5;"});
}

TEST(ShowZonesWriteTest, WrittenWholeOrNotAtAll) {
    test::TempFolder dir;
    // A missing file is simply created.
    std::string why;
    ASSERT_TRUE(WriteShowZones(dir.path(), {false, true, false, true, false}, &why)) << why;
    const std::string written = test::ReadBytes(ShowZonesFilePath(dir.path()));
    EXPECT_EQ(written,
              " \r\n[Show zones on screen]\r\nShowzone1 = True\r\nShowzone2 = False\r\n"
              "Showzone3 = True\r\nShowzone4 = False\r\n");

    // A disk that takes only a few bytes: the old file stays whole.
    bool ok = true;
    {
        test::FullDisk full(40);
        ASSERT_TRUE(full.active());
        ok = WriteShowZones(dir.path(), {false, false, false, false, false}, &why);
    }
    EXPECT_FALSE(ok);
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(test::ReadBytes(ShowZonesFilePath(dir.path())), written);
    EXPECT_EQ(test::FolderNames(dir.path()), std::vector<std::string>{"showzones.ini"});

    // A program folder that is gone.
    EXPECT_FALSE(WriteShowZones(dir / "gone", {}, &why));
}

}  // namespace
}  // namespace qor
