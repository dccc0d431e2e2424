// Starts the workbench: nuvak [--no-splash] [IMAGE...]. --no-splash starts
// without the splash window, as automation does; --help and --version answer
// without a window, and an unknown option is refused, before any display
// is needed.
#include <QApplication>
#include <cstdio>

#include "app/CommandLine.h"
#include "app/NUVAKApp.h"
#include "app/QtUserInterface.h"
#include "app/MainFrame.h"

namespace {

const char* const kUsage =
    "Usage: nuvak [--no-splash] [IMAGE...]\n"
    "\n"
    "Opens every IMAGE in its own window, or a new white 640 x 480 image when none is\n"
    "given.\n"
    "\n"
    "  --no-splash  start without the start-up picture\n"
    "  --help       show this text and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "nuvak-cli runs the same operations without a window.\n";

}  // namespace

int main(int argc, char** argv)
{
    const NuvakOptions options = ParseNuvakOptions(argc, argv);
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options.version) {
        std::printf("nuvak %s\n", NUVAK_VERSION);
        return 0;
    }
    if (!options.unknown.empty()) {
        std::fprintf(stderr, "%s\n", UnknownOptionText(options.unknown).c_str());
        return 2;
    }
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
