// CNumericEdit: an edit that lets only digits, "." and backspace through,
// beeps at anything else, and keeps its model's value in step with its text.
#pragma once

#include <QLineEdit>

#include "forms/NumericEdit.h"

class CNumericEdit : public QLineEdit {
    Q_OBJECT
public:
    CNumericEdit(NumericEdit& model, QWidget* parent = nullptr);

    double Value() const { return model_.Value(); }

signals:
    // A typed character was dropped.
    void refused();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    NumericEdit& model_;
};
