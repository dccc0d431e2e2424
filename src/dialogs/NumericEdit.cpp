// Numeric edit: the typed character decides; keys that type nothing (arrows,
// Enter, shortcuts) keep their usual meaning.
#include "dialogs/NumericEdit.h"

#include <QApplication>
#include <QKeyEvent>

CNumericEdit::CNumericEdit(NumericEdit& model, QWidget* parent) : QLineEdit(parent), model_(model)
{
    setText(QString::fromStdString(model_.Text()));
    // Pastes and the program's own changes reach the value too.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { model_.SetText(text.toStdString()); });
}

void CNumericEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier);
    const bool printable = typed.size() == 1 && typed[0].isPrint();
    if (event->key() != Qt::Key_Backspace && !shortcut && printable &&
        !NumericEditAccepts(typed[0].unicode() < 128 ? static_cast<char>(typed[0].unicode()) : '\0')) {
        QApplication::beep();
        event->accept();
        emit refused();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
