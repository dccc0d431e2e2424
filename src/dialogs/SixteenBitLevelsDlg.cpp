// The 16-bit levels preference dialog.
#include "dialogs/SixteenBitLevelsDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "dialogs/HelpWindow.h"
#include "dialogs/SampleRangeBox.h"

CSixteenBitLevelsDlg::CSixteenBitLevelsDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("16-bit Levels");
    auto* text = new QLabel("16-bit PNG and TIFF samples are mapped to 0..255 from:");
    range = new CSampleRangeBox;
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(range);
    layout->addWidget(buttons);
    CHelpWindow::AddF1(this, "sixteen-bit-levels");
}

std::optional<SampleRange> ChooseSixteenBitLevels(QWidget* parent)
{
    CSixteenBitLevelsDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.range->Range();
}
