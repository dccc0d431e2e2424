// CJpegQualityDlg: the quality a JPEG file is saved with, 1 to 100; a value
// out of range is marked while typed and refused by OK, never cut short.
#pragma once

#include <QDialog>

class CFieldMark;
class QLineEdit;

class CJpegQualityDlg : public QDialog {
    Q_OBJECT
public:
    CJpegQualityDlg(int initial, QWidget* parent = nullptr);

    QLineEdit* Field() const { return field_; }
    QString FieldMessage() const;
    // The quality typed; meaningful after OK.
    int Quality() const { return quality_; }

    // The quality shown to the user: the one chosen, 0 when cancelled.
    static int Ask(QWidget* parent, int initial);

    void accept() override;

private:
    void Typed();

    QLineEdit* field_;
    CFieldMark* mark_;
    int quality_ = 0;
};
