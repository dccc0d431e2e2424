// CResultsPlotWindow: a results table's distribution, as a histogram of one
// column (its mean and mean +/- standard deviation marked) or a scatter
// plot of two; clicking bars or points, or dragging a band over points,
// selects their rows in the table, and the table's selection shows in the
// plot. Saved as PNG or SVG.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "forms/ResultsHistogram.h"

class CResultsChartView;
class CResultsTab;
class QChart;
class QComboBox;
class QSpinBox;

class CResultsPlotWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own; it closes with the tab.
    explicit CResultsPlotWindow(CResultsTab& tab);

    enum Kind { Histogram = 0, Scatter = 1 };
    // Shows the plot of that kind over those columns (table column indices);
    // bins 0 for the automatic count.
    void ShowPlot(Kind kind, int column, int yColumn = -1, int bins = 0);

    // Writes the plot: SVG for a ".svg" name, else PNG. False with the
    // reason in error.
    bool Save(const QString& path, QString* error) const;
    // The Save button's file dialog; replaceable for tests (empty when cancelled).
    std::function<QString()> askSavePath;

    const CHistogramBins& Bins() const { return bins_; }
    CResultsChartView* ChartView() const { return view_; }
    QComboBox* KindBox() const { return kind_; }
    QComboBox* ColumnBox() const { return column_; }
    QComboBox* YColumnBox() const { return yColumn_; }
    QSpinBox* BinsBox() const { return binsBox_; }
    // Where a value pair is drawn, in the chart view's pixels.
    QPoint ViewPointOf(double x, double y) const;

private:
    // The numeric columns offered, keeping the ones chosen where they remain.
    void FillColumns();
    void Rebuild();
    void BuildHistogram(QChart& chart, int column);
    void BuildScatter(QChart& chart, int column, int yColumn);
    // The rows of a click (a bar's, or the nearest point's) and of a band.
    void OnClicked(QPoint at, bool add);
    void OnDragged(QRect area, bool add);
    void OnSave();
    // The numeric column of a combo box entry.
    int ColumnAt(const QComboBox* box) const;

    CResultsTab& tab_;
    QComboBox* kind_;
    QComboBox* column_;
    QComboBox* yColumn_;
    QSpinBox* binsBox_;
    CResultsChartView* view_;
    CHistogramBins bins_;
    // The scatter plot's points: values and row ids.
    std::vector<double> xs_, ys_;
    std::vector<int> ids_;
    double xMin_ = 0, xMax_ = 1, yMin_ = 0, yMax_ = 1;  // the axes' ranges
};
