// CImageCalculationsDlg: the two operands, the operation and where the
// result goes, as four lists.
#pragma once

#include <QDialog>

#include "forms/ImageCalculations.h"

class QComboBox;

class CImageCalculationsDlg : public QDialog {
    Q_OBJECT
public:
    // The lists show the model's titles and selections; OK stores the
    // selections back.
    CImageCalculationsDlg(ImageCalculationsDialogModel& model, QWidget* parent = nullptr);

    QComboBox* List(int id) const;
    void accept() override;

private:
    QComboBox* AddList(int id, const std::vector<std::string>& entries, int selected);

    ImageCalculationsDialogModel& model_;
};
