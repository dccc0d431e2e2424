// The manual window, not modal so that it can stay open beside the images.
#include "dialogs/HelpWindow.h"

#include <QTextBrowser>
#include <QVBoxLayout>

CHelpWindow::CHelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser)
{
    setWindowTitle("NUVAK Help");
    browser_->setSource(QUrl("qrc:/help/manual.html"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);
}

CHelpWindow* CHelpWindow::ShowSection(QWidget* parent, const char* anchor)
{
    auto* help = new CHelpWindow(parent);
    help->setAttribute(Qt::WA_DeleteOnClose);
    help->Browser()->scrollToAnchor(anchor);
    help->show();
    return help;
}
