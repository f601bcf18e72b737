#include "schedule/frm_events.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <chrono>

#include "common/basic.h"
#include "link/commands.h"
#include "platform/files.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/runtime.h"
#include "schedule/frm_open_schedule.h"

namespace qor {

namespace {

constexpr int kCols = 13;
constexpr int kTimeCol = 8, kZoneCol = 9, kOnOffCol = 10, kSourceCol = 11, kVolumeCol = 12;
const char* const kHeaders[kCols] = {"nr.", "Ma",      "Di",   "Wo",     "Do",     "Vr",    "Za",
                                     "Zo",  "Uur/Min", "Zone", "On/Off", "Source", "Volume"};
const QColor kWhite(255, 255, 255);

}  // namespace

FrmEvents::FrmEvents(Context& ctx, std::function<void(bool)> tunerTimers)
    : Form("FrmEvents"),
      ctx_(ctx),
      tunerTimers_(std::move(tunerTimers)),
      picker_([this] { return std::make_unique<FrmOpenSchedule>(ctx_, *this); }) {
    setCaption("Make Clock schedule");
    setBorderStyle(ui::FormBorderStyle::FixedSingle);
    // Room right of the grid for the volume slider, which opens beside its cell.
    Move(600, 600, kGridWidth + 1920, 8000);
    setHeight(Height() - ScaleHeight() + 7155);
}

// An editor that still has the focus would report losing it while the window is taken apart; it
// loses it here, while the window is whole.
FrmEvents::~FrmEvents() {
    QWidget* focus = QApplication::focusWidget();
    if (focus && widget()->isAncestorOf(focus)) focus->clearFocus();
}

// A tick for the day mark, a cross for the test button's mark.
QPixmap FrmEvents::DayMark() {
    QPixmap mark(14, 15);
    mark.fill(Qt::transparent);
    QPainter p(&mark);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 110, 40), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({{2.5, 8}, {5.5, 11.5}, {11.5, 3}}));
    return mark;
}

QPixmap FrmEvents::TestMark() {
    QPixmap mark(14, 15);
    mark.fill(Qt::transparent);
    QPainter p(&mark);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 0, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 3.5), QPointF(11, 11.5));
    p.drawLine(QPointF(11, 3.5), QPointF(3, 11.5));
    return mark;
}

FrmOpenSchedule* FrmEvents::picker() const { return picker_.live(); }

void FrmEvents::message(const std::string& text, ui::MsgIcon icon) {
    ctx_.dialogs.MsgBox(text, ui::MsgButtons::OK, icon);
}

std::filesystem::path FrmEvents::inProgramFolder(const std::string& name) const {
    const std::filesystem::path path(name);
    return path.is_absolute() ? path : ctx_.programDir / path;
}

// --- load and activation ---------------------------------------------------------------

void FrmEvents::Form_Load() {
    for (const char* zone : {"1", "2", "3", "4"}) Combo1.AddItem(zone);
    Combo2.AddItem("Aux");
    if (cmd::IsTunerModel(ctx_.state.vq.DeviceModel)) {
        for (int p = 1; p <= 6; ++p) Combo2.AddItem("Preset " + std::to_string(p));
    }

    ui::MSFlexGrid& g = MSFlexGrid1;
    g.setCols(kCols).setRows(schedule::kEvents + 1);
    for (int c = 0; c < kCols; ++c) {
        g.setTextMatrix(0, c, kHeaders[c]);
        if (c >= 1 && c != kTimeCol) g.setColWidth(c, c >= kOnOffCol ? 700 : 500);
    }
    double width = 0;
    for (int c = 0; c < kCols; ++c) width += g.ColWidth(c);
    for (int r = 1; r <= schedule::kEvents; ++r) g.setTextMatrix(r, 0, std::to_string(r));
    InitScheduleGrid();
    g.setWidth(width + 100);

    LoadRetrievedSchedule();
}

void FrmEvents::Form_Activate() {
    auto& vq = ctx_.state.vq;
    if (!vq.OpenSchedulePath.empty()) {
        const std::string path = vq.OpenSchedulePath;
        vq.OpenSchedulePath.clear();
        LoadScheduleFile(path);
    }
    RichTextBox1.setVisible(true);
}

// --- the grid as events ----------------------------------------------------------------

void FrmEvents::resetRows(bool removePictures) {
    ui::MSFlexGrid& g = MSFlexGrid1;
    for (int c = 1; c <= 7; ++c) {
        g.setCol(c);
        for (int r = 1; r <= schedule::kEvents; ++r) {
            g.setRow(r).setCellAlignment(ui::CellAlignment::LeftTop);
            if (removePictures) g.setCellPicture(QPixmap());
        }
    }
    const schedule::EventRow fresh;
    for (int r = 1; r <= schedule::kEvents; ++r) {
        g.setRow(r);
        g.setCol(kTimeCol).setText(fresh.time);
        g.setCol(kZoneCol).setText(fresh.zone).setCellAlignment(ui::CellAlignment::LeftTop);
        g.setCol(kOnOffCol).setText(fresh.onOff).setCellAlignment(ui::CellAlignment::LeftTop);
        g.setCol(kSourceCol).setText(fresh.source);
        g.setCol(kVolumeCol).setText(fresh.volume);
    }
}

void FrmEvents::ClearScheduleGrid() { resetRows(true); }
void FrmEvents::InitScheduleGrid() { resetRows(false); }

bool FrmEvents::hasDayMark() {
    return ui::SamePicture(MSFlexGrid1.CellPicture(), Picture2.Picture());
}

schedule::EventRow FrmEvents::rowAt(int row) {
    ui::MSFlexGrid& g = MSFlexGrid1;
    g.setRow(row);
    schedule::EventRow e;
    for (int d = 0; d < 7; ++d) {
        g.setCol(d + 1);
        e.days[d] = hasDayMark();
    }
    e.time = g.TextMatrix(row, kTimeCol);
    e.zone = g.TextMatrix(row, kZoneCol);
    e.onOff = g.TextMatrix(row, kOnOffCol);
    e.source = g.TextMatrix(row, kSourceCol);
    e.volume = g.TextMatrix(row, kVolumeCol);
    return e;
}

// On: red "On", the source and volume cells white; Off: black "Off", button-face cells.
void FrmEvents::setOn(bool on) {
    ui::MSFlexGrid& g = MSFlexGrid1;
    g.setCol(kOnOffCol)
        .setCellForeColor(on ? QColor(255, 0, 0) : QColor(0, 0, 0))
        .setText(on ? "On" : "Off");
    for (int c : {kSourceCol, kVolumeCol})
        g.setCol(c).setCellBackColor(on ? kWhite : ui::SysColor(15));
    g.setCol(kOnOffCol);
}

// --- files -------------------------------------------------------------------------------

bool FrmEvents::WriteScheduleEvents(const std::filesystem::path& path, bool byUser) {
    setMousePointer(ui::Pointer::Hourglass);
    std::array<schedule::EventRow, schedule::kEvents + 1> rows;
    for (int n = 1; n <= schedule::kEvents; ++n) rows[n] = rowAt(n);
    int bad = 0;
    const auto text = schedule::ScheduleFileText(rows, ctx_.state.vq.DeviceModel, &bad);
    const bool upload = Text2.Text() == "1";
    bool written = false;
    std::string why;
    if (!text) {
        message("Event " + std::to_string(bad) + " has no valid time (" + rows[bad].time +
                    "): nothing was written.",
                ui::MsgIcon::Exclamation);
    } else if (upload && !transferFilesWritable("Nothing was sent.")) {
        // Said already.
    } else if (!(byUser ? files::ReplaceUserFile(path, *text, &why)
                        : files::ReplaceFile(path, *text, &why))) {
        message("The schedule could not be written to " + path.string() + ": " + why +
                    (upload ? ". Nothing was sent." : "."),
                ui::MsgIcon::Exclamation);
    } else {
        written = true;
    }
    setMousePointer(ui::Pointer::Default);
    if (written && upload) {
        setMousePointer(ui::Pointer::Hourglass);
        UploadSchedule(path);
    }
    setMousePointer(ui::Pointer::Default);
    Text2.setText("0");
    return written;
}

bool FrmEvents::transferFilesWritable(const std::string& consequence) {
    for (const char* name : {schedule::kRetrievedFile, schedule::kLogFile}) {
        const auto file = ctx_.programDir / name;
        std::string why;
        if (!schedule::CanReplace(file, &why)) {
            message(file.string() + " cannot be written (" + why + "). " + consequence,
                    ui::MsgIcon::Exclamation);
            return false;
        }
    }
    return true;
}

void FrmEvents::LoadScheduleFile(const std::filesystem::path& path) {
    ClearScheduleGrid();
    loadLines(path, schedule::Reader::ScheduleFile, "No such ini schedule found (.sch)...");
}

void FrmEvents::LoadRetrievedSchedule() {
    loadLines(ctx_.programDir / schedule::kRetrievedFile, schedule::Reader::Retrieved,
              "No retrieved schedule found ...");
}

void FrmEvents::loadLines(const std::filesystem::path& path, schedule::Reader reader,
                          const std::string& failure) {
    const auto lines = files::ReadLines(path);
    if (!lines) {
        message(failure);
        return;
    }
    ui::MSFlexGrid& g = MSFlexGrid1;
    for (const std::string& line : *lines) {
        const auto e = schedule::ReadSetLine(line, reader, ctx_.state.vq.DeviceModel);
        if (e.error) {
            message(failure);
            return;
        }
        if (e.row == 0) continue;
        g.setRow(e.row);
        for (int d = 0; d < 7; ++d) {
            if (e.days[d])
                g.setCol(d + 1)
                    .setCellPicture(Picture2.Picture())
                    .setCellAlignment(ui::CellAlignment::LeftTop);
        }
        g.setCol(kTimeCol).setText(e.time);
        if (e.zone) g.setCol(kZoneCol).setText(*e.zone);
        if (e.on) {
            g.setCol(kOnOffCol).setText(*e.on ? "On" : "Off");
            if (!*e.on && reader == schedule::Reader::ScheduleFile)
                g.setCellForeColor(QColor(0, 0, 0));
            for (int c : {kSourceCol, kVolumeCol})
                g.setCol(c).setCellBackColor(*e.on ? kWhite : ui::SysColor(15));
        }
        if (e.source) g.setCol(kSourceCol).setText(*e.source);
        if (e.volume) g.setCol(kVolumeCol).setText(*e.volume);
    }
    Text1.setText(path.string());
}

// --- the grid and its editors ------------------------------------------------------------

template <class C>
void FrmEvents::overCell(C& editor, double left) {
    ui::MSFlexGrid& g = MSFlexGrid1;
    editor.Move(left, g.Top() + g.RowPos(g.Row()));
    editor.setVisible(true);
    editor.ZOrder(0);
    editor.SetFocus();
}

void FrmEvents::MSFlexGrid1_DblClick() {
    ui::MSFlexGrid& g = MSFlexGrid1;
    const int col = g.Col();
    const double cellLeft = g.Left() + g.ColPos(col);
    if (col >= 1 && col <= 7) {
        g.setCellPicture(hasDayMark() ? QPixmap() : Picture2.Picture());
    } else if (col == kTimeCol) {
        DTPicker1.setValue(g.Text());
        overCell(DTPicker1, cellLeft);
    } else if (col == kZoneCol) {
        const std::string zone = g.Text();
        for (int i = 0; i < Combo1.ListCount(); ++i)
            if (Combo1.List(i) == zone) Combo1.setListIndex(i);
        overCell(Combo1, cellLeft);
    } else if (col == kOnOffCol) {
        setOn(g.Text() != "On");
    } else if (col == kSourceCol) {
        // Only the On/Off switch and the loaders make a source cell white: a reset row is Off.
        if (!g.CellBackColorSet() || g.CellBackColor() != kWhite) {
            message("You can't adjust this item if zone is set to 'Off' ... ");
            return;
        }
        const std::string source = g.Text().empty() ? "Aux" : g.Text();
        for (int i = 0; i < Combo2.ListCount(); ++i)
            if (Combo2.List(i) == source) Combo2.setListIndex(i);
        overCell(Combo2, cellLeft);
    } else if (col == kVolumeCol) {
        Slider1.setValue(CInt(g.Text()).value_or(0));
        overCell(Slider1, cellLeft + g.ColWidth(col));
    }
}

void FrmEvents::Combo1_Click() {
    if (MSFlexGrid1.Col() != kZoneCol) return;
    MSFlexGrid1.setText(Combo1.Text());
    Combo1.setVisible(false);
}

void FrmEvents::Combo1_LostFocus() { Combo1.setVisible(false); }

void FrmEvents::Combo2_Click() {
    if (MSFlexGrid1.Col() != kSourceCol) return;
    MSFlexGrid1.setText(Combo2.Text());
    Combo2.setVisible(false);
}

void FrmEvents::Combo2_LostFocus() { Combo2.setVisible(false); }

void FrmEvents::DTPicker1_Change() { MSFlexGrid1.setText(DTPicker1.Value()); }

void FrmEvents::DTPicker1_CloseUp() {
    if (MSFlexGrid1.Col() == kTimeCol) MSFlexGrid1.setText(DTPicker1.Value());
}

void FrmEvents::DTPicker1_LostFocus() {
    DTPicker1.setValue("0:00:00");
    DTPicker1.setVisible(false);
}

void FrmEvents::Slider1_Scroll() {
    if (MSFlexGrid1.Col() == kVolumeCol) MSFlexGrid1.setText(std::to_string(Slider1.Value()));
}

void FrmEvents::Slider1_Change() { Slider1_Scroll(); }

void FrmEvents::Slider1_LostFocus() { Slider1.setVisible(false); }

void FrmEvents::Command1_Click() {
    MSFlexGrid1.setRow(1).setCol(1).setCellPicture(Picture1.Picture());
}

// --- menus and buttons -------------------------------------------------------------------

void FrmEvents::MnuEventsFileOpen_Click() { picker_.Show(); }

void FrmEvents::MnuEventsFileSave_Click() {
    if (transferring_) return;
    Text2.setText("0");
    const auto& vq = ctx_.state.vq;
    // A bare name (Save As leaves one in the name box) is a file of the program folder.
    const std::filesystem::path path = !vq.SchedulePath.empty() ? inProgramFolder(vq.SchedulePath)
                                       : !Text1.Text().empty()
                                           ? inProgramFolder(Text1.Text())
                                           : ctx_.programDir / schedule::kDefaultFile;
    WriteScheduleEvents(path, true);
    setCaption(path.string());
}

void FrmEvents::MsnuEventsSaveAs_Click() {
    if (transferring_) return;
    const std::string answer = ctx_.dialogs.InputBox("Name to save file to : ", "Save schedule as");
    const auto name = schedule::truefilschedn(answer);
    Text1.setText(name.name);
    if (!name.usable) return;
    const auto path = ctx_.programDir / name.name;
    WriteScheduleEvents(path, true);
    setCaption(path.string());
}

void FrmEvents::Command2_Click() {
    if (transferring_) return;
    sendToQor();
}

void FrmEvents::sendToQor() {
    WriteScheduleEvents(ctx_.programDir / schedule::kRetrievedFile);
    setMousePointer(ui::Pointer::Default);
}

void FrmEvents::Mnuwrite_Click() {
    if (transferring_) return;
    {
        transferring_ = writing_ = true;
        Text2.setText("1");
        const bool tuner = !cmd::IsTunerlessModel(ctx_.state.vq.DeviceModel);
        if (tuner && tunerTimers_) tunerTimers_(false);
        // Also should the handler end early at a yield: the tuner panel is another window and
        // must not be left paused.
        struct Resume {
            FrmEvents& e;
            bool tuner;
            ~Resume() {
                if (tuner && e.tunerTimers_) e.tunerTimers_(true);
                e.transferring_ = e.writing_ = false;
            }
        } resume{*this, tuner};
        sendToQor();
    }
    // Closed by its frame while the Write ran: it goes now that the device holds all of it.
    if (closeAfterWrite_) Unload();
}

void FrmEvents::Form_Unload(bool& cancel) {
    if (!writing_) return;
    cancel = true;
    closeAfterWrite_ = true;
}

void FrmEvents::MnuReadEvents_Click() {
    if (transferring_) return;
    Command3.setVisible(true);
    if (!transferFilesWritable("Nothing was read.")) return;
    transferring_ = true;
    const bool written = ReadScheduleFromDevice();
    transferring_ = false;
    if (written) RichTextBox1.LoadFile(ctx_.programDir / schedule::kLogFile);
    RichTextBox1.setVisible(true);
}

void FrmEvents::Command3_Click() { Command3.setVisible(false); }

// --- transfer ----------------------------------------------------------------------------

// Each line is sent between two runs of yields, as the device has always been fed. The yields take
// little time; the line carries the text at its own pace, and the read-back's waits count from
// when the lines have crossed it.
void FrmEvents::UploadSchedule(const std::filesystem::path& path) {
    // The count runs through a thousand texts a line, far faster than anyone can read; painting
    // each on its own would make the yields, not the line, set the upload's pace (seconds on a
    // real display). The box takes every text and is drawn at most once a frame.
    auto lastPaint = std::chrono::steady_clock::now();
    auto pause = [&] {
        for (int i = 1; i <= 500; ++i) {
            const auto now = std::chrono::steady_clock::now();
            const bool paint = now - lastPaint >= std::chrono::milliseconds(16);
            if (paint) lastPaint = now;
            Text1.widget()->setUpdatesEnabled(paint);
            Text1.setText(" Processing : " + std::to_string(i));
            ui::DoEvents();
        }
        Text1.widget()->setUpdatesEnabled(true);
    };
    const auto lines = files::ReadLines(path);
    bool failed = !lines;
    Text1.setVisible(true);
    for (const std::string& line : lines.value_or(std::vector<std::string>{})) {
        pause();
        Text1.setText("");
        if (ctx_.link.SendMessage(line) != 1) {
            failed = true;
            Text1.setText("Upload failed " + line);
        } else {
            Text1.setText("Uploading " + line);
        }
        pause();
        ui::DoEvents();
    }
    Text1.setText("");
    Text1.setVisible(false);
    ReadScheduleFromDevice();
    LoadScheduleFile(path);
    if (failed) message("There were errors during upload...", ui::MsgIcon::Information);
    Label2.setCaption("");
}

// The read-back file and the log are kept in memory and each replaces its file whole at the end,
// so an interrupted read-back never leaves half a schedule behind.
bool FrmEvents::ReadScheduleFromDevice() {
    std::string retrieved, log;
    for (int n = 1; n <= schedule::kEvents; ++n) {
        const std::string command = cmd::RdEvt(n);
        log += command + "\r\n";
        if (ctx_.link.SendMessage(command) == 1) {
            const std::string answer = ctx_.link.ReceiveMessage();
            if (!answer.empty()) {
                if (const auto line = schedule::ReadBackLine(answer)) {
                    retrieved += *line + "\r\n";
                    log += answer + "\r\n";
                } else {
                    log += "Error: " + answer + "\r\n";
                }
            }
        }
        Label2.setCaption("Reading back from QOR... ");
        ui::DoEvents();
    }
    bool written = true;
    for (const auto& [name, text] :
         {std::pair{schedule::kRetrievedFile, &retrieved}, std::pair{schedule::kLogFile, &log}}) {
        const auto file = ctx_.programDir / name;
        std::string why;
        if (!files::ReplaceFile(file, *text, &why)) {
            message("The read-back could not be written to " + file.string() + ": " + why + ".",
                    ui::MsgIcon::Exclamation);
            written = false;
        }
    }
    Label2.setCaption("");
    return written;
}

}  // namespace qor
