// Custom Filter dialog: size radios, the weight grid and the file buttons.
#include "dialogs/CustomFilterDlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "document/NUVAKDoc.h"
#include "platform/UserInterface.h"

namespace {

using M = CustomFilterModel;

constexpr int kSizes[] = {3, 5, 7, 9};

}  // namespace

CCustomFilterDlg::CCustomFilterDlg(QWidget* parent) : COperationDlg(model_, parent)
{
    chooseFile = [this](const FileChoice& choice) { return ChooseFile(this, choice); };

    auto* sizeGroup = new QGroupBox("Filter Size");
    auto* sizeLayout = new QVBoxLayout(sizeGroup);
    auto* radios = new QButtonGroup(this);
    for (int k = 0; k < 4; ++k) {
        auto* radio = new QRadioButton(QString("%1x%1").arg(kSizes[k]));
        radios->addButton(radio, kSizes[k]);
        sizeLayout->addWidget(radio);
        Register(M::kFirstSizeRadio + k, radio);
    }
    connect(radios, &QButtonGroup::idClicked, this, [this](int size) {
        model_.size = size;
        ShowSize();
    });

    auto* options = new QGroupBox("Options");
    auto* optionLayout = new QVBoxLayout(options);
    const struct {
        int id;
        const char* label;
        void (CCustomFilterDlg::*handler)();
    } buttons[] = {
        {M::kSaveToFile, "&Save To File", &CCustomFilterDlg::OnSaveToFile},
        {M::kReadFromFile, "&Read From File", &CCustomFilterDlg::OnReadFromFile},
        {M::kClearAll, "&Clear All", &CCustomFilterDlg::OnClearAll},
    };
    for (const auto& b : buttons) {
        auto* button = new QPushButton(b.label);
        button->setAutoDefault(false);
        optionLayout->addWidget(button);
        Register(b.id, button);
        connect(button, &QPushButton::clicked, this, b.handler);
    }

    auto* weights = new QGroupBox("Filter Weights");
    auto* grid = new QGridLayout(weights);
    for (int box = 0; box < 81; ++box) {
        QLineEdit* edit = AddEdit(M::kFirstWeight + box, model_.grid[static_cast<size_t>(box)]);
        edit->setMaxLength(79);
        edit->setFixedWidth(52);
        grid->addWidget(edit, box / 9, box % 9);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(sizeGroup);
    left->addWidget(options);
    left->addStretch();
    auto* controls = new QHBoxLayout;
    controls->addLayout(left);
    controls->addWidget(weights);
    ShowSize();
    SetHelpSection("filters");
    Arrange(controls);
}

void CCustomFilterDlg::ShowSize()
{
    for (int k = 0; k < 4; ++k)
        static_cast<QRadioButton*>(Control(M::kFirstSizeRadio + k))->setChecked(kSizes[k] == model_.size);
    for (int box = 0; box < 81; ++box) Control(M::kFirstWeight + box)->setEnabled(model_.BoxEnabled(box));
}

void CCustomFilterDlg::ShowWeights()
{
    for (int box = 0; box < 81; ++box)
        static_cast<QLineEdit*>(Control(M::kFirstWeight + box))
            ->setText(QString::fromStdString(model_.grid[static_cast<size_t>(box)]));
}

void CCustomFilterDlg::OnClearAll()
{
    model_.ClearAll();
    ShowWeights();
}

void CCustomFilterDlg::OnSaveToFile()
{
    if (const std::optional<FieldFailure> failure = model_.CheckBeforeSave()) {
        FocusControl(failure->control);
        return;
    }
    const QString path = chooseFile(FileChoice{"Filter File Format (*.ftr)", "ftr", true});
    if (path.isEmpty()) return;
    const std::string message = model_.SaveTo(path.toStdString());
    if (!message.empty()) platform::error(message);
}

void CCustomFilterDlg::OnReadFromFile()
{
    const QString path = chooseFile(FileChoice{"Filter Files (*.ftr)", "ftr", false});
    if (path.isEmpty()) return;
    const std::string message = model_.ReadFrom(path.toStdString());
    if (!message.empty()) {
        platform::error(message);
        return;
    }
    ShowSize();
    ShowWeights();
}

void CCustomFilterDlg::OnCustomFilter(CNUVAKDoc& document, QWidget* parent)
{
    CCustomFilterDlg dialog(parent);
    dialog.RestoreLastValues();
    document.RunPipeline([&dialog](CImage& image) { return dialog.Values().ApplyTo(image); }, true, true,
                         [&] { return dialog.Run(document.image); },
                         [&dialog] {
                             HistoryEntry entry{dialog.Values().Steps(), {}};
                             if (entry.steps.empty()) entry.unreplayable = "Custom Filter with an unsaved kernel";
                             return entry;
                         });
}
