// Image Calculations dialog: operands on the left and right of the operation.
#include "dialogs/ImageCalculationsDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QScreen>
#include <QVBoxLayout>
#include <vector>

#include "dialogs/HelpWindow.h"

CImageCalculationsDlg::CImageCalculationsDlg(ImageCalculationsDialogModel& model, QWidget* parent)
    : QDialog(parent), model_(model)
{
    using M = ImageCalculationsDialogModel;
    setWindowTitle("Image Calculations");
    CHelpWindow::AddF1(this, "calculations");
    auto* grid = new QGridLayout;
    const struct {
        const char* title;
        int id;
        const std::vector<std::string>& entries;
        int selected;
    } lists[] = {
        {"1st Operand", M::kFirstOperand, model_.operandTitles, model_.firstOperand},
        {"Operation", M::kOperation, M::OperationEntries(), model_.operation},
        {"2nd Operand", M::kSecondOperand, model_.operandTitles, model_.secondOperand},
        {"Put Result In", M::kResult, M::ResultEntries(), model_.result},
    };
    std::vector<QGroupBox*> groups;
    int width = 0;
    for (const auto& l : lists) {
        auto* group = new QGroupBox(l.title);
        auto* inside = new QVBoxLayout(group);
        inside->addWidget(AddList(l.id, l.entries, l.selected));
        groups.push_back(group);
        width += group->sizeHint().width() + grid->spacing();
    }
    // In one row where the screen is wide enough, two by two where it is not.
    const int columns = width + 48 <= screen()->availableGeometry().width() ? 4 : 2;
    for (int k = 0; k < 4; ++k) grid->addWidget(groups[k], k / columns, k % columns);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CImageCalculationsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CImageCalculationsDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QComboBox* CImageCalculationsDlg::AddList(int id, const std::vector<std::string>& entries, int selected)
{
    auto* list = new QComboBox;
    list->setObjectName(QString::number(id));
    for (const std::string& entry : entries) list->addItem(QString::fromStdString(entry));
    list->setCurrentIndex(selected);
    list->setMinimumContentsLength(12);
    return list;
}

QComboBox* CImageCalculationsDlg::List(int id) const { return findChild<QComboBox*>(QString::number(id)); }

void CImageCalculationsDlg::accept()
{
    using M = ImageCalculationsDialogModel;
    model_.firstOperand = List(M::kFirstOperand)->currentIndex();
    model_.operation = List(M::kOperation)->currentIndex();
    model_.secondOperand = List(M::kSecondOperand)->currentIndex();
    model_.result = List(M::kResult)->currentIndex();
    QDialog::accept();
}
