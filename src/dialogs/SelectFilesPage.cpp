// Select Files page: Browse, the output choice and Next's checks.
#include "dialogs/SelectFilesPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "dialogs/SeriesPropSheet.h"
#include "forms/SeriesSelectFiles.h"

CSelectFilesPage::CSelectFilesPage(CSeriesPropSheet& sheet)
    : CSeriesPage(sheet, SeriesPage::SelectFiles), list_(new QTextEdit(this)), folder_(new QLineEdit(this)),
      change_(new QPushButton("&Change...", this)), skip_(new QCheckBox("Skip files that cannot be read", this))
{
    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap(":/icons/app.xpm").scaled(32, 32));
    auto* intro = new QLabel("This Wizard will guide you through the necessary steps to process a series of images.",
                             this);
    intro->setWordWrap(true);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addWidget(intro, 1);

    list_->setReadOnly(true);
    list_->setAcceptRichText(false);
    list_->setLineWrapMode(QTextEdit::NoWrap);
    Register(kList, list_);
    auto* browse = new QPushButton("B&rowse...", this);
    Register(kBrowse, browse);
    connect(browse, &QPushButton::clicked, this, &CSelectFilesPage::OnBrowse);
    auto* files = new QHBoxLayout;
    files->addWidget(list_, 1);
    files->addWidget(browse, 0, Qt::AlignTop);

    int& choice = Settings().overwriteChoice;
    QRadioButton* overwrite = AddRadio(kOverwrite, "Overwrite original image files with the results of this procedure",
                                       choice, SERIES_OVERWRITE);
    QRadioButton* save = AddRadio(kSave, "Save results of this procedure to the path below:", choice,
                                  SERIES_SAVE_TO_FOLDER);
    connect(save, &QRadioButton::toggled, change_, &QPushButton::setEnabled);
    folder_->setReadOnly(true);
    folder_->setEnabled(false);
    Register(kFolder, folder_);
    Register(kChange, change_);
    connect(change_, &QPushButton::clicked, this, &CSelectFilesPage::OnChange);
    auto* output = new QGridLayout;
    output->addWidget(overwrite, 0, 0, 1, 2);
    output->addWidget(save, 1, 0, 1, 2);
    output->addWidget(folder_, 2, 0);
    output->addWidget(change_, 2, 1);
    output->setColumnMinimumWidth(0, 320);

    Register(kSkipUnreadable, skip_);
    connect(skip_, &QCheckBox::toggled, this, [this](bool on) { Settings().skipUnreadable = on; });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(files, 1);
    layout->addLayout(output);
    layout->addWidget(skip_);
}

void CSelectFilesPage::OnSetActive()
{
    if (!shownBefore_) {
        shownBefore_ = true;
        Settings().overwriteChoice = SERIES_SAVE_TO_FOLDER;
    }
    ShowFields();
}

void CSelectFilesPage::ShowFields()
{
    const SeriesSettings& s = Settings();
    static_cast<QRadioButton*>(Control(s.Overwrites() ? kOverwrite : kSave))->setChecked(true);
    change_->setEnabled(!s.Overwrites());
    list_->setPlainText(s.fileCount == 0 ? QString(kSeriesNoFilesText)
                                         : QString::fromStdString(s.fileList).replace("\r\n", "\n").trimmed());
    folder_->setText(QString::fromStdString(s.outputFolder));
    skip_->setChecked(s.skipUnreadable);
}

void CSelectFilesPage::OnBrowse()
{
    const QStringList chosen = Sheet().choosers.files(this);
    if (chosen.isEmpty()) return;
    std::vector<std::string> paths;
    for (const QString& path : chosen) paths.push_back(path.toStdString());
    if (!TakeFileSelection(Settings(), paths)) return;
    Sheet().filesChanged = true;
    ShowFields();
}

void CSelectFilesPage::OnChange()
{
    const QString chosen = Sheet().choosers.folder(this, QString::fromStdString(Settings().outputFolder));
    if (chosen.isEmpty()) return;
    Settings().outputFolder = chosen.toStdString();
    ShowFields();
}

bool CSelectFilesPage::OnWizardNext()
{
    int focus = 0;
    const bool ok = SelectFilesNext(Settings(), focus);
    if (focus != 0) FocusControl(focus);
    // Overwrite mode has put the first file's folder in the output folder.
    ShowFields();
    return ok;
}
