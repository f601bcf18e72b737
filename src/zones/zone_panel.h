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

    // Controls, in design order (later ones lie above earlier ones).
    ui::Image* Image1;             // skin and drag handle
    ui::Label* Label2;             // empty, at the on/off button's place
    ui::PictureBox* Picture1;      // on/off button
    ui::Label* Label1;             // zone name plate
    ui::Image* Image2;             // Tuner button
    ui::Image* Image5;             // Aux button
    ui::Shape* Shape4;             // Tuner marker
    ui::Shape* Shape5;             // Aux marker
    ui::TextBox* Text4 = nullptr;  // source caption, zone 1
    ui::Label* Label3 = nullptr;   // source caption, zones 2 to 4
    ui::TextBox* Text1;            // "Low"
    ui::TextBox* Text2;            // "High"
    ui::TextBox* Text3;            // "Volume"
    ui::IKnobX* iKnobX11;          // bass
    ui::IKnobX* iKnobX21;          // treble
    ui::IKnobX* iKnobX31;          // volume
    ui::Image* Image3;             // minimise
    ui::Image* Image4;             // close
    ui::Label* Label16;            // drag hint
    ui::Timer* Timer1;             // refresh

  protected:
    void Form_Load() override;

  private:
    enum class Look { On, Off };

    void InitZonePanel();
    bool withoutTuner() const;
    std::filesystem::path picture(const char* name) const;
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

    Context& ctx_;
    const int zone_;
    const ZoneTraits& traits_;
};

}  // namespace qor
