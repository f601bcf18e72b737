// The settings panel: what the device reports about itself (firmware, model, clock, temperature,
// each zone's maximum volume and on/off state, the two pregains), the zone names, and which zone
// panels the main window's Zones entry opens. Its Set buttons, on/off pictures and pregain
// sliders send to the device and read the panel again.
#pragma once

#include <string>

#include "link/context.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"

namespace qor {

class Frmsettings : public ui::Form {
    // First, so the controls below can use it.
    Context& ctx_;

  public:
    explicit Frmsettings(Context& ctx);

    // The window's widths: the zone and clock groups alone, and with the temperature group
    // (at least; the window grows to hold that group whole).
    static constexpr double kNarrowWidth = 360 + 5295 + 10;
    static constexpr double kWideWidth = 360 + 5295 + 5055 + 50;

    // Reads the device into the controls. On a device whose model query failed ("Unknown") the
    // panel unloads itself and says so instead.
    void readsettings();

    // The zone whose tab is selected, 1 to 4; 0 until readsettings has run.
    int CurrentTab = 0;

    // --- controls, in design order (later ones lie above earlier ones) ---------------------
    ui::Menu& mnustandard =
        addMenu("mnustandard", "Standard").onClick(this, &Frmsettings::mnustandard_Click);
    ui::Menu& MnuAdvanced =
        addMenu("MnuAdvanced", "Advanced").onClick(this, &Frmsettings::MnuAdvanced_Click);

    // "Save" buttons that save nothing: hidden, so no one takes them at their word.
    ui::CommandButton& Command1 = saveButton("Command1");
    ui::CommandButton& Command2 = saveButton("Command2");
    ui::CommandButton& Command3 = saveButton("Command3");
    // Decoration down the left edge.
    ui::Label& Label15 = label("Label15", {0, 0, 345, 7095}, *this, "Label15");
    ui::Image& Image1 =
        add<ui::Image>("Image1", {0, 0, 345, 7095}).setStretch(true).setPicture(EdgePicture());

    // The zone, temperature and clock groups.
    ui::Array<ui::Frame> Frame1 =
        addArray<ui::Frame>("Frame1",
                            {{360, 0, 5295, 4095}, {5760, 0, 5055, 4095}, {360, 4080, 5295, 2895}})
            .each([](ui::Frame& f, int i) {
                static const char* const kCaptions[] = {"Zone Parameters", "Temperature Parameters",
                                                        "Clock && date"};
                f.setCaption(kCaptions[i]);
            });

    // --- zone group ---
    ui::Label& Label3 = label("Label3", {240, 375, 1380, 255}, Frame1[0], "Pregain AUX");
    ui::Slider& Slider5 =
        pregainSlider("Slider5", 285).onChange(this, &Frmsettings::Slider5_Change);
    ui::Label& Label4 = label("Label4", {240, 855, 1380, 255}, Frame1[0], "Pregain Tuner");
    ui::Slider& Slider6 =
        pregainSlider("Slider6", 765).onChange(this, &Frmsettings::Slider6_Change);
    ui::CommandButton& Command6 = add<ui::CommandButton>("Command6", {4200, 300, 855, 375})
                                      .in(Frame1[0])
                                      .setCaption("Set")
                                      .onClick(this, &Frmsettings::Command6_Click);
    // The current zone on (a click switches it off) and off (a click switches it on).
    ui::PictureBox& Picture1 = add<ui::PictureBox>("Picture1", {4380, 780, 495, 495})
                                   .in(Frame1[0])
                                   .setPicture(PowerPicture(true))
                                   .setMousePointer(ui::Pointer::Hand)
                                   .onClick(this, &Frmsettings::Picture1_Click);
    ui::PictureBox& Picture2 = add<ui::PictureBox>("Picture2", {4380, 780, 495, 495})
                                   .in(Frame1[0])
                                   .setPicture(PowerPicture(false))
                                   .setMousePointer(ui::Pointer::Hand)
                                   .onClick(this, &Frmsettings::Picture2_Click);
    ui::TabStrip& TabStrip1 = add<ui::TabStrip>("TabStrip1", {720, 1320, 4335, 2415})
                                  .in(Frame1[0])
                                  .setTabCount(4)
                                  .onClick(this, &Frmsettings::TabStrip1_Click);
    // One frame per zone (index = zone - 1), laid over the tab strip's page.
    ui::Array<ui::Frame> Frame2 = addArray<ui::Frame>("Frame2", {{840, 1800, 4095, 1695},
                                                                 {840, 1800, 4095, 1695},
                                                                 {840, 1800, 4095, 1695},
                                                                 {840, 1800, 4095, 1695}})
                                      .in(Frame1[0]);
    ui::TextBox& Text1 = zoneName("Text1", 0);
    ui::TextBox& Text2 = zoneName("Text2", 1);
    ui::TextBox& Text3 = zoneName("Text3", 2);
    ui::TextBox& Text4 = zoneName("Text4", 3);
    ui::Label& Label1 = zoneLabel("Label1", 0, 660, "Maximum Volume");
    ui::Label& Label2 = zoneLabel("Label2", 1, 660, "Maximum Volume");
    ui::Label& Label5 = zoneLabel("Label5", 2, 660, "Maximum Volume");
    ui::Label& Label6 = zoneLabel("Label6", 3, 660, "Maximum Volume");
    ui::Slider& Slider1 = volumeSlider("Slider1", 0);
    ui::Slider& Slider2 = volumeSlider("Slider2", 1);
    ui::Slider& Slider3 = volumeSlider("Slider3", 2);
    ui::Slider& Slider4 = volumeSlider("Slider4", 3);
    ui::Label& Label18 = zoneLabel("Label18", 0, 1200, "Viewing on/off");
    ui::Label& Label19 = zoneLabel("Label19", 1, 1200, "Viewing on/off");
    ui::Label& Label20 = zoneLabel("Label20", 2, 1200, "Viewing on/off");
    ui::Label& Label21 = zoneLabel("Label21", 3, 1200, "Viewing on/off");
    ui::CheckBox& Check1 = viewBox("Check1", 0).onClick(this, &Frmsettings::Check1_Click);
    ui::CheckBox& Check2 = viewBox("Check2", 1).onClick(this, &Frmsettings::Check2_Click);
    ui::CheckBox& Check3 = viewBox("Check3", 2).onClick(this, &Frmsettings::Check3_Click);
    ui::CheckBox& Check4 = viewBox("Check4", 3).onClick(this, &Frmsettings::Check4_Click);

    // --- temperature group ---
    ui::Label& Label9 = label("Label9", {240, 480, 1500, 255}, Frame1[1], "Current Temp. ");
    ui::Label& Label25 = label("Label25", {1800, 480, 495, 255}, Frame1[1], "")
                             .setAlignment(ui::Alignment::RightJustify);
    ui::Label& Label24 =
        label("Label24", {2340, 480, 495, 255}, Frame1[1], "\xB0\x43");  // degrees C
    // Status 0, 1 and 2, one shown at a time.
    ui::PictureBox& Picture3 = statusPicture("Picture3", 0);
    ui::PictureBox& Picture4 = statusPicture("Picture4", 1);
    ui::PictureBox& Picture5 = statusPicture("Picture5", 2);
    // The limits and the offset: never shown, still filled and still sent by their button.
    ui::Label& Label11 = hiddenLabel("Label11", {240, 1200, 1500, 255}, "Maximum Temp.");
    ui::Label& Label10 = hiddenLabel("Label10", {1800, 1200, 495, 255}, "");
    ui::VScrollBar& VScroll1 = add<ui::VScrollBar>("VScroll1", {2400, 1080, 255, 1215})
                                   .in(Frame1[1])
                                   .setVisible(false)
                                   .setMin(90)
                                   .setMax(55)
                                   .setValue(55)
                                   .setSmallChange(5)
                                   .onChange(this, &Frmsettings::VScroll1_Change);
    ui::Label& Label12 = hiddenLabel("Label12", {240, 2520, 1500, 255}, "MinimumTemp.");
    ui::Label& Label13 = hiddenLabel("Label13", {1800, 2520, 495, 255}, "");
    ui::VScrollBar& VScroll2 = add<ui::VScrollBar>("VScroll2", {2400, 2400, 255, 1215})
                                   .in(Frame1[1])
                                   .setVisible(false)
                                   .setMin(65)
                                   .setMax(30)
                                   .setValue(30)
                                   .setSmallChange(5)
                                   .onChange(this, &Frmsettings::VScroll2_Change);
    ui::Label& Label14 = hiddenLabel("Label14", {3000, 1200, 735, 255}, "Offset");
    ui::ComboBox& Combo3 =
        add<ui::ComboBox>("Combo3", {3780, 1140, 855, 315}).in(Frame1[1]).setVisible(false);
    ui::CommandButton& Command5 = add<ui::CommandButton>("Command5", {3780, 2400, 855, 375})
                                      .in(Frame1[1])
                                      .setVisible(false)
                                      .setCaption("Set")
                                      .onClick(this, &Frmsettings::Command5_Click);
    ui::Label& Label23 = hiddenLabel("Label23", {240, 3720, 4560, 255}, "");

    // --- clock group ---
    ui::Calendar& Calendar1 = add<ui::Calendar>("Calendar1", {240, 300, 3300, 2415}).in(Frame1[2]);
    ui::ComboBox& Combo1 =
        add<ui::ComboBox>("Combo1", {3720, 600, 660, 315}).in(Frame1[2]).setText("Hr");
    ui::Label& Label7 =
        label("Label7", {4380, 630, 180, 255}, Frame1[2], ":").setAlignment(ui::Alignment::Center);
    ui::ComboBox& Combo2 =
        add<ui::ComboBox>("Combo2", {4560, 600, 660, 315}).in(Frame1[2]).setText("Min");
    ui::CommandButton& Command4 = add<ui::CommandButton>("Command4", {3720, 1140, 1500, 375})
                                      .in(Frame1[2])
                                      .setCaption(" Set")
                                      .onClick(this, &Frmsettings::Command4_Click);

    // --- the device, below the temperature group in the wide layout ---
    ui::Label& Label16 = infoLabel("Label16", 4320, "Frirmware version : ").setVisible(false);
    ui::Label& Label17 = infoLabel("Label17", 4680, "Model :").setVisible(false);
    ui::Label& Label22 = infoLabel("Label22", 5040, "Software version :  1.22");

    // --- event handlers ------------------------------------------------------------------
    void mnustandard_Click();
    void MnuAdvanced_Click();
    void TabStrip1_Click();
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void VScroll1_Change();
    void VScroll2_Change();
    void Command4_Click();  // clock Set
    void Command5_Click();  // temperature Set
    void Command6_Click();  // zone Set
    void Picture1_Click();  // the current zone off
    void Picture2_Click();  // the current zone on
    void Slider5_Change();
    void Slider6_Change();

  protected:
    void Form_Load() override;

  private:
    // The embedded pictures, drawn here.
    static QPixmap PowerPicture(bool on);
    static QPixmap StatusPicture(int status);
    static QPixmap EdgePicture();

    // A caption on the window's own background.
    ui::Label& label(const char* name, const ui::TwipRect& rect, ui::Container& container,
                     const char* caption);
    ui::Label& zoneLabel(const char* name, int zone, double top, const char* caption);
    ui::Label& hiddenLabel(const char* name, const ui::TwipRect& rect, const char* caption);
    ui::Label& infoLabel(const char* name, double top, const char* caption);
    ui::Slider& pregainSlider(const char* name, double top);
    ui::Slider& volumeSlider(const char* name, int zone);
    ui::TextBox& zoneName(const char* name, int zone);
    ui::CheckBox& viewBox(const char* name, int zone);
    ui::PictureBox& statusPicture(const char* name, int status);
    ui::CommandButton& saveButton(const char* name);

    ui::Slider& zoneSlider(int zone);
    ui::CheckBox& zoneCheck(int zone);
    void showOnOff(bool on);
    void showStatus(int status);
    void viewChanged(int zone);
    void switchZone(bool on);
};

}  // namespace qor
