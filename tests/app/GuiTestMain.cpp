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
    for (auto make : Registry()) {
        // Each test class starts with the dialogs' defaults.
        COperationDlg::ForgetLastValues();
        std::unique_ptr<QObject> test(make());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures;
}
