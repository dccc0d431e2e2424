// The image Open dialog.
#include "dialogs/ImageOpenDlg.h"

#include <QGridLayout>
#include <QLabel>

#include "dialogs/SampleRangeBox.h"
#include "forms/ImageFileFilters.h"

CImageOpenDlg::CImageOpenDlg(QWidget* parent, const QString& caption)
    : QFileDialog(parent, caption, QString(), QString::fromStdString(OpenImageFilters()))
{
    // The platform's own dialog takes no extra controls.
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFiles);
    setAcceptMode(QFileDialog::AcceptOpen);
    range = new CSampleRangeBox;
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int at = grid->rowCount();
        grid->addWidget(new QLabel("16-bit levels:"), at, 0);
        grid->addWidget(range, at, 1, 1, grid->columnCount() - 1);
    }
}

QStringList ChooseImagesToOpen(QWidget* parent, const QString& folder)
{
    CImageOpenDlg dialog(parent, "Open");
    dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted) return {};
    SaveRangePreference(dialog.range->Range());
    return dialog.selectedFiles();
}
