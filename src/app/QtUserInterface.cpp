#include "app/QtUserInterface.h"

#include <QApplication>
#include <QMessageBox>

namespace {

// A box shown while work runs under the wait cursor gets the arrow back
// until it closes: the user is expected to click.
class ArrowWhileAsking {
public:
    ArrowWhileAsking() : waiting_(QApplication::overrideCursor() != nullptr)
    {
        if (waiting_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileAsking()
    {
        if (waiting_) QApplication::restoreOverrideCursor();
    }
    ArrowWhileAsking(const ArrowWhileAsking&) = delete;
    ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

private:
    bool waiting_;
};

}  // namespace

bool QtUserInterface::askYesNo(const std::string& text)
{
    const ArrowWhileAsking arrow;
    return QMessageBox::question(parent_, QApplication::applicationName(), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtUserInterface::message(const std::string& text, platform::MessageKind kind)
{
    const ArrowWhileAsking arrow;
    const QString body = QString::fromStdString(text);
    if (kind == platform::MessageKind::Error)
        QMessageBox::warning(parent_, QApplication::applicationName(), body);
    else
        QMessageBox::information(parent_, QApplication::applicationName(), body);
}

void QtUserInterface::beginWait() { QApplication::setOverrideCursor(Qt::WaitCursor); }
void QtUserInterface::endWait() { QApplication::restoreOverrideCursor(); }
