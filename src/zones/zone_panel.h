// The amplification panel of one zone: on/off, Aux/Tuner, bass, treble and volume, refreshed
// from the device every 2.5 seconds. One class, made once per zone; the few ways the four
// windows differ are the ZoneTraits of each.
#pragma once

#include <filesystem>
#include <string>

#include "link/context.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "platform/ui/knob.h"

namespace qor {

// What sets one zone's window apart from the others.
struct ZoneTraits {
    const char* window = "";  // the window's name
    // Zone 1 names its sources in a text box (Text4), the others in a label (Label3).
    bool captionIsTextBox = false;
    // Zone 1 repeats the model check on every refresh; the others only at load.
    bool modelCheckOnRefresh = false;
    // Zone 1 also disables its source caption on the model without tuner, and selects Aux when
    // switched on there.
    bool disablesCaptionWithoutTuner = false;
    bool selectsAuxWhenSwitchedOn = false;
    // Zone 1 measures the screen for every panel's stacking.
    bool storesScreenHeight = false;
    // Zone 2 refreshes each time its window becomes active, and pokes its volume knob first
    // in a refresh that finds the zone on.
    bool refreshesOnActivate = false;
    bool pokesVolumeKnob = false;
    // Zone 4 runs the model's last refresh step once more at the start, with the zone's old state.
    bool earlyModelStep = false;
    // Zones 2 to 4 hide both source markers while the zone is off, until the source is read.
    bool hidesMarkersWhenOff = false;

    static const ZoneTraits& For(int zone);
};

class ZonePanel : public ui::Form {
    // First, so the controls below can use them.
    Context& ctx_;
    const int zone_;
    const ZoneTraits& traits_;

    // Both looks' files, in the program folder.
    static constexpr const char* kSkinOn = "Ampli31.gif";
    static constexpr const char* kSkinOff = "Ampli31_faded.gif";
    static constexpr const char* kCloseOn = "close.ico";
    static constexpr const char* kCloseOff = "close2.ico";
    static constexpr const char* kPowerOn = "knopon2.ico";
    static constexpr const char* kPowerOff = "knopon2_faded.gif";

  public:
    ZonePanel(Context& ctx, int zone);

    int zone() const { return zone_; }
    const ZoneTraits& traits() const { return traits_; }

    // Behaves as the link's clearansw, counting into the shared SemicolonCount.
    std::string clearansw(const std::string& text, const std::string& key);

    // Brings the panel in line with the device's state of zone z.
    void RefreshZone(int z);

    // Event handlers, public so the program's tests can raise them.
    void Timer1_Timer();
    void Form_Activate() override;
    void Image1_MouseDown(int button, int shift, double x, double y);
    void Image1_MouseMove(int button, int shift, double x, double y);
    void Image1_MouseUp(int button, int shift, double x, double y);
    void Image3_Click();
    void Image4_Click();
    void iKnobX11_PositionChange();
    void iKnobX21_PositionChange();
    void iKnobX31_PositionChange();
    void Image2_Click();
    void Image5_Click();
    void Picture1_Click();

    // Controls, in design order (later ones lie above earlier ones). Places follow the
    // artwork, at 15 twips a pixel of the skin. The window starts with the lit pictures: the
    // zone's last skin outlives the panel, so a refresh of a panel opened again on a lit zone
    // does not load them.
    ui::Image& Image1 = add<ui::Image>("Image1", {0, 0, 8550, 1815})  // skin and drag handle
                            .setPictureFile(picture(kSkinOn))
                            .onMouseDown(this, &ZonePanel::Image1_MouseDown)
                            .onMouseMove(this, &ZonePanel::Image1_MouseMove)
                            .onMouseUp(this, &ZonePanel::Image1_MouseUp);
    // Empty, at the on/off button's place; below it, so it never takes the button's clicks.
    ui::Label& Label2 =
        add<ui::Label>("Label2", {240, 540, 600, 600}).setBackStyle(ui::BackStyle::Transparent);
    ui::PictureBox& Picture1 = add<ui::PictureBox>("Picture1", {240, 540, 600, 600})  // on/off
                                   .setPictureFile(picture(kPowerOn))
                                   .onClick(this, &ZonePanel::Picture1_Click);
    ui::Label& Label1 = add<ui::Label>("Label1", {1170, 225, 2760, 360})  // zone name plate
                            .setCaption("Zone " + std::to_string(zone_))
                            .setBackColor(ui::SysColor(7))
                            .setForeColor(QColor(255, 255, 255))
                            .setAlignment(ui::Alignment::Center)
                            .setFont("Verdana", 12, true);
    ui::Image& Image2 = add<ui::Image>("Image2", {1230, 900, 750, 555})  // Tuner button
                            .setPictureFile(picture("zone_tuner.png"))
                            .onClick(this, &ZonePanel::Image2_Click);
    ui::Image& Image5 = add<ui::Image>("Image5", {2190, 900, 690, 540})  // Aux button
                            .setPictureFile(picture("zone_aux.png"))
                            .onClick(this, &ZonePanel::Image5_Click);
    ui::Shape& Shape4 = sourceMarker("Shape4", {1485, 735, 255, 120});  // Tuner marker
    ui::Shape& Shape5 = sourceMarker("Shape5", {2415, 735, 255, 120});  // Aux marker
    // The source caption: a text box on zone 1, a label on the others.
    ui::TextBox* Text4 =
        traits_.captionIsTextBox
            ? &levelCaption("Text4", kSourceCaption, "Tuner / Aux", 0).setForeColor(ui::SysColor(8))
            : nullptr;
    ui::Label* Label3 = traits_.captionIsTextBox ? nullptr
                                                 : &add<ui::Label>("Label3", kSourceCaption)
                                                        .setCaption("Tuner /  Aux")
                                                        .setBackColor(ui::SysColor(17))
                                                        .setForeColor(ui::SysColor(8))
                                                        .setAlignment(ui::Alignment::Center);
    ui::TextBox& Text1 = levelCaption("Text1", {4245, 1440, 960, 210}, "Low", 7);
    ui::TextBox& Text2 = levelCaption("Text2", {5400, 1440, 960, 210}, "High", 7);
    ui::TextBox& Text3 = levelCaption("Text3", {6570, 1440, 1020, 210}, "Volume", 7);
    ui::IKnobX& iKnobX11 = knob("iKnobX11", {4365, 390, 720, 720}, -15, 15)  // bass
                               .onPositionChange(this, &ZonePanel::iKnobX11_PositionChange);
    ui::IKnobX& iKnobX21 = knob("iKnobX21", {5520, 390, 720, 720}, -15, 15)  // treble
                               .onPositionChange(this, &ZonePanel::iKnobX21_PositionChange);
    // The volume knob keeps the knob's own minimum.
    ui::IKnobX& iKnobX31 = knob("iKnobX31", {6660, 330, 840, 840}, 0, 100)
                               .onPositionChange(this, &ZonePanel::iKnobX31_PositionChange);
    ui::Image& Image3 = add<ui::Image>("Image3", {7890, 135, 270, 270})  // minimise
                            .setPictureFile(picture("zone_minimise.png"))
                            .onClick(this, &ZonePanel::Image3_Click);
    ui::Image& Image4 = add<ui::Image>("Image4", {8160, 135, 270, 270})  // close
                            .setPictureFile(picture(kCloseOn))
                            .onClick(this, &ZonePanel::Image4_Click);
    ui::Label& Label16 =  // drag hint
        add<ui::Label>("Label16", {2040, 1080, 5892, 252}).setCaption("16");
    ui::Timer& Timer1 =  // refresh
        add<ui::Timer>("Timer1").setInterval(1000).onTimer(this, &ZonePanel::Timer1_Timer);

  protected:
    void Form_Load() override;

  private:
    enum class Look { On, Off };

    void InitZonePanel();
    bool withoutTuner() const;
    std::filesystem::path picture(const char* name) const;
    static constexpr ui::TwipRect kSourceCaption{1230, 1515, 1650, 210};
    // The design values several controls share.
    ui::Shape& sourceMarker(const char* name, const ui::TwipRect& rect);
    ui::TextBox& levelCaption(const char* name, const ui::TwipRect& rect, const char* text,
                              double points);
    ui::IKnobX& knob(const char* name, const ui::TwipRect& rect, double min, double max);
    std::string skinPath(Look look) const;

    // The three pictures of a look (skin, close button, on/off button), in that order.
    void loadPictures(Look look);
    void applyColours(Look look);
    void setKnobsVisible(bool visible);
    void showKnobs();
    void setMarkerFill(const QColor& colour);
    // Fills and shows the marker of the source in use (Shape4 tuner, Shape5 Aux), hides the other.
    void markSource(bool tuner);

    void modelStep();
    void lastOnStep();
    void readLevel(const std::string& request, const char* key, ui::IKnobX& knob);
    // Lit markers are coloured as the source answer comes, whatever it says.
    void readSource(int z, bool litMarkers);
    using SetCommand = std::string (*)(int zone, int value);
    using ReadCommand = std::string (*)(int zone);
    void knobChanged(ui::IKnobX& knob, SetCommand set, ReadCommand read, bool stopsTimer);

    void setSourceCaption(const std::string& text);
    void setSourceCaptionEnabled(bool enabled);
    void setSourceCaptionColours(const QColor& back, const QColor& fore);
};

}  // namespace qor
