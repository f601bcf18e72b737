// The window tests need a QApplication for the whole run; by default they draw offscreen. The run
// prints only the tests' own lines: the platform's notes on what it cannot do are dropped.
#include <gtest/gtest.h>

#include <QApplication>

#include "runtime_folder.h"

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
    // The platform's own categories (keyboard map, screens) are not what the tests check.
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    qor::test::RuntimeFolder runtime;
    g_defaultHandler = qInstallMessageHandler(QuietHandler);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
