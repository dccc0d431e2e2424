// CFieldMark: the line under a dialog's fields naming what the marked field
// cannot take while it is typed; the field gets a red frame and the text as
// its tooltip. The line keeps its room while empty and the field its size,
// so the window neither grows nor shifts as the message comes and goes.
#pragma once

#include <QLabel>
#include <QPointer>

class CFieldMark : public QLabel {
    Q_OBJECT
public:
    explicit CFieldMark(QWidget* parent = nullptr);

    // Marks field with message, clearing the previous mark; a null field or
    // an empty message only clears.
    void Mark(QWidget* field, const QString& message);
    void Clear() { Mark(nullptr, QString()); }
    QWidget* Field() const { return field_; }

private:
    QPointer<QWidget> field_;
};
