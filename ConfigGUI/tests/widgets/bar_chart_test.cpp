// The bar chart: one bar per column of the data it is given.
#include "rendered.h"
#include "widgets/bar_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QValueAxis>
#include <gtest/gtest.h>

using linkset::BarChart;
using Column = linkset::BarChart::Column;

namespace {

QBarSet *bars(const BarChart &chart)
{
    return qobject_cast<QBarSeries *>(chart.chart()->series().value(0))->barSets().value(0);
}

QStringList categories(const BarChart &chart)
{
    return qobject_cast<QBarCategoryAxis *>(chart.chart()->axes(Qt::Horizontal).value(0))->categories();
}

QValueAxis *valueAxis(const BarChart &chart)
{
    return qobject_cast<QValueAxis *>(chart.chart()->axes(Qt::Vertical).value(0));
}

} // namespace

TEST(BarChart, ShowsOneBarPerColumnAndReplacesItsData)
{
    BarChart chart;
    chart.setChartData({{" 3", 1.5}, {" 12", 0.0}, {" 7", 8.0}});
    ASSERT_EQ(bars(chart)->count(), 3);
    EXPECT_EQ(bars(chart)->at(0), 1.5);
    EXPECT_EQ(bars(chart)->at(2), 8.0);
    EXPECT_EQ(categories(chart), (QStringList{" 3", " 12", " 7"}));

    chart.setChartData({{" 3", 2.0}, {" 12", 4.0}});
    ASSERT_EQ(bars(chart)->count(), 2);
    EXPECT_EQ(bars(chart)->at(1), 4.0);
    EXPECT_EQ(categories(chart), (QStringList{" 3", " 12"}));
    EXPECT_EQ(chart.chartData(), (QList<Column>{{" 3", 2.0}, {" 12", 4.0}}));
}

TEST(BarChart, EveryColumnKeepsItsOwnBarWhenLabelsRepeat)
{
    BarChart chart;
    chart.setChartData({{"", 0.0}, {" 5", 1.0}, {"", 2.0}});
    EXPECT_EQ(bars(chart)->count(), 3);
    EXPECT_EQ(categories(chart), (QStringList{"", " 5", " (3)"}));
}

TEST(BarChart, ValueAxisShowsAtLeastZeroToTenAndGrowsForLargerValues)
{
    BarChart chart;
    chart.setChartData({{" 1", 2.0}});
    EXPECT_EQ(valueAxis(chart)->min(), 0.0);
    EXPECT_GE(valueAxis(chart)->max(), 10.0);
    chart.setChartData({{" 1", 2.0}, {" 2", 37.0}});
    EXPECT_GE(valueAxis(chart)->max(), 37.0);
}

TEST(BarChart, TallerBarsForLargerValues)
{
    BarChart chart;
    chart.setTitle(QStringLiteral("% Radio Packet Loss"));
    chart.setChartData({{" 1", 2.0}, {" 2", 8.0}});
    const QImage image = rendered(chart, QSize(300, 240));
    const QColor barColor = bars(chart)->color();
    const QRect plot = chart.chart()->plotArea().toRect();
    const QRect leftHalf(plot.left(), plot.top(), plot.width() / 2, plot.height());
    const QRect rightHalf(plot.left() + plot.width() / 2, plot.top(), plot.width() / 2, plot.height());
    const int left = countPixels(image, barColor, leftHalf);
    const int right = countPixels(image, barColor, rightHalf);
    EXPECT_GT(left, 0);
    EXPECT_GT(right, 3 * left);
    EXPECT_LT(right, 5 * left);
}

TEST(BarChart, DataSetDuringAnUpdateIsDrawnAtItsEnd)
{
    BarChart chart;
    chart.setChartData({{" 1", 2.0}, {" 2", 3.0}});
    chart.BeginUpdate();
    chart.setChartData({{" 1", 5.0}, {" 2", 3.0}});
    chart.setChartData({{" 1", 5.0}, {" 2", 6.0}, {" 3", 1.0}});
    EXPECT_EQ(chart.chartData().size(), 3) << "the data is the chart's at once";
    EXPECT_EQ(bars(chart)->count(), 2);
    EXPECT_EQ(bars(chart)->at(0), 2.0);
    chart.EndUpdate();
    ASSERT_EQ(bars(chart)->count(), 3);
    EXPECT_EQ(bars(chart)->at(0), 5.0);
    EXPECT_EQ(bars(chart)->at(1), 6.0);
    EXPECT_EQ(categories(chart), (QStringList{" 1", " 2", " 3"}));
}
