// Select Operation page: the list by format and the reselection.
#include "dialogs/SeriesOperationDlg.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "dialogs/SeriesPropSheet.h"
#include "platform/UserInterface.h"

CSeriesOperationDlg::CSeriesOperationDlg(CSeriesPropSheet& sheet)
    : CSeriesPage(sheet, SeriesPage::SelectOperation), list_(new QListWidget(this))
{
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    Register(kList, list_);
    auto* text =
        new QLabel("The available operations are based on the type of the first image (RGB or Grayscale)", this);
    text->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(list_, 1);
}

void CSeriesOperationDlg::OnSetActive()
{
    const std::vector<std::string> operations = SeriesOperationList(Settings().firstImage.format);
    list_->clear();
    for (const std::string& name : operations) list_->addItem(QString::fromStdString(name));
    const int selected = SeriesOperationSelection(operations, Settings().operationName);
    if (selected >= 0) list_->setCurrentRow(selected);
}

bool CSeriesOperationDlg::OnWizardNext()
{
    const QList<QListWidgetItem*> chosen = list_->selectedItems();
    if (chosen.isEmpty()) {
        platform::error(kSeriesNoOperation);
        return false;
    }
    Settings().operationName = chosen.front()->text().toStdString();
    return true;
}
