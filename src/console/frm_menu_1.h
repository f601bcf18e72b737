// The main window: start-up, the serial port and model detection, the device clock kept in sync,
// and the menu drawn on its skin. It is the start-up window; loading it runs the whole start-up.
#pragma once

#include <QColor>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "common/basic.h"
#include "console/windows.h"
#include "link/context.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"

namespace qor {

inline const QColor kGlassText(104, 212, 226);
inline const QColor kAmber(255, 164, 40);
inline constexpr const char* kFace = "DejaVu Sans";

// A menu hotspot over a word drawn on the skin. The skin has no disabled look for its words,
// so a disabled hotspot dims its plate itself.
class MenuLabel : public ui::Label {
  public:
    MenuLabel(ui::ControlKey key, ui::Form& form, std::string name);

  private:
    void applyEnabled(bool enabled) override;
};

class FrmMenu_1 : public ui::Form {
    // First, so the controls below can use them.
    Context& ctx_;
    Windows& windows_;

  public:
    FrmMenu_1(Context& ctx, Windows& windows);
    ~FrmMenu_1() override;

    // --- controls, in design order -----------------------------------------------------
    // The skin sits a little inside the window, so the drag hint above it can be seen.
    static constexpr double kSkinLeft = 300;
    static constexpr double kSkinTop = 450;
    static ui::TwipRect OnSkin(double left, double top, double width, double height) {
        return {kSkinLeft + left, kSkinTop + top, width, height};
    }

    // The skin; drag handle.
    ui::Image& Image1 = add<ui::Image>("Image1", OnSkin(0, 0, 9600, 3000))
                            .setPictureFile(ctx_.programDir / "menu_skin.png")
                            .onClick(this, &FrmMenu_1::Image1_Click)
                            .onMouseDown(this, &FrmMenu_1::Image1_MouseDown)
                            .onMouseMove(this, &FrmMenu_1::Image1_MouseMove)
                            .onMouseUp(this, &FrmMenu_1::Image1_MouseUp);
    ui::Image& Image3 = add<ui::Image>("Image3", OnSkin(8670, 135, 300, 300))  // minimise
                            .setPictureFile(ctx_.programDir / "menu_minimise.png")
                            .onClick(this, &FrmMenu_1::Image3_Click);
    ui::Image& Image4 = add<ui::Image>("Image4", OnSkin(9060, 135, 300, 300))  // quit
                            .setPictureFile(ctx_.programDir / "menu_quit.png")
                            .onClick(this, &FrmMenu_1::Image4_Click);
    ui::Image& Image5 = add<ui::Image>("Image5", OnSkin(6510, 2265, 1260, 420))  // zone 3
                            .setPictureFile(ctx_.programDir / "menu_zone3.png")
                            .onClick(this, &FrmMenu_1::Image5_Click);
    // Quit plate over the Tuner word, shown on the model without tuner.
    ui::Image& Image2 = add<ui::Image>("Image2", OnSkin(3330, 720, 1410, 450))
                            .setPictureFile(ctx_.programDir / "menu_quit_tuner.png")
                            .setVisible(false)
                            .onClick(this, &FrmMenu_1::Image2_Click);
    // Frame around the port list.
    ui::Shape& Shape1 =
        add<ui::Shape>("Shape1", OnSkin(6510, 1680, 2625, 420)).setBorderColor(kGlassText);
    // Port list.
    ui::ComboBox& Combo1 = add<ui::ComboBox>("Combo1", OnSkin(6555, 1725, 2535, 330))
                               .setBackColor(QColor(16, 16, 20))
                               .setForeColor(kGlassText)
                               .onClick(this, &FrmMenu_1::Combo1_Click)
                               .onChange(this, &FrmMenu_1::Combo1_Change)
                               .onLostFocus(this, &FrmMenu_1::Combo1_LostFocus);
    // Connection indicator.
    ui::Shape& Shape2 = add<ui::Shape>("Shape2", OnSkin(8760, 2370, 210, 210))
                            .setKind(ui::ShapeKind::Circle)
                            .setBorderColor(kAmber)
                            .setBorderWidth(2)
                            .setBackColor(QColor(60, 220, 90));
    // Model display.
    ui::Label& Label7 = add<ui::Label>("Label7", OnSkin(1965, 1425, 4140, 390))
                            .setBackStyle(ui::BackStyle::Transparent)
                            .setForeColor(kGlassText)
                            .setAlignment(ui::Alignment::Center)
                            .setFont(kFace, 14, true)
                            .setCaption("M o d e l");
    // Status and hint line.
    ui::Label& Label8 = add<ui::Label>("Label8", OnSkin(1965, 1845, 4140, 630))
                            .setBackStyle(ui::BackStyle::Transparent)
                            .setForeColor(kGlassText)
                            .setFont(kFace, 7.5)
                            .setCaption("Several devices connected ...   Select Com port  to use:");
    // Snapshot progress.
    ui::Label& Label13 = add<ui::Label>("Label13", OnSkin(1965, 2520, 2250, 210))
                             .setBackStyle(ui::BackStyle::Transparent)
                             .setForeColor(kGlassText)
                             .setFont(kFace, 6.5);
    // Sync notice, and the drag hint.
    ui::Label& Label9 = add<ui::Label>("Label9", OnSkin(4275, 2520, 1860, 210))
                            .setBackStyle(ui::BackStyle::Transparent)
                            .setForeColor(kGlassText)
                            .setAlignment(ui::Alignment::RightJustify)
                            .setFont(kFace, 6.5)
                            .setVisible(false);
    // The menu words: File, Zones, Tuner, Events, Settings, Connect, and the quit hotspot.
    ui::Label& Label1 = add<MenuLabel>("Label1", OnSkin(300, 720, 1410, 450))
                            .onClick(this, &FrmMenu_1::Label1_Click)
                            .onMouseMove(this, &FrmMenu_1::Label1_MouseMove);
    ui::Label& Label2 = add<MenuLabel>("Label2", OnSkin(1815, 720, 1410, 450))
                            .onClick(this, &FrmMenu_1::Label2_Click)
                            .onMouseMove(this, &FrmMenu_1::Label2_MouseMove);
    ui::Label& Label3 = add<MenuLabel>("Label3", OnSkin(3330, 720, 1410, 450))
                            .onClick(this, &FrmMenu_1::Label3_Click)
                            .onMouseMove(this, &FrmMenu_1::Label3_MouseMove);
    ui::Label& Label4 = add<MenuLabel>("Label4", OnSkin(4845, 720, 1410, 450))
                            .onClick(this, &FrmMenu_1::Label4_Click)
                            .onMouseMove(this, &FrmMenu_1::Label4_MouseMove);
    ui::Label& Label6 = add<MenuLabel>("Label6", OnSkin(6360, 720, 1410, 450))
                            .onClick(this, &FrmMenu_1::Label6_Click)
                            .onMouseMove(this, &FrmMenu_1::Label6_MouseMove);
    ui::Label& Label5 = add<MenuLabel>("Label5", OnSkin(7875, 720, 1410, 450))
                            .onClick(this, &FrmMenu_1::Label5_Click)
                            .onMouseMove(this, &FrmMenu_1::Label5_MouseMove);
    ui::Label& Label10 = add<MenuLabel>("Label10", OnSkin(450, 1440, 1110, 1230))
                             .onClick(this, &FrmMenu_1::Label10_Click)
                             .onMouseMove(this, &FrmMenu_1::Label10_MouseMove);
    // Clock sync, every 60 s.
    ui::Timer& Timer1 =
        add<ui::Timer>("Timer1").setInterval(60000).onTimer(this, &FrmMenu_1::Timer1_Timer);
    ui::WidgetlessControl& MSComm1 = addWidgetless("MSComm1");

    // --- public procedures -------------------------------------------------------------
    // Sends the PC's date and time to the device; nothing is read back.
    void SyncClk();
    bool FileExists(const std::filesystem::path& path) const;
    // The start-up device snapshot into user.ini, progress in Label13.
    void readinistart();
    // Closes the port when open, opens port n and leaves it open when that works.
    std::string TestAvailableComPort(int n);
    // The digits of a text, in order ("Com12" -> "12").
    static std::string NumericString(std::string_view text);

    // Window helpers kept for completeness of the window's public set.
    bool isTransparent(const ui::Form& form) const;
    // 0: alpha applied; 1: percentage gives no alpha in 0..255, nothing changed; 2: error.
    int32_t MakeTransparent(ui::Form& form, int16_t percentage);
    int32_t MakeOpaque(ui::Form& form);

    // --- event handlers ------------------------------------------------------------------
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
    void Timer1_Timer();

    void Label5_Click();  // automatic connection
    void Combo1_Click();  // manual connection
    void Combo1_Change();
    void Combo1_LostFocus();

    void Label1_Click();
    void Label2_Click();
    void Label3_Click();
    void Label4_Click();
    void Label6_Click();
    void Label10_Click();
    void Image1_Click();
    void Image2_Click();
    void Image3_Click();
    void Image4_Click();
    void Image5_Click();

    void Label1_MouseMove(int button, int shift, double x, double y);
    void Label2_MouseMove(int button, int shift, double x, double y);
    void Label3_MouseMove(int button, int shift, double x, double y);
    void Label4_MouseMove(int button, int shift, double x, double y);
    void Label5_MouseMove(int button, int shift, double x, double y);
    void Label6_MouseMove(int button, int shift, double x, double y);
    void Label10_MouseMove(int button, int shift, double x, double y);

    void Image1_MouseDown(int button, int shift, double x, double y);
    void Image1_MouseMove(int button, int shift, double x, double y);
    void Image1_MouseUp(int button, int shift, double x, double y);

    // Where "now" comes from: the local clock unless a test sets another.
    void setNow(std::function<DateTime()> now);

  protected:
    void Form_Load() override;

  private:
    // Reads user.ini: zone names, temperature limits (sent at once), preset names on the tuner
    // model. False when the file cannot be opened.
    bool LoadUserIni();
    void ReadShowZones();
    // The model without tuner: the quit plate covers the Tuner word.
    void ShowTunerlessMenu();
    void DetectModel();
    void ShowSettings();
    void SetMenuLabelsEnabled(bool enabled);
    void ShowHint(ui::Label& label, const std::string& hint, bool hand);
    void FillPortList();

    std::function<DateTime()> now_;

    // The layered-window values Image1_Click applies.
    QColor colourKey_;
    int alpha_ = 0;
    int flags_ = 0;
};

}  // namespace qor
