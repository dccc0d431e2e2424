// Runs every registered Qt Test class; the exit code counts the failures.
#include <QApplication>
#include <QSettings>
#include <memory>
#include <vector>

#include "Workbench.h"
#include "dialogs/OperationDlg.h"

namespace {

std::vector<QObject* (*)()>& Registry()
{
    static std::vector<QObject* (*)()> registry;
    return registry;
}

}  // namespace

int RegisterGuiTest(QObject* (*make)())
{
    Registry().push_back(make);
    return 0;
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName("NUVAK Tests");
    QApplication::setApplicationName("nuvak_gui_tests");
    QSettings().clear();
    int failures = 0;
    // NUVAK_GUI_TESTS names the one class to run, on a screen of its own.
    const QByteArray only = qgetenv("NUVAK_GUI_TESTS");
    for (auto make : Registry()) {
        // Each test class starts with the dialogs' defaults.
        COperationDlg::ForgetLastValues();
        std::unique_ptr<QObject> test(make());
        if (!only.isEmpty() && only != test->metaObject()->className()) continue;
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures;
}
