// Driving the series wizard in tests: generated source files, a scripted
// file and folder choice, and the controls of each page by id.
#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>
#include <memory>
#include <vector>

#include "Workbench.h"
#include "dialogs/SelectFilesPage.h"
#include "dialogs/SeriesOperationDlg.h"
#include "dialogs/SeriesPage.h"
#include "dialogs/SeriesPropSheet.h"
#include "support/TestImages.h"

// Grey file k: a ramp so that every operation changes something.
inline CImage SeriesGrey(int k)
{
    return MakeGrey(12, 9, [k](int x, int y) { return (20 * x + 7 * y + 31 * k) % 256; });
}
inline CImage SeriesRgb(int k)
{
    return MakeImage(12, 9, [k](int x, int y) { return CColorVal(20 * x + k, 9 * y, 200 - 10 * x); });
}

struct SeriesWizard {
    FakeUserInterface user;
    TempDir sources;
    TempDir out;
    QStringList files;
    std::unique_ptr<CSeriesPropSheet> sheet = std::make_unique<CSeriesPropSheet>();

    explicit SeriesWizard(std::vector<CImage> images = {SeriesGrey(0)})
    {
        for (size_t k = 0; k < images.size(); ++k)
            files << WriteBitmap(sources, "file" + std::to_string(k) + ".bmp", images[k]);
        sheet->choosers.files = [this](QWidget*) { return files; };
        sheet->choosers.folder = [this](QWidget*, const QString&) {
            return QString::fromStdString(out.root().string());
        };
    }
    CSeriesPage& page(SeriesPage id) { return sheet->Page(id); }
    QWidget* control(SeriesPage id, int control) { return sheet->Page(id).Control(control); }
    void click(SeriesPage id, int control)
    {
        auto* button = qobject_cast<QAbstractButton*>(this->control(id, control));
        QVERIFY(button);
        button->click();
    }
    void type(SeriesPage id, int control, const QString& text)
    {
        auto* edit = qobject_cast<QLineEdit*>(this->control(id, control));
        QVERIFY(edit);
        edit->setText(text);
    }
    QListWidget* operations()
    {
        return qobject_cast<QListWidget*>(control(SeriesPage::SelectOperation, CSeriesOperationDlg::kList));
    }
    // Browse, an output folder and Next: the Select Operation page.
    void toOperations()
    {
        click(SeriesPage::SelectFiles, CSelectFilesPage::kBrowse);
        click(SeriesPage::SelectFiles, CSelectFilesPage::kChange);
        sheet->Next();
        QCOMPARE(sheet->CurrentPage(), SeriesPage::SelectOperation);
    }
    void pick(const QString& operation)
    {
        const QList<QListWidgetItem*> found = operations()->findItems(operation, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        operations()->setCurrentItem(found.front());
    }
    // Select Files to the page after Select Operation with operation chosen.
    void choose(const QString& operation)
    {
        toOperations();
        pick(operation);
        sheet->Next();
    }
};
