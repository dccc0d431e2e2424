// The Results plot window: a histogram's bins and its selection both ways,
// a scatter plot's clicks and band, and the PNG and SVG files it saves.
#include <QBarSet>
#include <QChart>
#include <QComboBox>
#include <QImage>
#include <QLegendMarker>
#include <QSpinBox>
#include <QStackedBarSeries>
#include <QSvgRenderer>

#include "MouseEvents.h"
#include "Workbench.h"
#include "app/ResultsChartView.h"
#include "app/ResultsPlotWindow.h"
#include "app/ResultsTab.h"

namespace {

// Areas 1, 2, 2, 3, 4, 10: three bins of width 3 hold 4, 1 and 1 rows.
CResultsTable Areas()
{
    std::string error;
    return CResultsTable::Parse("#id,x,y,area\r\n1,1.0,5.0,1\r\n2,2.0,4.0,2\r\n3,3.0,3.0,2\r\n"
                                "4,4.0,2.0,3\r\n5,5.0,1.0,4\r\n6,9.0,9.0,10\r\n",
                                &error);
}

// The selected rows per bar, as the plot's "Selected" bars show them.
std::vector<int> SelectedBars(CResultsPlotWindow& plot)
{
    auto* bars = qobject_cast<QStackedBarSeries*>(plot.ChartView()->chart()->series().front());
    std::vector<int> counts;
    for (int k = 0; k < bars->barSets()[1]->count(); ++k) counts.push_back(static_cast<int>(bars->barSets()[1]->at(k)));
    return counts;
}

void ClickPlot(CResultsPlotWindow& plot, QPoint at)
{
    PressLeft(plot.ChartView()->viewport(), at);
    ReleaseLeft(plot.ChartView()->viewport(), at);
}

}  // namespace

class TestResultsPlot : public QObject {
    Q_OBJECT
private slots:
    void histogramBinsAndSelection()
    {
        FakeUserInterface user;
        CResultsTab tab(Areas());
        CResultsPlotWindow plot(tab);
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        QCOMPARE(plot.ColumnBox()->currentText(), QString("area"));
        QCOMPARE(plot.BinsBox()->text(), QString("Automatic"));
        plot.ShowPlot(CResultsPlotWindow::Histogram, 3, -1, 3);
        QCOMPARE(plot.Bins().edges, (std::vector<double>{1, 4, 7, 10}));
        QCOMPARE(plot.Bins().counts, (std::vector<int>{4, 1, 1}));
        // Count, selected, mean and one entry for both sides of mean +/- SD.
        const QList<QLegendMarker*> markers = plot.ChartView()->chart()->legend()->markers();
        QCOMPARE(std::count_if(markers.begin(), markers.end(), [](QLegendMarker* m) { return m->isVisible(); }), 4);

        // The table's selection shows in the bars; a click on a bar selects its rows.
        tab.SelectIds({1, 5}, false);
        QCOMPARE(SelectedBars(plot), (std::vector<int>{1, 0, 1}));
        ClickPlot(plot, plot.ViewPointOf(2.5, 1));
        QCOMPARE(tab.Table().SelectedIds(), (std::set<int>{0, 1, 2, 3}));
        QCOMPARE(SelectedBars(plot), (std::vector<int>{4, 0, 0}));
    }

    void scatterClicksAndBand()
    {
        FakeUserInterface user;
        CResultsTab tab(Areas());
        CResultsPlotWindow plot(tab);
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        plot.ShowPlot(CResultsPlotWindow::Scatter, 1, 2);
        ClickPlot(plot, plot.ViewPointOf(3.0, 3.0));
        QCOMPARE(tab.Table().SelectedIds(), std::set<int>{2});
        // A band from (1.5, 0.5) to (4.5, 4.5) holds x 2, 3 and 4.
        QWidget* viewport = plot.ChartView()->viewport();
        PressLeft(viewport, plot.ViewPointOf(1.5, 4.5));
        DragTo(viewport, plot.ViewPointOf(3.0, 2.5));
        ReleaseLeft(viewport, plot.ViewPointOf(4.5, 0.5));
        QCOMPARE(tab.Table().SelectedIds(), (std::set<int>{1, 2, 3}));
    }

    void savesPngAndSvg()
    {
        FakeUserInterface user;
        TempDir dir;
        CResultsTab tab(Areas());
        CResultsPlotWindow plot(tab);
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        const QString png = QString::fromStdString(dir.path("plot.png"));
        const QString svg = QString::fromStdString(dir.path("plot.svg"));
        QString error;
        QVERIFY(plot.Save(png, &error));
        QVERIFY(plot.Save(svg, &error));
        const QImage image(png);
        QCOMPARE(image.size(), plot.ChartView()->size() * plot.devicePixelRatio());
        QSvgRenderer renderer(svg);
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.viewBox().size(), plot.ChartView()->size());
        QVERIFY(QFileInfo(svg).size() > 1000);
        // A folder that is not there: refused with the reason, nothing written.
        const QString nowhere = QString::fromStdString(dir.path("missing/plot.png"));
        QVERIFY(!plot.Save(nowhere, &error));
        QVERIFY(error.startsWith("The plot could not be written to " + nowhere + "."));
    }
};

NUVAK_GUI_TEST(TestResultsPlot)
#include "ResultsPlotTest.moc"
