// A framed window laid out like the settings panel, built from the kit alone: a menu bar, a frame
// with a tab strip and a zone frame per tab, sliders, tick boxes, a calendar, scroll bars and
// buttons. The tests drive it; ui_sample_window shows it for a screenshot.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/ui.h"

namespace qor::ui::test {

class FrmSampleSettings : public Form {
  public:
    FrmSampleSettings() : Form("FrmSampleSettings") {
        setCaption("Adjust current settings ");
        setBorderStyle(FormBorderStyle::FixedSingle);
        Move(600, 600, 11000, 7900);
    }

    std::vector<std::string> log;

    Menu& mnuLayout = addMenu("mnuLayout", "Layout");
    Menu& mnustandard = addMenu("mnustandard", "Standard")
                            .in(mnuLayout)
                            .onClick(this, &FrmSampleSettings::mnustandard_Click);
    Menu& MnuAdvanced = addMenu("MnuAdvanced", "Advanced")
                            .in(mnuLayout)
                            .onClick(this, &FrmSampleSettings::MnuAdvanced_Click);
    Menu& mnuHelp = addMenu("mnuHelp", "Help").onClick(this, &FrmSampleSettings::mnuHelp_Click);

    Array<Frame> Frame1 =
        addArray<Frame>("Frame1",
                        {{360, 0, 5295, 4095}, {5760, 0, 5055, 4095}, {360, 4080, 5295, 2895}})
            .each([](Frame& f, int i) {
                static const char* const captions[] = {"Zone Parameters", "Temperature Parameters",
                                                       "Clock && date"};
                f.setCaption(captions[i]);
            });
    TabStrip& TabStrip1 = add<TabStrip>("TabStrip1", {240, 1320, 4815, 2295})
                              .in(Frame1[0])
                              .setTabCount(4)
                              .onClick(this, &FrmSampleSettings::TabStrip1_Click);
    Array<Frame> Frame2 = addArray<Frame>("Frame2", {{360, 1800, 4575, 1695},
                                                     {360, 1800, 4575, 1695},
                                                     {360, 1800, 4575, 1695},
                                                     {360, 1800, 4575, 1695}})
                              .in(Frame1[0]);
    CheckBox& Check1 = tickBox("Check1", 0);
    CheckBox& Check2 = tickBox("Check2", 1);
    Slider& Slider1 = zoneSlider("Slider1", 0);
    Slider& Slider2 = zoneSlider("Slider2", 1);
    Slider& Slider5 = add<Slider>("Slider5", {240, 360, 2400, 450})
                          .in(Frame1[0])
                          .setMax(30)
                          .onChange(this, &FrmSampleSettings::Slider5_Change)
                          .onScroll(this, &FrmSampleSettings::Slider5_Scroll)
                          .onLostFocus(this, &FrmSampleSettings::Slider5_LostFocus);
    CommandButton& Command6 = add<CommandButton>("Command6", {3960, 840, 975, 375})
                                  .in(Frame1[0])
                                  .setCaption("Set")
                                  .onClick(this, &FrmSampleSettings::Command6_Click);
    Label& Label9 =
        add<Label>("Label9", {240, 480, 1500, 255}).in(Frame1[1]).setCaption("Current Temp. ");
    Label& Label13 = add<Label>("Label13", {1800, 480, 600, 255}).in(Frame1[1]).setCaption("30");
    VScrollBar& VScroll2 = add<VScrollBar>("VScroll2", {2640, 480, 255, 1800})
                               .in(Frame1[1])
                               .setMin(65)
                               .setMax(30)
                               .setValue(30)
                               .setSmallChange(5)
                               .onChange(this, &FrmSampleSettings::VScroll2_Change);
    Calendar& Calendar1 = add<Calendar>("Calendar1", {240, 300, 3400, 2400}).in(Frame1[2]);
    ComboBox& Combo1 = add<ComboBox>("Combo1", {3840, 600, 735, 315}).in(Frame1[2]).setText("Hr");
    Array<Line> Line1 =
        addArray<Line>("Line1", {{3840, 1200, 4800, 1200}, {3840, 1300, 4800, 2000}}).in(Frame1[2]);

    void mnustandard_Click() { log.push_back("mnustandard_Click"); }
    void MnuAdvanced_Click() { log.push_back("MnuAdvanced_Click"); }
    void mnuHelp_Click() { log.push_back("mnuHelp_Click"); }
    void TabStrip1_Click() {
        log.push_back("TabStrip1_Click " + std::to_string(TabStrip1.SelectedIndex()));
    }
    void Check1_Click() { log.push_back("Check1_Click " + std::to_string(Check1.Value())); }
    void Slider1_Change() { log.push_back("Slider1_Change " + std::to_string(Slider1.Value())); }
    void Slider5_Change() { log.push_back("Slider5_Change " + std::to_string(Slider5.Value())); }
    void Slider5_Scroll() { log.push_back("Slider5_Scroll " + std::to_string(Slider5.Value())); }
    void Slider5_LostFocus() { log.push_back("Slider5_LostFocus"); }
    void Command6_Click() { log.push_back("Command6_Click"); }
    void VScroll2_Change() {
        Label13.setCaption(std::to_string(VScroll2.Value()));
        log.push_back("VScroll2_Change " + Label13.Caption());
    }

  private:
    CheckBox& tickBox(const char* name, int zone) {
        return add<CheckBox>(name, {240, 240, 1800, 255})
            .in(Frame2[zone])
            .setCaption("Viewing on/off")
            .onClick(this, &FrmSampleSettings::Check1_Click);
    }
    Slider& zoneSlider(const char* name, int zone) {
        return add<Slider>(name, {240, 720, 3000, 450})
            .in(Frame2[zone])
            .setMax(99)
            .setLargeChange(5)
            .onChange(this, &FrmSampleSettings::Slider1_Change);
    }
};

}  // namespace qor::ui::test
