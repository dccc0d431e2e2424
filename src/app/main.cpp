#include <QApplication>

#include "app/MainWindow.h"
#include "app/QtUserInterface.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("NUVAK");
    QtUserInterface ui;
    platform::install(&ui);
    MainWindow window;
    ui.setParent(&window);
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) window.openImage(args.at(1));
    window.show();
    const int rc = app.exec();
    platform::install(nullptr);
    return rc;
}
