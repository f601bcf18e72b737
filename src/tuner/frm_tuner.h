// The tuner panel of the model with a radio tuner: the frequency, the preset that holds it, the
// RDS radio text, six preset keys with a small editor that names and stores a preset, manual
// tuning, station search and the tuner sensitivity. A skinned panel, dragged by its dial.
#pragma once

#include <QColor>
#include <array>
#include <functional>
#include <string>

#include "link/context.h"
#include "link/link.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "platform/ui/mouse_watch.h"

namespace qor {

// The RDS line as the link writes it: the panel's Label1.
class LabelRdsLine : public RdsLine {
  public:
    explicit LabelRdsLine(ui::Label& label) : label_(label) {}
    void setVisible(bool visible) override { label_.setVisible(visible); }
    std::string caption() const override { return label_.Caption(); }
    void setCaption(const std::string& text) override { label_.setCaption(text); }
    void refresh() override { label_.Refresh(); }

  private:
    ui::Label& label_;
};

class FrmTuner : public ui::Form {
    // First, so the controls below can use them.
    Context& ctx_;
    std::function<void()> showMenu_;

    static inline const QColor kGlassText{104, 212, 226};
    static inline const QColor kAmber{255, 164, 40};
    static inline const QColor kGlass{19, 20, 22};
    static constexpr const char* kFace = "DejaVu Sans";

  public:
    // `showMenu` shows the main window (when the model has no tuner).
    FrmTuner(Context& ctx, std::function<void()> showMenu);
    ~FrmTuner() override;

    // Opens the panel when it is not open, else closes and unloads it.
    void OpenOrCloseTuner();
    void MakeTunerTranslucent();
    static void MakeTopMost(int32_t& hWnd);
    static void MakeNormal(int32_t& hWnd);

    // Drains the serial input and shows any RDS text in it: "" for no input, the input itself
    // when it holds no RDS record (or when another display took the line during a scroll), else
    // "?".
    std::string ReceiveRDS();
    std::string ReadRDS() { return ReceiveRDS(); }

    // Event handlers, public so the program's tests can raise them.
    void Timer1_Timer();
    void Timer2_Timer();
    void Label9_Change();
    void Image4_Click();
    void Image5_MouseDown(int button, int shift, double x, double y);
    void Image1_MouseDown(int button, int shift, double x, double y);
    void Image1_MouseMove(int button, int shift, double x, double y);
    void Image1_MouseUp(int button, int shift, double x, double y);
    void Label13_MouseDown(int button, int shift, double x, double y);
    void Label13_MouseMove(int button, int shift, double x, double y);
    void Label13_MouseUp(int button, int shift, double x, double y);
    void Label2_MouseDown(int button, int shift, double x, double y);
    void Label3_MouseDown(int button, int shift, double x, double y);
    void Label4_MouseDown(int button, int shift, double x, double y);
    void Label5_MouseDown(int button, int shift, double x, double y);
    void Label6_MouseDown(int button, int shift, double x, double y);
    void Label7_MouseDown(int button, int shift, double x, double y);
    void Label2_MouseMove(int button, int shift, double x, double y);
    void Label3_MouseMove(int button, int shift, double x, double y);
    void Label4_MouseMove(int button, int shift, double x, double y);
    void Label5_MouseMove(int button, int shift, double x, double y);
    void Label6_MouseMove(int button, int shift, double x, double y);
    void Label7_MouseMove(int button, int shift, double x, double y);
    void Command2_Click();
    void Command3_Click();
    void Text1_MouseMove(int button, int shift, double x, double y);
    void Image2_Click();
    void Image3_Click();
    void Image2_MouseMove(int button, int shift, double x, double y);
    void Image3_MouseMove(int button, int shift, double x, double y);
    void Picture2_Click();
    void Picture3_Click();
    void Picture2_MouseMove(int button, int shift, double x, double y);
    void Picture3_MouseMove(int button, int shift, double x, double y);
    void Combo1_Click();
    void Combo1_LostFocus();

    // --- controls, in design order (later ones lie above earlier ones) --------------------
    // Places are the artwork's, in twips from the dial's top-left corner; those the layout
    // ratios place land there at load.
    ui::Image& Image1 = add<ui::Image>("Image1", {0, 0, 8200, 1272})  // dial; drag handle
                            .setStretch(true)
                            .setPictureFile(ctx_.programDir / "tuner_dial.png")
                            .onMouseDown(this, &FrmTuner::Image1_MouseDown)
                            .onMouseMove(this, &FrmTuner::Image1_MouseMove)
                            .onMouseUp(this, &FrmTuner::Image1_MouseUp);
    ui::Shape& Shape4 =  // frame round the display glass
        add<ui::Shape>("Shape4", {1920, 120, 4445, 492}).setBorderColor(QColor(40, 44, 48));
    ui::Label& Label12 = glassText("Label12", {480, 240, 1050, 210}, 7.5);  // status line
    ui::Label& Label13 = glassText("Label13", {240, 120, 1332, 852}, 7.5)   // hints; drag handle
                             .onMouseDown(this, &FrmTuner::Label13_MouseDown)
                             .onMouseMove(this, &FrmTuner::Label13_MouseMove)
                             .onMouseUp(this, &FrmTuner::Label13_MouseUp);
    ui::Label& Label1 = glassText("Label1", {2086, 288, 2730, 210}, 7.5)  // RDS text
                            .setCaption("Rds Info");
    // Frequency; "MHz" is drawn on the glass at the label's right end.
    ui::Label& Label9 = glassText("Label9", {5563, 288, 750, 150}, 6.75, true).setVisible(false);
    ui::Label& Label14 = glassText("Label14", {4752, 412, 1440, 120}, 5.25).setVisible(false);
    ui::Label& Labelpresetname = glassText("Labelpresetname", {4920, 420, 1440, 120}, 5.25);
    ui::Shape& Shape2 = add<ui::Shape>("Shape2", {120, 1200, 135, 135})  // open indicator
                            .setKind(ui::ShapeKind::Circle)
                            .setFillStyle(ui::FillStyle::Solid)
                            .setFillColor(kAmber)
                            .setBorderColor(kAmber)
                            .setVisible(false);
    ui::ComboBox& Combo1 = add<ui::ComboBox>("Combo1", {6490, 192, 975, 315})  // sensitivity
                               .setStyle(ui::ComboStyle::DropdownList)
                               .setBackColor(kGlass)
                               .setForeColor(kGlassText)
                               .setFont(kFace, 7.5)
                               .onClick(this, &FrmTuner::Combo1_Click)
                               .onLostFocus(this, &FrmTuner::Combo1_LostFocus);
    ui::Image& Image2 = button("Image2", {6259, 768, 300, 360}, "tuner_down.png")
                            .onClick(this, &FrmTuner::Image2_Click)
                            .onMouseMove(this, &FrmTuner::Image2_MouseMove);
    ui::Image& Image3 = button("Image3", {7765, 768, 300, 360}, "tuner_up.png")
                            .onClick(this, &FrmTuner::Image3_Click)
                            .onMouseMove(this, &FrmTuner::Image3_MouseMove);
    ui::PictureBox& Picture2 =
        searchButton("Picture2", {6606, 672, 420, 450}, "tuner_search_prev.png")
            .onClick(this, &FrmTuner::Picture2_Click)
            .onMouseMove(this, &FrmTuner::Picture2_MouseMove);
    ui::PictureBox& Picture3 =
        searchButton("Picture3", {7302, 672, 420, 450}, "tuner_search_next.png")
            .onClick(this, &FrmTuner::Picture3_Click)
            .onMouseMove(this, &FrmTuner::Picture3_MouseMove);
    ui::Image& Image4 = button("Image4", {7881, 96, 210, 210}, "tuner_close.png")  // close
                            .onClick(this, &FrmTuner::Image4_Click);
    ui::Image& Image5 = button("Image5", {7649, 96, 210, 210}, "tuner_minimise.png")
                            .onMouseDown(this, &FrmTuner::Image5_MouseDown);
    // Preset keys 1 to 6: hotspots over the keys drawn on the dial.
    ui::Label& Label2 = presetKey("Label2", 2888)
                            .onMouseDown(this, &FrmTuner::Label2_MouseDown)
                            .onMouseMove(this, &FrmTuner::Label2_MouseMove);
    ui::Label& Label3 = presetKey("Label3", 3245)
                            .onMouseDown(this, &FrmTuner::Label3_MouseDown)
                            .onMouseMove(this, &FrmTuner::Label3_MouseMove);
    ui::Label& Label4 = presetKey("Label4", 3709)
                            .onMouseDown(this, &FrmTuner::Label4_MouseDown)
                            .onMouseMove(this, &FrmTuner::Label4_MouseMove);
    ui::Label& Label5 = presetKey("Label5", 4057)
                            .onMouseDown(this, &FrmTuner::Label5_MouseDown)
                            .onMouseMove(this, &FrmTuner::Label5_MouseMove);
    ui::Label& Label6 = presetKey("Label6", 4404)
                            .onMouseDown(this, &FrmTuner::Label6_MouseDown)
                            .onMouseMove(this, &FrmTuner::Label6_MouseMove);
    ui::Label& Label7 = presetKey("Label7", 4752)
                            .onMouseDown(this, &FrmTuner::Label7_MouseDown)
                            .onMouseMove(this, &FrmTuner::Label7_MouseMove);
    ui::Shape& Shape1 = add<ui::Shape>("Shape1", {2888, 768, 375, 200})  // preset marker
                            .setBorderColor(kAmber)
                            .setBorderWidth(2);
    // The name editor, below the dial: its own backing (the see-through area shows nothing of
    // a window's own colours), the frame, the six connectors from the keys, the name and the
    // two buttons.
    ui::Image& Image6 = add<ui::Image>("Image6", {3129, 1440, 2220, 810})
                            .setStretch(true)
                            .setPictureFile(ctx_.programDir / "tuner_editor.png")
                            .setVisible(false);
    ui::Shape& Shape3 = add<ui::Shape>("Shape3", {3129, 1440, 2220, 810})
                            .setBorderColor(QColor(70, 74, 80))
                            .setVisible(false);
    ui::Array<ui::Line> Line1 = addArray<ui::Line>("Line1", {{3200, 978, 3200, 1440},
                                                             {3403, 978, 3403, 1440},
                                                             {3867, 978, 3867, 1440},
                                                             {4215, 978, 4215, 1440},
                                                             {4562, 978, 4562, 1440},
                                                             {4910, 978, 4910, 1440}})
                                    .each([](ui::Line& l, int) { l.setBorderColor(kAmber); })
                                    .setVisible(false);
    ui::TextBox& Text1 = ui::WithMouseMove(
        add<ui::TextBox>("Text1", {3245, 1536, 1995, 285}).setBorderStyle(false).setVisible(false),
        this, &FrmTuner::Text1_MouseMove);
    ui::CommandButton& Command2 = add<ui::CommandButton>("Command2", {4288, 1824, 960, 330})
                                      .setCaption("Store")
                                      .setVisible(false)
                                      .onClick(this, &FrmTuner::Command2_Click);
    ui::CommandButton& Command3 = add<ui::CommandButton>("Command3", {3245, 1824, 960, 330})
                                      .setCaption("Cancel")
                                      .setVisible(false)
                                      .onClick(this, &FrmTuner::Command3_Click);
    ui::Label& Label16 =  // drag hint
        add<ui::Label>("Label16", {840, 1920, 6375, 255}).setVisible(false);
    ui::Timer& Timer1 = add<ui::Timer>("Timer1")  // state re-read
                            .setInterval(2000)
                            .setEnabled(false)
                            .onTimer(this, &FrmTuner::Timer1_Timer);
    ui::Timer& Timer2 = add<ui::Timer>("Timer2")  // RDS poll
                            .setInterval(500)
                            .onTimer(this, &FrmTuner::Timer2_Timer);

  protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

  private:
    // Design values several controls share.
    ui::Label& glassText(const char* name, const ui::TwipRect& rect, double points,
                         bool bold = false);
    ui::Image& button(const char* name, const ui::TwipRect& rect, const char* picture);
    ui::PictureBox& searchButton(const char* name, const ui::TwipRect& rect, const char* picture);
    ui::Label& presetKey(const char* name, double left);

    void layOut();
    void cascade();
    void ReadTunerState();
    // Label9's caption; a change runs Label9_Change.
    void setFrequency(const std::string& text);

    void ShowPresetMarker(int n);
    void OpenPresetEditor(int n);
    void ClosePresetEditor();
    void presetKeyDown(int n, int button);
    void tune(int direction);
    void search(int direction);
    void hint(const char* text);

    void dragStart(double x, double y);
    void dragEnd();

    LabelRdsLine rdsLine_{Label1};
    // The connectors shown when a drag began: the drag shows again only those.
    std::array<bool, 6> linesShownBeforeDrag_{};
};

}  // namespace qor
