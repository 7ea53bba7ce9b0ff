#include "widgets/bar_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace linkset {
namespace {

constexpr double kMinimumTop = 10.0;
const QColor kBarColor(0x1E, 0x5A, 0xC8);

} // namespace

BarChart::BarChart(QWidget *parent)
    : QWidget(parent), chart_(new QChart), bars_(new QBarSet(QString())), categoryAxis_(new QBarCategoryAxis),
      valueAxis_(new QValueAxis)
{
    bars_->setColor(kBarColor);
    bars_->setBorderColor(kBarColor);
    auto *series = new QBarSeries;
    series->append(bars_);
    chart_->addSeries(series);
    chart_->addAxis(categoryAxis_, Qt::AlignBottom);
    chart_->addAxis(valueAxis_, Qt::AlignLeft);
    series->attachAxis(categoryAxis_);
    series->attachAxis(valueAxis_);
    valueAxis_->setLabelFormat(QStringLiteral("%g"));
    valueAxis_->setRange(0.0, kMinimumTop);
    chart_->legend()->hide();
    chart_->setMargins(QMargins(4, 4, 4, 4));

    auto *view = new QChartView(chart_, this);
    view->setRenderHint(QPainter::Antialiasing);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
}

BarChart::~BarChart() = default;

void BarChart::BeginUpdate()
{
    ++updateDepth_;
}

void BarChart::EndUpdate()
{
    if (updateDepth_ == 0)
        return;
    if (--updateDepth_ == 0)
        draw();
}

void BarChart::setChartData(const QList<Column> &columns)
{
    columns_ = columns;
    if (updateDepth_ == 0)
        draw();
}

void BarChart::draw()
{
    const QList<Column> &columns = columns_;
    if (columns == drawn_)
        return;
    const bool sameBars = columns.size() == drawn_.size() &&
                          std::equal(columns.begin(), columns.end(), drawn_.begin(),
                                     [](const Column &a, const Column &b) { return a.label == b.label; });
    double top = kMinimumTop;
    QList<qreal> values;
    for (const Column &column : columns) {
        top = std::max(top, column.value);
        values << column.value;
    }
    if (sameBars) {
        // The same bars: only the values that changed move.
        for (qsizetype i = 0; i < values.size(); ++i)
            if (values[i] != drawn_[i].value)
                bars_->replace(int(i), values[i]);
    } else {
        // All values go in at once: the bars are laid out twice, not once per bar.
        bars_->remove(0, bars_->count());
        bars_->append(values);
    }
    drawn_ = columns;
    if (!sameBars) {
        QStringList labels;
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const Column &column = columns[i];
            labels << (labels.contains(column.label) ? QStringLiteral("%1 (%2)").arg(column.label).arg(i + 1)
                                                     : column.label);
        }
        categoryAxis_->setCategories(labels);
    }
    valueAxis_->setRange(0.0, top);
    valueAxis_->applyNiceNumbers();
}

QString BarChart::title() const
{
    return chart_->title();
}

void BarChart::setTitle(const QString &title)
{
    chart_->setTitle(title);
}

} // namespace linkset
