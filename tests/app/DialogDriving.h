// Driving parameter dialogs in tests: typing into their controls by id and
// answering the next modal dialog.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "dialogs/OperationDlg.h"

inline void Type(COperationDlg& dlg, int id, const QString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(dlg.Control(id));
    QVERIFY(edit);
    edit->setText(text);
}

inline void Choose(COperationDlg& dlg, int id, int index)
{
    auto* list = qobject_cast<QComboBox*>(dlg.Control(id));
    QVERIFY(list);
    list->setCurrentIndex(index);
}

inline void Click(COperationDlg& dlg, int id)
{
    auto* radio = qobject_cast<QRadioButton*>(dlg.Control(id));
    QVERIFY(radio);
    radio->click();
}

// Runs act on the modal dialog that opens next; a dialog act leaves open is
// cancelled so that the test goes on.
template <typename Dialog>
void OnNextDialog(std::function<void(Dialog&)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<Dialog*>(modal);
        if (dialog) act(*dialog);
        else qWarning("no dialog of the expected class is open");
        if (auto* open = qobject_cast<QDialog*>(modal); open && open->isVisible()) open->reject();
    });
}
