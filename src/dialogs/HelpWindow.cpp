// The manual window, not modal so that it can stay open beside the images.
#include "dialogs/HelpWindow.h"

#include <QShortcut>
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

CHelpWindow* CHelpWindow::ShowSection(QWidget* parent, const QString& anchor)
{
    auto* help = new CHelpWindow(parent);
    help->setAttribute(Qt::WA_DeleteOnClose);
    help->anchor_ = anchor;
    help->Browser()->scrollToAnchor(anchor);
    help->show();
    return help;
}

void CHelpWindow::AddF1(QWidget* dialog, const QString& anchor)
{
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
    QObject::connect(f1, &QShortcut::activated, dialog, [dialog, anchor] { ShowSection(dialog, anchor); });
}
