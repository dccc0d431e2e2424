// The image Open dialog and the 16-bit range preference.
#include "dialogs/ImageOpenDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QSpinBox>

#include "forms/ImageFileFilters.h"

namespace {

const char* const kRangeKey = "Preferences/16-bit levels";

}  // namespace

CImageOpenDlg::CImageOpenDlg(QWidget* parent, const QString& caption)
    : QFileDialog(parent, caption, QString(), QString::fromStdString(OpenImageFilters()))
{
    // The platform's own dialog takes no extra controls.
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFiles);
    setAcceptMode(QFileDialog::AcceptOpen);

    rangeList = new QComboBox;
    rangeList->addItems({"The file's lowest to highest level", "The full range 0..65535", "A fixed range"});
    lowLevel = new QSpinBox;
    highLevel = new QSpinBox;
    for (QSpinBox* box : {lowLevel, highLevel}) box->setRange(0, 65535);
    auto* row = new QWidget;
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    rowLayout->addWidget(rangeList, 1);
    rowLayout->addWidget(lowLevel);
    rowLayout->addWidget(new QLabel(".."));
    rowLayout->addWidget(highLevel);
    connect(rangeList, &QComboBox::currentIndexChanged, this, [this](int index) {
        const bool fixed = index == static_cast<int>(RangeChoice::Fixed);
        lowLevel->setEnabled(fixed);
        highLevel->setEnabled(fixed);
    });
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int at = grid->rowCount();
        grid->addWidget(new QLabel("16-bit levels:"), at, 0);
        grid->addWidget(row, at, 1, 1, grid->columnCount() - 1);
    }
    SetRange(CurrentSampleRange());
}

SampleRange CImageOpenDlg::Range() const
{
    return RangeOf(static_cast<RangeChoice>(rangeList->currentIndex()), lowLevel->value(), highLevel->value());
}

void CImageOpenDlg::SetRange(const SampleRange& range)
{
    const bool fixed = range.mode == SampleRange::Mode::Fixed;
    lowLevel->setValue(fixed ? range.lo : 0);
    highLevel->setValue(fixed ? range.hi : 65535);
    rangeList->setCurrentIndex(static_cast<int>(ChoiceOf(range)));
    lowLevel->setEnabled(fixed);
    highLevel->setEnabled(fixed);
}

QStringList ChooseImagesToOpen(QWidget* parent)
{
    CImageOpenDlg dialog(parent, "Open");
    if (dialog.exec() != QDialog::Accepted) return {};
    SaveRangePreference(dialog.Range());
    return dialog.selectedFiles();
}

void LoadRangePreference()
{
    const QString text = QSettings().value(kRangeKey, "file").toString();
    SetSampleRange(ParseSampleRange(text.toStdString()).value_or(SampleRange{}));
}

void SaveRangePreference(const SampleRange& range)
{
    SetSampleRange(range);
    QSettings().setValue(kRangeKey, QString::fromStdString(SampleRangeText(range)));
}
