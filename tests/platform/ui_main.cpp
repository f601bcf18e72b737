// The window tests need a QApplication for the whole run; by default they draw offscreen.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

// The offscreen platform says so each time a window asks for what it cannot do (raise, masks,
// opacity); those notes would bury the test output.
QtMessageHandler g_defaultHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    g_defaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(QuietHandler);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
