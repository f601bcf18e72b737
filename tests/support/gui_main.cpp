// The window tests need a QApplication for the whole run; by default they draw offscreen. The run
// prints only the tests' own lines: the platform's notes on what it cannot do are dropped.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>

namespace {

// The offscreen platform says so each time a window asks for what it cannot do (raise, masks,
// opacity); those notes would bury the test output.
QtMessageHandler g_defaultHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    g_defaultHandler(type, context, message);
}

// A run-time folder of the run's own, as a desktop session gives each program; without one the
// standard paths complain and fall back to a folder shared by every run.
class RuntimeFolder {
  public:
    RuntimeFolder() {
        if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
        std::string name = (std::filesystem::temp_directory_path() / "qor-runtime-XXXXXX").string();
        if (!::mkdtemp(name.data())) return;
        path_ = name;
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(name));
    }
    ~RuntimeFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }

  private:
    std::filesystem::path path_;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The platform's own categories (keyboard map, screens) are not what the tests check.
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    RuntimeFolder runtime;
    g_defaultHandler = qInstallMessageHandler(QuietHandler);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
