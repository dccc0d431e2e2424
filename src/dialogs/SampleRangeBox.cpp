// The 16-bit range controls and the preference behind them.
#include "dialogs/SampleRangeBox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QSpinBox>

#include "forms/ImageFileFilters.h"

namespace {

const char* const kRangeKey = "Preferences/16-bit levels";

}  // namespace

CSampleRangeBox::CSampleRangeBox(QWidget* parent) : QWidget(parent)
{
    rangeList = new QComboBox;
    rangeList->addItems({"The file's lowest to highest level", "The full range 0..65535", "A fixed range"});
    lowLevel = new QSpinBox;
    highLevel = new QSpinBox;
    for (QSpinBox* box : {lowLevel, highLevel}) box->setRange(0, 65535);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(rangeList, 1);
    layout->addWidget(lowLevel);
    layout->addWidget(new QLabel(".."));
    layout->addWidget(highLevel);
    connect(rangeList, &QComboBox::currentIndexChanged, this, [this](int index) {
        const bool fixed = index == static_cast<int>(RangeChoice::Fixed);
        lowLevel->setEnabled(fixed);
        highLevel->setEnabled(fixed);
    });
    SetRange(CurrentSampleRange());
}

SampleRange CSampleRangeBox::Range() const
{
    return RangeOf(static_cast<RangeChoice>(rangeList->currentIndex()), lowLevel->value(), highLevel->value());
}

void CSampleRangeBox::SetRange(const SampleRange& range)
{
    const bool fixed = range.mode == SampleRange::Mode::Fixed;
    lowLevel->setValue(fixed ? range.lo : 0);
    highLevel->setValue(fixed ? range.hi : 65535);
    rangeList->setCurrentIndex(static_cast<int>(ChoiceOf(range)));
    lowLevel->setEnabled(fixed);
    highLevel->setEnabled(fixed);
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
