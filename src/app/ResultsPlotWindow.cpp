// The plot window: controls, the histogram and scatter charts, selection
// both ways and saving.
#include "app/ResultsPlotWindow.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QSpinBox>
#include <QStackedBarSeries>
#include <QSvgGenerator>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/ResultsChartView.h"
#include "app/ResultsTab.h"
#include "dialogs/FileChooser.h"
#include "platform/UserInterface.h"

namespace {

const QColor kBarColor(70, 130, 180);
const QColor kSelectedColor(255, 170, 0);
const QColor kMeanColor(200, 0, 0);
// A click finds the nearest point within this many pixels.
constexpr double kPointReach = 6.0;

QLineSeries* VerticalLine(QChart& chart, double x, double top, const QString& name, Qt::PenStyle style)
{
    auto* line = new QLineSeries;
    line->setName(name);
    line->append(x, 0.0);
    line->append(x, top);
    line->setPen(QPen(kMeanColor, 2, style));
    chart.addSeries(line);
    return line;
}

// The range of values with a margin, so that no point sits on the frame.
std::pair<double, double> Padded(double lo, double hi)
{
    const double margin = hi > lo ? (hi - lo) * 0.05 : 0.5;
    return {lo - margin, hi + margin};
}

}  // namespace

CResultsPlotWindow::CResultsPlotWindow(CResultsTab& tab)
    : QWidget(&tab, Qt::Window),
      tab_(tab),
      kind_(new QComboBox),
      column_(new QComboBox),
      yColumn_(new QComboBox),
      binsBox_(new QSpinBox),
      view_(new CResultsChartView)
{
    setWindowTitle(QString("Plot - %1").arg(tab.Title()));
    kind_->addItems({"Histogram", "Scatter plot"});
    FillColumns();
    binsBox_->setRange(0, 1000);
    binsBox_->setSpecialValueText("Automatic");

    auto* controls = new QFormLayout;
    controls->addRow("&Plot:", kind_);
    controls->addRow("&Column:", column_);
    controls->addRow("&Y column:", yColumn_);
    controls->addRow("&Bins:", binsBox_);
    auto* save = new QPushButton("&Save...");
    auto* side = new QVBoxLayout;
    side->addLayout(controls);
    side->addStretch();
    side->addWidget(save);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(side);
    layout->addWidget(view_, 1);
    resize(760, 480);

    askSavePath = [this] {
        return ChooseFile(this, FileChoice{"PNG images (*.png);;SVG images (*.svg)", "png", true, "Save Plot",
                                           "plot.png"});
    };
    connect(save, &QPushButton::clicked, this, &CResultsPlotWindow::OnSave);
    for (QComboBox* box : {kind_, column_, yColumn_})
        connect(box, &QComboBox::currentIndexChanged, this, &CResultsPlotWindow::Rebuild);
    connect(binsBox_, &QSpinBox::valueChanged, this, &CResultsPlotWindow::Rebuild);
    connect(view_, &CResultsChartView::clicked, this, &CResultsPlotWindow::OnClicked);
    connect(view_, &CResultsChartView::dragged, this, &CResultsPlotWindow::OnDragged);
    connect(&tab, &CResultsTab::selectionChanged, this, &CResultsPlotWindow::Rebuild);
    // Rows deleted or brought back, or the table read anew with other columns.
    connect(&tab, &CResultsTab::modifiedChanged, this, [this] {
        FillColumns();
        Rebuild();
    });
    Rebuild();
}

void CResultsPlotWindow::FillColumns()
{
    const QString x = column_->currentText(), y = yColumn_->currentText();
    const QSignalBlocker blocks[] = {QSignalBlocker(column_), QSignalBlocker(yColumn_)};
    column_->clear();
    yColumn_->clear();
    const CResultsTable& table = tab_.Table();
    for (int c = 0; c < table.ColumnCount(); ++c)
        if (table.IsNumeric(c)) {
            const QString name = QString::fromStdString(table.ColumnName(c));
            column_->addItem(name, c);
            yColumn_->addItem(name, c);
        }
    // The columns shown before where they are still there; else area (or
    // the first after the object's number) against the next one.
    const int area = column_->findText("area");
    column_->setCurrentIndex(column_->findText(x) >= 0 ? column_->findText(x)
                                                        : area >= 0 ? area : std::min(1, column_->count() - 1));
    yColumn_->setCurrentIndex(yColumn_->findText(y) >= 0 ? yColumn_->findText(y) : std::min(2, yColumn_->count() - 1));
}

void CResultsPlotWindow::ShowPlot(Kind kind, int column, int yColumn, int bins)
{
    const QSignalBlocker blocks[] = {QSignalBlocker(kind_), QSignalBlocker(column_), QSignalBlocker(yColumn_),
                                     QSignalBlocker(binsBox_)};
    kind_->setCurrentIndex(kind);
    column_->setCurrentIndex(column_->findData(column));
    if (yColumn >= 0) yColumn_->setCurrentIndex(yColumn_->findData(yColumn));
    binsBox_->setValue(bins);
    Rebuild();
}

int CResultsPlotWindow::ColumnAt(const QComboBox* box) const
{
    return box->currentIndex() < 0 ? -1 : box->currentData().toInt();
}

void CResultsPlotWindow::Rebuild()
{
    const bool scatter = kind_->currentIndex() == Scatter;
    yColumn_->setEnabled(scatter);
    binsBox_->setEnabled(!scatter);
    view_->SetBandEnabled(scatter);
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    bins_ = {};
    xs_.clear();
    ys_.clear();
    ids_.clear();
    const int column = ColumnAt(column_);
    if (column >= 0) {
        if (scatter)
            BuildScatter(*chart, column, ColumnAt(yColumn_));
        else
            BuildHistogram(*chart, column);
    }
    QChart* old = view_->chart();
    view_->setChart(chart);
    delete old;
}

void CResultsPlotWindow::BuildHistogram(QChart& chart, int column)
{
    const CResultsTable& table = tab_.Table();
    std::vector<double> values;
    std::vector<int> ids;
    for (int row = 0; row < table.RowCount(); ++row) {
        values.push_back(table.Value(row, column));
        ids.push_back(table.RowId(row));
    }
    bins_ = MakeHistogram(values, ids, binsBox_->value());
    const QString name = column_->currentText();
    chart.setTitle(QString("Histogram of %1").arg(name));
    if (bins_.BinCount() == 0) return;

    const std::set<int>& selected = table.SelectedIds();
    auto* plain = new QBarSet("Count");
    auto* chosen = new QBarSet("Selected");
    plain->setColor(kBarColor);
    chosen->setColor(kSelectedColor);
    int peak = 1;
    QStringList categories;
    for (int k = 0; k < bins_.BinCount(); ++k) {
        const auto inSelection = std::count_if(bins_.ids[k].begin(), bins_.ids[k].end(),
                                               [&](int id) { return selected.count(id) != 0; });
        *plain << static_cast<double>(bins_.counts[k] - inSelection);
        *chosen << static_cast<double>(inSelection);
        peak = std::max(peak, bins_.counts[k]);
        categories << QString::number(k);
    }
    auto* bars = new QStackedBarSeries;
    bars->append(plain);
    bars->append(chosen);
    bars->setBarWidth(1.0);
    chart.addSeries(bars);

    // The bars stand on a hidden category axis whose categories span the
    // value axis' range bin by bin, so that the lines meet the bars' values.
    auto* binAxis = new QBarCategoryAxis;
    binAxis->append(categories);
    binAxis->setVisible(false);
    auto* xAxis = new QValueAxis;
    xAxis->setTitleText(name);
    xMin_ = bins_.edges.front();
    xMax_ = bins_.edges.back();
    xAxis->setRange(xMin_, xMax_);
    auto* yAxis = new QValueAxis;
    yAxis->setTitleText("Count");
    // Counts are whole: ticks at a whole step of 1, 2 or 5 times a power of ten.
    double step = 1.0;
    while (peak / step > 8.0) step *= (QString::number(step).startsWith('2') ? 2.5 : 2.0);
    yMin_ = 0.0;
    yMax_ = std::max(std::ceil(peak * 1.1 / step), 1.0) * step;
    yAxis->setRange(yMin_, yMax_);
    yAxis->setTickType(QValueAxis::TicksDynamic);
    yAxis->setTickAnchor(0.0);
    yAxis->setTickInterval(step);
    yAxis->setLabelFormat("%d");
    chart.addAxis(binAxis, Qt::AlignBottom);
    chart.addAxis(xAxis, Qt::AlignBottom);
    chart.addAxis(yAxis, Qt::AlignLeft);
    bars->attachAxis(binAxis);
    bars->attachAxis(yAxis);

    const CColumnSummary summary = table.Summary(column, false);
    std::vector<QLineSeries*> lines{VerticalLine(chart, summary.mean, yMax_, "Mean", Qt::SolidLine)};
    if (!std::isnan(summary.deviation)) {
        lines.push_back(VerticalLine(chart, summary.mean - summary.deviation, yMax_, "Mean \u00b1 SD", Qt::DashLine));
        lines.push_back(VerticalLine(chart, summary.mean + summary.deviation, yMax_, QString(), Qt::DashLine));
        // One legend entry for both sides.
        chart.legend()->markers(lines.back()).front()->setVisible(false);
    }
    for (QLineSeries* line : lines) {
        line->attachAxis(xAxis);
        line->attachAxis(yAxis);
    }
}

void CResultsPlotWindow::BuildScatter(QChart& chart, int column, int yColumn)
{
    const CResultsTable& table = tab_.Table();
    const QString xName = column_->currentText(), yName = yColumn_->currentText();
    chart.setTitle(QString("%1 against %2").arg(yName, xName));
    if (yColumn < 0) return;
    auto* plain = new QScatterSeries;
    auto* chosen = new QScatterSeries;
    plain->setName("Objects");
    chosen->setName("Selected");
    plain->setColor(kBarColor);
    chosen->setColor(kSelectedColor);
    for (QScatterSeries* s : {plain, chosen}) {
        s->setMarkerSize(7.0);
        s->setBorderColor(Qt::transparent);
    }
    const std::set<int>& selected = table.SelectedIds();
    for (int row = 0; row < table.RowCount(); ++row) {
        const double x = table.Value(row, column), y = table.Value(row, yColumn);
        if (std::isnan(x) || std::isnan(y)) continue;
        xs_.push_back(x);
        ys_.push_back(y);
        ids_.push_back(table.RowId(row));
        (selected.count(ids_.back()) ? chosen : plain)->append(x, y);
    }
    chart.addSeries(plain);
    chart.addSeries(chosen);
    auto* xAxis = new QValueAxis;
    auto* yAxis = new QValueAxis;
    xAxis->setTitleText(xName);
    yAxis->setTitleText(yName);
    if (!xs_.empty()) {
        std::tie(xMin_, xMax_) = Padded(*std::min_element(xs_.begin(), xs_.end()), *std::max_element(xs_.begin(), xs_.end()));
        std::tie(yMin_, yMax_) = Padded(*std::min_element(ys_.begin(), ys_.end()), *std::max_element(ys_.begin(), ys_.end()));
    }
    xAxis->setRange(xMin_, xMax_);
    yAxis->setRange(yMin_, yMax_);
    chart.addAxis(xAxis, Qt::AlignBottom);
    chart.addAxis(yAxis, Qt::AlignLeft);
    for (QScatterSeries* s : {plain, chosen}) {
        s->attachAxis(xAxis);
        s->attachAxis(yAxis);
    }
}

QPoint CResultsPlotWindow::ViewPointOf(double x, double y) const
{
    QChart* chart = view_->chart();
    const QRectF area = chart->plotArea();
    const QPointF inChart(area.left() + (x - xMin_) / (xMax_ - xMin_) * area.width(),
                          area.bottom() - (y - yMin_) / (yMax_ - yMin_) * area.height());
    return view_->mapFromScene(chart->mapToScene(inChart));
}

void CResultsPlotWindow::OnClicked(QPoint at, bool add)
{
    QChart* chart = view_->chart();
    const QPointF inChart = chart->mapFromScene(view_->mapToScene(at));
    const QRectF area = chart->plotArea();
    if (!area.contains(inChart)) return;
    std::vector<int> ids;
    if (kind_->currentIndex() == Histogram) {
        if (bins_.BinCount() == 0) return;
        const double x = xMin_ + (inChart.x() - area.left()) / area.width() * (xMax_ - xMin_);
        const int bin = bins_.BinOf(std::clamp(x, xMin_, xMax_));
        if (bin < 0) return;
        ids = bins_.ids[bin];
    } else {
        double best = kPointReach * kPointReach;
        for (std::size_t i = 0; i < xs_.size(); ++i) {
            const QPoint off = ViewPointOf(xs_[i], ys_[i]) - at;
            const double d = static_cast<double>(off.x()) * off.x() + static_cast<double>(off.y()) * off.y();
            if (d <= best) {
                best = d;
                ids = {ids_[i]};
            }
        }
        if (ids.empty()) return;
    }
    tab_.SelectIds(ids, add);
}

void CResultsPlotWindow::OnDragged(QRect area, bool add)
{
    std::vector<int> ids;
    for (std::size_t i = 0; i < xs_.size(); ++i)
        if (area.contains(ViewPointOf(xs_[i], ys_[i]))) ids.push_back(ids_[i]);
    tab_.SelectIds(ids, add);
}

bool CResultsPlotWindow::Save(const QString& path, QString* error) const
{
    // Written beside the target and renamed over it: a failed save keeps the old file.
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written && path.endsWith(".svg", Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(view_->size());
        svg.setViewBox(view_->rect());
        svg.setTitle(windowTitle());
        QPainter painter(&svg);
        view_->render(&painter);
        painter.end();
    } else if (written) {
        written = view_->grab().save(&file, "PNG");
    }
    if (written && file.commit()) return true;
    if (error) *error = QString("The plot could not be written to %1.\n%2").arg(path, file.errorString());
    return false;
}

void CResultsPlotWindow::OnSave()
{
    const QString path = askSavePath();
    if (path.isEmpty()) return;
    QString error;
    if (!Save(path, &error)) platform::error(error.toStdString());
}
