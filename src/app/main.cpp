#include <QApplication>

#include "app/program.h"
#include "console/frm_menu_1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Qor PC Manager");
    qor::Program program;
    program.menu();
    return QApplication::exec();
}
