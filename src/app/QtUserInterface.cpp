#include "app/QtUserInterface.h"

#include <QApplication>
#include <QMessageBox>

bool QtUserInterface::askYesNo(const std::string& text)
{
    return QMessageBox::question(parent_, QApplication::applicationName(), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtUserInterface::message(const std::string& text, platform::MessageKind kind)
{
    const QString body = QString::fromStdString(text);
    if (kind == platform::MessageKind::Error)
        QMessageBox::warning(parent_, QApplication::applicationName(), body);
    else
        QMessageBox::information(parent_, QApplication::applicationName(), body);
}

void QtUserInterface::beginWait() { QApplication::setOverrideCursor(Qt::WaitCursor); }
void QtUserInterface::endWait() { QApplication::restoreOverrideCursor(); }
