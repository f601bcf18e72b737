// The INI manager's Write entry: the open text built into device commands, key by key of the key
// list, and sent to the device line by line; then saved as user.ini.
#include <string>
#include <vector>

#include "config/ini_build.h"
#include "config/ini_check.h"
#include "inimanager/frm_file.h"
#include "platform/ui/dialogs.h"

namespace qor {

namespace {

constexpr const char* kReady =
    "The current 'user.ini' file will be uploaded to QOR now. This can take a moment and your "
    "tuner will tune in to all presets in the .ini file.  Please wait until you see the message "
    "'Upload completed'.  Ready ?";
// The classic pause after each line: this many writes of the progress caption.
constexpr int kPauseWrites = 500;

}  // namespace

void FrmFile::MnuWriteIni_Click() {
    // Without a key list nothing can be built: said, and nothing else happens.
    const auto keys = KeyList();
    if (!keys) return;

    setWindowState(ui::WindowState::Maximized);
    ctx_.dialogs.MsgBox(kReady);
    setMousePointer(ui::Pointer::Hourglass);
    Label1.setVisible(false);
    Label2.setVisible(false);
    Label3.setVisible(true);

    UploadBuildHooks hooks;
    hooks.onKey = [this](const std::string& key) {
        Label3.setCaption("Building " + key);
        Label3.Refresh();
    };
    // Built into a copy: the names and on/off flags become the program's only once the upload is
    // on record and about to be sent, so an upload that stops first changes nothing.
    VariablesQor built = ctx_.state.vq;
    const UploadBuild build = BuildUpload(RichTextBox1.Text(), *keys, built, hooks);
    Label3.setCaption(" ");
    RichTextBox1.setVisible(true);

    auto done = [this] {
        setMousePointer(ui::Pointer::Default);
        Label3.setCaption("");
    };
    if (build.emptyText) {
        // An empty editor: said once; nothing is sent and user.ini is not touched.
        done();
        ctx_.dialogs.MsgBox(InvalidLengthText(keys->empty() ? std::string() : keys->front()));
        return;
    }
    // Both files first: what goes to the device is on record before it is sent.
    std::string why;
    if (!WriteUploadFiles(ctx_.programDir, build, &why)) {
        done();
        ctx_.dialogs.MsgBox("Nothing uploaded: the upload files could not be written in " +
                                ctx_.programDir.string() + " (" + why + ").",
                            ui::MsgButtons::OK, ui::MsgIcon::Critical);
        return;
    }
    ctx_.state.vq.ZoneName = built.ZoneName;
    ctx_.state.vq.ZoneOn = built.ZoneOn;
    ctx_.state.vq.PresetName = built.PresetName;

    // The answers are not judged: a device that does not answer a line costs its full wait.
    for (const std::string& line : build.uploadLines) {
        ctx_.link.SendMessage(line);
        ctx_.link.ReceiveMessage();
        for (int i = 1; i <= kPauseWrites; ++i)
            Label3.setCaption("Processing " + std::to_string(i));
        Label3.Refresh();
    }

    setMousePointer(ui::Pointer::Default);
    ctx_.dialogs.MsgBox("Upload completed ...");
    Label3.setCaption("");
    SaveIniAs("user.ini");
}

}  // namespace qor
