#include "dialogs/DeepSamplesQuestion.h"

#include <QApplication>
#include <QMessageBox>

bool AskWriteOverDeepSamples(QWidget* parent, const QString& question)
{
    return QMessageBox::question(parent, QApplication::applicationName(), question,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}
