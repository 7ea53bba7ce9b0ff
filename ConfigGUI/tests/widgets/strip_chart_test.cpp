// The strip chart: shared time points, channels and their values, scrolling, scaling, drawing.
#include "rendered.h"
#include "widgets/strip_chart.h"

#include <QChart>
#include <QDateTimeAxis>
#include <QValueAxis>
#include <algorithm>
#include <gtest/gtest.h>

using linkset::StripChart;

namespace {

const QDateTime kNoon(QDate(2024, 3, 5), QTime(12, 0, 0));
constexpr double kOneMinute = 1.0 / 1440.0;

QDateTimeAxis *timeAxis(const StripChart &chart)
{
    return qobject_cast<QDateTimeAxis *>(chart.chart()->axes(Qt::Horizontal).value(0));
}

QValueAxis *valueAxis(const StripChart &chart)
{
    return qobject_cast<QValueAxis *>(chart.chart()->axes(Qt::Vertical).value(0));
}

QList<QPointF> trace(const StripChart &chart, int channel)
{
    return chart.tracePoints(channel);
}

QPointF point(const QDateTime &time, double value)
{
    return QPointF(double(time.toMSecsSinceEpoch()), value);
}

} // namespace

TEST(StripChart, ChannelsShareTheTimePoints)
{
    StripChart chart;
    chart.setXAxisStart(kNoon);
    EXPECT_EQ(chart.addChannel(QStringLiteral(" 7"), Qt::yellow, 2), 0);
    EXPECT_EQ(chart.AddIndexTime(kNoon), 0);
    EXPECT_EQ(chart.AddIndexTime(kNoon.addSecs(5)), 1);
    EXPECT_EQ(chart.addChannel(QStringLiteral("12"), Qt::red, 0), 1);
    EXPECT_EQ(chart.AddIndexTime(kNoon.addSecs(10)), 2);

    ASSERT_EQ(chart.channelCount(), 2);
    ASSERT_EQ(chart.pointCount(), 3);
    EXPECT_EQ(chart.channelName(0), QStringLiteral(" 7"));
    EXPECT_EQ(chart.channelName(1), QStringLiteral("12"));
    EXPECT_EQ(chart.pointTime(1), kNoon.addSecs(5));

    chart.setChannelData(0, 1, 2.5);
    chart.setChannelData(1, 2, 12.5);
    EXPECT_EQ(chart.channelData(0, 1), 2.5);
    EXPECT_EQ(chart.channelData(1, 2), 12.5);
    EXPECT_EQ(chart.channelData(0, 2), std::nullopt);
    EXPECT_EQ(chart.channelData(1, 0), std::nullopt) << "a channel added later has no earlier values";
    EXPECT_EQ(trace(chart, 0), QList<QPointF>{point(kNoon.addSecs(5), 2.5)});

    EXPECT_THROW(chart.setChannelData(2, 0, 1.0), std::out_of_range);
    EXPECT_THROW(chart.setChannelData(0, 3, 1.0), std::out_of_range);
    EXPECT_THROW((void)chart.channelData(-1, 0), std::out_of_range);
    EXPECT_THROW((void)chart.channelName(2), std::out_of_range);
}

TEST(StripChart, RemovingAllChannelsKeepsTheTimePoints)
{
    StripChart chart;
    chart.addChannel(QStringLiteral("a"), Qt::yellow, 2);
    chart.addChannel(QStringLiteral("b"), Qt::red, 2);
    chart.AddIndexTime(kNoon);
    chart.removeAllChannels();
    EXPECT_EQ(chart.channelCount(), 0);
    EXPECT_TRUE(chart.chart()->series().isEmpty());
    EXPECT_EQ(chart.pointCount(), 1);
    EXPECT_EQ(chart.addChannel(QStringLiteral("c"), Qt::blue, 2), 0);
    EXPECT_EQ(chart.channelData(0, 0), std::nullopt);
}

TEST(StripChart, AddIndexTimeNowStampsTheCurrentTime)
{
    StripChart chart;
    const QDateTime before = QDateTime::currentDateTime();
    const int index = chart.AddIndexTimeNow();
    const QDateTime after = QDateTime::currentDateTime();
    EXPECT_GE(chart.pointTime(index), before);
    EXPECT_LE(chart.pointTime(index), after);
}

TEST(StripChart, ValuesSetDuringAnUpdateAreDrawnAtItsEnd)
{
    StripChart chart;
    chart.addChannel(QStringLiteral("a"), Qt::yellow, 2);
    chart.BeginUpdate();
    const int index = chart.AddIndexTime(kNoon);
    chart.setChannelData(0, index, 3.0);
    EXPECT_TRUE(trace(chart, 0).isEmpty());
    chart.EndUpdate();
    EXPECT_EQ(trace(chart, 0), QList<QPointF>{point(kNoon, 3.0)});
}

TEST(StripChart, TimeAxisScrollsWithTheNewestPoint)
{
    StripChart chart;
    chart.setXAxisSpan(kOneMinute);
    chart.setXAxisStart(kNoon);
    chart.AddIndexTime(kNoon.addSecs(30));
    EXPECT_EQ(chart.xAxisStart(), kNoon) << "a point inside the axis does not scroll it";

    chart.AddIndexTime(kNoon.addSecs(120));
    EXPECT_EQ(chart.xAxisStart(), kNoon.addSecs(60));
    EXPECT_EQ(timeAxis(chart)->min(), kNoon.addSecs(60));
    EXPECT_EQ(timeAxis(chart)->max(), kNoon.addSecs(120));

    chart.AddIndexTime(kNoon.addSecs(-3600)); // the clock was set back an hour
    EXPECT_EQ(chart.xAxisStart(), kNoon.addSecs(-3660));
}

TEST(StripChart, AClockSetBackKeepsTheTracesDrawn)
{
    StripChart chart;
    chart.setXAxisSpan(kOneMinute);
    chart.setXAxisStart(kNoon);
    chart.addChannel(QStringLiteral("a"), Qt::yellow, 2);
    for (int s = 0; s <= 50; s += 10)
        chart.setChannelData(0, chart.AddIndexTime(kNoon.addSecs(s)), s);

    // The clock is set back an hour: the newest reading sits at the right edge, the earlier
    // ones moved back with the clock and run up to it.
    const QDateTime back = kNoon.addSecs(-3600);
    const int index = chart.AddIndexTime(back);
    chart.setChannelData(0, index, 7.0);
    EXPECT_EQ(index, 6);
    EXPECT_EQ(chart.xAxisStart(), back.addSecs(-60));
    EXPECT_EQ(chart.pointTime(5), back);
    EXPECT_EQ(chart.pointTime(0), back.addSecs(-50));
    EXPECT_EQ(trace(chart, 0),
              (QList<QPointF>{point(back.addSecs(-50), 0), point(back.addSecs(-40), 10),
                              point(back.addSecs(-30), 20), point(back.addSecs(-20), 30),
                              point(back.addSecs(-10), 40), point(back, 50), point(back, 7)}));

    chart.setChannelData(0, chart.AddIndexTime(back.addSecs(5)), 3.0);
    EXPECT_EQ(trace(chart, 0).last(), point(back.addSecs(5), 3.0));
}

TEST(StripChart, TracesGrownPointByPointMatchTracesBuiltAtOnce)
{
    // An hour of readings a second apart on a 300-pixel, 20-minute axis: 4 s per pixel column.
    const QDateTime start = QDateTime::fromMSecsSinceEpoch(1'709'640'000'000);
    const auto value = [](int s) {
        return double((s * 37) % 11) + (s == 3000 ? 40.0 : s == 3100 ? -30.0 : 0.0);
    };
    StripChart grown;
    StripChart atOnce;
    for (StripChart *chart : {&grown, &atOnce}) {
        chart->resize(300, 200);
        chart->setXAxisSpan(20.0 / 1440.0);
        chart->setXAxisStart(start);
        chart->setYAxisMax(5.0);
        chart->addChannel(QStringLiteral("a"), Qt::yellow, 2);
    }
    atOnce.BeginUpdate();
    for (int s = 0; s < 3600; ++s) {
        grown.setChannelData(0, grown.AddIndexTime(start.addSecs(s)), value(s));
        if (s % 7 == 0)
            grown.chart(); // draws what came so far: the trace grows from here
        atOnce.setChannelData(0, atOnce.AddIndexTime(start.addSecs(s)), value(s));
    }
    atOnce.EndUpdate();

    // In view the traces agree point for point; before it each keeps at most one for the edge.
    const double axisStart = double(grown.xAxisStart().toMSecsSinceEpoch());
    const auto inView = [axisStart](const QList<QPointF> &points) {
        QList<QPointF> kept;
        std::copy_if(points.begin(), points.end(), std::back_inserter(kept),
                     [axisStart](const QPointF &p) { return p.x() >= axisStart; });
        return kept;
    };
    const QList<QPointF> grownTrace = trace(grown, 0);
    const QList<QPointF> atOnceTrace = trace(atOnce, 0);
    EXPECT_LE(grownTrace.size() - inView(grownTrace).size(), 1);
    EXPECT_LE(atOnceTrace.size() - inView(atOnceTrace).size(), 1);
    EXPECT_EQ(inView(grownTrace), inView(atOnceTrace));
    EXPECT_LE(inView(grownTrace).size(), 2 * 300);
    EXPECT_TRUE(inView(grownTrace).contains(point(start.addSecs(3100), value(3100))));
    EXPECT_EQ(valueAxis(grown)->max(), value(3000));
    EXPECT_EQ(valueAxis(atOnce)->max(), value(3000));
}

TEST(StripChart, SpanRunsFromTheCurrentStart)
{
    StripChart chart;
    chart.setXAxisStart(kNoon);
    chart.setXAxisSpan(150.0 / 1440.0); // 2 hours 30 minutes
    EXPECT_EQ(chart.xAxisStart(), kNoon);
    EXPECT_EQ(timeAxis(chart)->max(), kNoon.addSecs(150 * 60));
    EXPECT_THROW(chart.setXAxisSpan(0.0), std::invalid_argument);
    EXPECT_THROW(chart.setXAxisSpan(-1.0), std::invalid_argument);
}

TEST(StripChart, TimeLabelsReadHoursMinutesSeconds)
{
    StripChart chart;
    EXPECT_EQ(QDateTime(QDate(2024, 3, 5), QTime(13, 5, 9)).toString(timeAxis(chart)->format()),
              QStringLiteral("13:05:09"));
}

TEST(StripChart, ValueAxisGrowsForLargerValuesInViewButNeverBelowZero)
{
    StripChart chart;
    chart.setYAxisMax(10.0);
    chart.setXAxisSpan(kOneMinute);
    chart.setXAxisStart(kNoon);
    chart.addChannel(QStringLiteral("a"), Qt::yellow, 2);
    chart.setChannelData(0, chart.AddIndexTime(kNoon.addSecs(10)), 12.5);
    chart.setChannelData(0, chart.AddIndexTime(kNoon.addSecs(20)), -4.0);
    EXPECT_EQ(valueAxis(chart)->max(), 12.5);
    EXPECT_EQ(valueAxis(chart)->min(), 0.0);

    chart.setChannelData(0, chart.AddIndexTime(kNoon.addSecs(200)), 3.0);
    EXPECT_EQ(valueAxis(chart)->max(), 10.0) << "the large value has scrolled out of view";
}

TEST(StripChart, KeepsTracesRunningToTheEdgesButNotFarOutOfView)
{
    StripChart chart;
    chart.setXAxisSpan(kOneMinute);
    chart.setXAxisStart(kNoon);
    chart.addChannel(QStringLiteral("a"), Qt::yellow, 2);
    for (int s = 0; s <= 300; s += 10)
        chart.setChannelData(0, chart.AddIndexTime(kNoon.addSecs(s)), s);
    // The axis now runs 12:04:00 to 12:05:00; the point before it keeps the trace to the edge.
    const QList<QPointF> points = trace(chart, 0);
    ASSERT_FALSE(points.isEmpty());
    EXPECT_EQ(points.first(), point(kNoon.addSecs(230), 230));
    EXPECT_EQ(points.last(), point(kNoon.addSecs(300), 300));
    EXPECT_EQ(points.size(), 8);
}

TEST(StripChart, LongWindowsDrawAtMostTwoPointsPerPixelColumnAndKeepThePeaks)
{
    StripChart chart;
    chart.resize(300, 200);
    chart.setXAxisSpan(1.0 / 24.0);
    chart.setXAxisStart(kNoon);
    chart.addChannel(QStringLiteral("a"), Qt::yellow, 2);
    chart.BeginUpdate();
    for (int s = 0; s < 3600; ++s)
        chart.setChannelData(0, chart.AddIndexTime(kNoon.addSecs(s)),
                             s == 1234   ? 9.0
                             : s == 2345 ? -2.0
                                         : 1.0);
    chart.EndUpdate();

    const QList<QPointF> points = trace(chart, 0);
    EXPECT_LE(points.size(), 2 * 300);
    EXPECT_GE(points.size(), 300);
    EXPECT_TRUE(points.contains(point(kNoon.addSecs(1234), 9.0)));
    EXPECT_TRUE(points.contains(point(kNoon.addSecs(2345), -2.0)));
    EXPECT_TRUE(std::is_sorted(points.begin(), points.end(),
                               [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); }));
}

TEST(StripChart, ForgetsTheOldestPointBeyondItsCapacity)
{
    StripChart chart;
    chart.addChannel(QStringLiteral("a"), Qt::yellow, 2);
    // Stamps in UTC: cheap to make, and the chart keeps instants whatever the zone.
    const QDateTime start = kNoon.toUTC();
    chart.BeginUpdate();
    for (int i = 0; i <= StripChart::kMaxPoints; ++i)
        chart.AddIndexTime(start.addSecs(i));
    chart.setChannelData(0, StripChart::kMaxPoints - 1, 1.0);
    chart.EndUpdate();
    EXPECT_EQ(chart.pointCount(), StripChart::kMaxPoints);
    EXPECT_EQ(chart.pointTime(0), kNoon.addSecs(1));
    EXPECT_EQ(chart.pointTime(StripChart::kMaxPoints - 1), kNoon.addSecs(StripChart::kMaxPoints));
    EXPECT_EQ(chart.channelData(0, StripChart::kMaxPoints - 1), 1.0);
}

TEST(StripChart, DrawsTracesInTheirColourOnBlack)
{
    const QColor yellow(0xFF, 0xFF, 0x00);
    StripChart chart;
    chart.setLegendVisible(false);
    chart.setYAxisMax(10.0);
    chart.setXAxisSpan(kOneMinute);
    chart.setXAxisStart(kNoon);
    chart.addChannel(QStringLiteral("a"), yellow, 3);
    for (int s = 0; s <= 60; s += 5)
        chart.setChannelData(0, chart.AddIndexTime(kNoon.addSecs(s)), 5.0);

    QImage image = rendered(chart, QSize(400, 300));
    const QRect plot = chart.chart()->plotArea().toRect().adjusted(2, 2, -2, -2);
    EXPECT_EQ(image.pixelColor(plot.topLeft() + QPoint(3, 3)), QColor(Qt::black));
    // A flat trace at half height runs across the plot.
    const int middle = plot.top() + plot.height() / 2;
    EXPECT_GT(countPixels(image, yellow, QRect(plot.left(), middle - 3, plot.width(), 7)), plot.width() / 2);
    EXPECT_EQ(countPixels(image, yellow, QRect(plot.left(), plot.top(), plot.width(), plot.height() / 3)), 0);

    chart.removeAllChannels();
    image = rendered(chart, QSize(400, 300));
    EXPECT_EQ(countPixels(image, yellow, plot), 0);
}

TEST(StripChart, DrawsADenseTraceThroughEveryColumnItCrosses)
{
    // An hour of readings a second apart, swinging between 0 and 10, on a one-hour axis: many
    // readings fall in each pixel column, and the trace covers each column from bottom to top.
    // A second, sparse trace rises across the plot as a slanted line.
    const QColor yellow(0xFF, 0xFF, 0x00);
    const QColor red(0xFF, 0x00, 0x00);
    StripChart chart;
    chart.setLegendVisible(false);
    chart.setYAxisMax(10.0);
    chart.setXAxisSpan(1.0 / 24.0);
    chart.setXAxisStart(kNoon);
    chart.addChannel(QStringLiteral("dense"), yellow, 2);
    chart.addChannel(QStringLiteral("sparse"), red, 0);
    chart.BeginUpdate();
    for (int s = 1; s <= 3600; ++s) {
        const int index = chart.AddIndexTime(kNoon.addSecs(s));
        chart.setChannelData(0, index, s % 2 == 0 ? 10.0 : 0.0);
        if (s % 1200 == 0)
            chart.setChannelData(1, index, double(s) / 400.0);
    }
    chart.EndUpdate();

    const QImage image = rendered(chart, QSize(500, 300));
    const QRect plot = chart.chart()->plotArea().toRect();
    int coveredColumns = 0;
    for (int x = plot.left() + 2; x <= plot.right() - 2; ++x) {
        const QRect column(x, plot.top(), 1, plot.height());
        coveredColumns += countPixels(image, yellow, column) >= plot.height() - 4;
    }
    EXPECT_GE(coveredColumns, plot.width() - 6);

    // The sparse trace runs from a third of the height at a third of the width to the top at
    // the right edge: its pixels rise from left to right, none left of the first reading.
    const int third = plot.left() + plot.width() / 3;
    EXPECT_EQ(countPixels(image, red, QRect(plot.left(), plot.top(), third - plot.left() - 2, plot.height())), 0);
    const auto highestRed = [&](int x) {
        for (int y = plot.top(); y <= plot.bottom(); ++y)
            if (image.pixelColor(x, y) == red)
                return y;
        return plot.bottom() + 1;
    };
    EXPECT_LT(highestRed(plot.right() - 3), highestRed(plot.left() + plot.width() / 2));
    EXPECT_LT(highestRed(plot.left() + plot.width() / 2), highestRed(third + 3));
}
