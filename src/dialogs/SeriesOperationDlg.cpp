// Select Operation page: the list by format and the reselection.
#include "dialogs/SeriesOperationDlg.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "dialogs/SeriesPropSheet.h"
#include "platform/UserInterface.h"
#include "series/Recipe.h"
#include "series/SeriesPages.h"

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
    std::vector<std::string> operations = SeriesOperationList(Settings().firstImage.format);
    operations.emplace_back(kSeriesRecipeEntry);
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
    const std::string name = chosen.front()->text().toStdString();
    SeriesSettings& settings = Settings();
    if (name != kSeriesRecipeEntry) {
        settings.recipe.clear();
        settings.recipeName.clear();
        settings.operationName = name;
        return true;
    }
    const QString path = Sheet().choosers.recipe(this);
    if (path.isEmpty()) return false;
    try {
        settings.recipe = ReadRecipe(path.toStdString());
    } catch (const RecipeError& refusal) {
        platform::error(refusal.message);
        return false;
    }
    settings.recipeName = path.toStdString();
    settings.operationName = name;
    return true;
}
