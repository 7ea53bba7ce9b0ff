// The packet-error displays built per station, lit per rate and reset; the gauge's
// maximum-hold pointer; the history charts' time window.
#include "monitor/history_charts.h"
#include "monitor/packet_error_displays.h"
#include "widgets/bar_chart.h"
#include "widgets/led_matrix.h"
#include "widgets/strip_chart.h"
#include "window_fixture.h"

#include <QChart>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>

using namespace monitor;

TEST(DiagnosticsFormulas, LedsAndCaptions)
{
    EXPECT_EQ(litLedCount(0), 0);
    EXPECT_EQ(litLedCount(0.4), 0);
    EXPECT_EQ(litLedCount(3.6), 4);
    EXPECT_EQ(litLedCount(12.5), 10);
    EXPECT_EQ(litLedCount(-3), 0);
    EXPECT_EQ(stationCaption(QStringLiteral(" 101")), QStringLiteral("1 0 1 "));
}

class DiagnosticsDisplays : public WindowFixture
{
protected:
    void addStations(int count)
    {
        for (int i = 0; i < count; ++i)
            w->StationChartTable.add(StationTable::labelOf(QString::number(101 + i)), 0);
        w->SetupDiagnostics();
    }
    // A PER block's time point, as the block's start line opens it.
    void openPoint() { w->iStripChartX1(0)->AddIndexTimeNow(); }
    linkset::LedMatrix &leds() { return *ui().iLedMatrixX1; }
    linkset::StripChart &perChart() { return *w->iStripChartX1(0); }
};

TEST_F(DiagnosticsDisplays, OneFiveAndTwentyFiveStations)
{
    const struct
    {
        int stations;
        int columns;
        int width;
    } cases[] = {{1, 1, 572}, {5, 5, 108}, {25, 20, 21}};
    for (const auto &c : cases) {
        SetUp(); // a fresh window per case
        addStations(c.stations);
        EXPECT_EQ(leds().columnCount(), c.columns);
        EXPECT_EQ(leds().indicatorWidth(), c.width);
        EXPECT_EQ(leds().indicatorActiveColor(c.columns - 1, 0), QColor(Qt::red));
        EXPECT_EQ(leds().indicatorActiveColor(0, 4), QColor(Qt::yellow));
        EXPECT_EQ(leds().indicatorActiveColor(0, 9), QColor(0, 255, 0));
        ASSERT_EQ(w->lblStationsElements.size(), c.columns);
        ASSERT_EQ(perChart().channelCount(), c.columns);
        EXPECT_EQ(ui().MSChartPacketLoss->chartData().size(), c.stations);
        for (int i = 0; i < c.columns; ++i) {
            const QLabel *label = w->lblStations(i);
            EXPECT_EQ(label->text(), stationCaption(QString::number(101 + i)));
            EXPECT_EQ(label->geometry().center().x(), leds().indicatorRect(i, 0).center().x()) << i;
            EXPECT_EQ(perChart().channelName(i), QString::number(101 + i));
        }
    }
    // Twenty traces: the colours repeat after ten, the first nine are bold.
    const QList<QAbstractSeries *> traces = perChart().chart()->series();
    ASSERT_EQ(traces.size(), 20);
    const auto *first = static_cast<QLineSeries *>(traces[0]);
    EXPECT_EQ(first->color(), QColor(0xFFFF00));
    EXPECT_EQ(static_cast<QLineSeries *>(traces[10])->color(), QColor(0xFFFF00));
    EXPECT_EQ(static_cast<QLineSeries *>(traces[8])->pen().width(), 2);
    EXPECT_EQ(static_cast<QLineSeries *>(traces[9])->pen().width(), 0);
}

TEST_F(DiagnosticsDisplays, UpdateLightsTheRightLedsAndAddsThePoint)
{
    addStations(2);
    w->UpdatePERDisplays(1, 2.0); // no time point yet: nothing is shown
    EXPECT_FALSE(leds().indicatorActive(1, 9));

    openPoint();
    w->UpdatePERDisplays(1, 12.5);
    for (int row = 0; row < 10; ++row)
        EXPECT_TRUE(leds().indicatorActive(1, row)) << row;
    EXPECT_EQ(perChart().channelData(1, 0), 12.5);
    EXPECT_FALSE(leds().indicatorActive(0, 9));

    openPoint();
    w->UpdatePERDisplays(1, 0);
    for (int row = 0; row < 10; ++row)
        EXPECT_FALSE(leds().indicatorActive(1, row)) << row;
    w->UpdatePERDisplays(1, 3);
    EXPECT_TRUE(leds().indicatorActive(1, 7));
    EXPECT_FALSE(leds().indicatorActive(1, 6));
    EXPECT_EQ(perChart().channelData(1, 1), 3.0);
    w->UpdatePERDisplays(2, 3); // no such station
    w->UpdatePERDisplays(-1, 3);
    EXPECT_EQ(perChart().pointCount(), 2);
}

TEST_F(DiagnosticsDisplays, ResetReturnsToTheEmptyState)
{
    addStations(3);
    resetPacketLossDisplays(*w);
    EXPECT_EQ(leds().columnCount(), kDesignedLedColumns);
    EXPECT_EQ(leds().indicatorWidth(), kDesignedIndicatorWidth);
    EXPECT_EQ(perChart().channelCount(), 0);
    EXPECT_EQ(w->lblStationsElements.size(), 1);
    EXPECT_EQ(w->lblStations(0)->text(), QStringLiteral("1 2 3 4 5"));
    EXPECT_EQ(ui().MSChartPacketLoss->chartData().size(), 3); // the stations stay for the run
    addStations(0);
    EXPECT_EQ(leds().columnCount(), 3); // and come back with the next set-up
}

TEST_F(DiagnosticsDisplays, TimeWindow)
{
    ui().cmbHistoryHrs->setCurrentText(QStringLiteral("2"));
    ui().cmbHistoryMins->setCurrentText(QStringLiteral("30"));
    for (int i = 0; i < 2; ++i)
        EXPECT_NEAR(w->iStripChartX1(i)->xAxisSpan() * 1440, 150.0, 1e-9) << i;
    ui().cmbHistoryHrs->setCurrentIndex(0);
    ui().cmbHistoryMins->setCurrentIndex(0); // no time at all: the charts keep their window
    EXPECT_NEAR(w->iStripChartX1(0)->xAxisSpan() * 1440, 30.0, 1e-9);
}
