// Starts the workbench: nuvak [IMAGE]. --no-splash starts without the
// splash window, as automation does.
#include <QApplication>

#include "app/NUVAKApp.h"
#include "app/QtUserInterface.h"
#include "app/MainFrame.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName("NUVAK Project");
    QApplication::setApplicationName("NUVAK");
    QApplication::setApplicationVersion(NUVAK_VERSION);

    QStringList arguments = QApplication::arguments();
    const bool showSplash = !arguments.removeAll("--no-splash");

    QtUserInterface ui;
    platform::install(&ui);
    int rc = 1;
    {
        CNUVAKApp app;
        if (app.InitInstance(arguments, showSplash)) {
            ui.setParent(app.MainFrame());
            rc = QApplication::exec();
        }
    }
    platform::install(nullptr);
    return rc;
}
