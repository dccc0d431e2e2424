// The marked field and its message line.
#include "dialogs/FieldMark.h"

#include <QFontMetrics>

CFieldMark::CFieldMark(QWidget* parent) : QLabel(parent)
{
    setObjectName("fieldMessage");
    setWordWrap(true);
    setStyleSheet("color: #b00000");
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Two lines of room that the text never widens: the longest standard
    // message ("Please enter an integer between 0 and 20655.") fits in two.
    const QFontMetrics metrics(font());
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setMinimumWidth(metrics.horizontalAdvance("Please enter an integer between"));
    setFixedHeight(2 * metrics.lineSpacing() + 2);
}

void CFieldMark::Mark(QWidget* field, const QString& message)
{
    if (field_) {
        field_->setStyleSheet(QString());
        field_->setToolTip(QString());
    }
    field_ = message.isEmpty() ? nullptr : field;
    if (field_) {
        // A style sheet may change the field's own size hint; it keeps the one it had.
        if (field_->minimumHeight() == 0) {
            const QSize hint = field_->sizeHint().boundedTo(field_->maximumSize());
            field_->setMinimumSize(field_->minimumSize().expandedTo(QSize(0, hint.height())));
            field_->setMaximumHeight(hint.height());
        }
        field_->setStyleSheet("border: 1px solid red");
        field_->setToolTip(message);
    }
    setText(field_ ? message : QString());
}
