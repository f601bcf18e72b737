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

class FrmMenu_1 : public ui::Form {
public:
    FrmMenu_1(Context& ctx, Windows& windows);
    ~FrmMenu_1() override;

    // --- controls, in design order -----------------------------------------------------
    ui::Image* Image1;     // the skin; drag handle
    ui::Image* Image3;     // minimise
    ui::Image* Image4;     // quit
    ui::Image* Image5;     // zone 3 shortcut
    ui::Image* Image2;     // quit plate over the Tuner word, shown on the model without tuner
    ui::Shape* Shape1;     // frame around the port list
    ui::ComboBox* Combo1;  // port list
    ui::Shape* Shape2;     // connection indicator
    ui::Label* Label7;     // model display
    ui::Label* Label8;     // status and hint line
    ui::Label* Label13;    // snapshot progress
    ui::Label* Label9;     // sync notice, and the drag hint
    ui::Label* Label1;     // File
    ui::Label* Label2;     // Zones
    ui::Label* Label3;     // Tuner
    ui::Label* Label4;     // Events
    ui::Label* Label6;     // Settings
    ui::Label* Label5;     // Connect
    ui::Label* Label10;    // quit hotspot
    ui::Timer* Timer1;     // clock sync, every 60 s
    ui::WidgetlessControl* MSComm1;

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
    void ShowHint(ui::Label* label, const std::string& hint, bool hand);
    void FillPortList();

    Context& ctx_;
    Windows& windows_;
    std::function<DateTime()> now_;

    // The layered-window values Image1_Click applies.
    QColor colourKey_;
    int alpha_ = 0;
    int flags_ = 0;
};

}  // namespace qor
