// The monitors end to end: the real check boxes and buttons, the timers shortened, the
// simulated unit answering over telnet and over the serial pseudo-terminal.
#include "monitor_fixture.h"

#include "forms/parameter_operations.h"
#include "widgets/angular_gauge.h"
#include "widgets/bar_chart.h"
#include "widgets/led_matrix.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

class Monitors : public MonitorFixture
{
};

class MonitorsOverTransport : public MonitorFixture, public ::testing::WithParamInterface<Transport>
{
};

INSTANTIATE_TEST_SUITE_P(Transports, MonitorsOverTransport,
                         ::testing::Values(Transport::Telnet, Transport::Serial), [](const auto &info) {
                             return info.param == Transport::Telnet ? "Telnet" : "Serial";
                         });

TEST_F(Monitors, WithoutAConnectionNothingStartsAndNothingIsCleared)
{
    startUnit();
    struct Case
    {
        QCheckBox *box;
        QTimer *timer;
    };
    for (const Case &c :
         {Case{ui().chkRSSIMonitor, w->tmrRSSI}, Case{ui().chkHistoryRSSIMonitor, w->tmrRSSI},
          Case{ui().chkContinuousPacketLoss, w->tmrPacketStats},
          Case{ui().chkHistoryPERMonitor, w->tmrPacketStats}, Case{ui().chkMonitorIFStats, w->tmrPacketStats},
          Case{ui().chkMonitorIPStats, w->tmrPacketStats}}) {
        c.box->click();
        EXPECT_FALSE(c.box->isChecked()) << c.box->objectName().toStdString();
        EXPECT_NE(c.box->text(), "STOP") << c.box->objectName().toStdString();
        EXPECT_FALSE(c.timer->isActive()) << c.box->objectName().toStdString();
    }
    // The refresh and reset commands leave the tables alone without a unit to read.
    addListItem(ui().lviewIFStats, {"Radio"});
    addListItem(ui().lviewIPStats, {"Mar 05"});
    ui().mnuDeviceInterfaceRefresh->trigger();
    ui().mnuDeviceInterfaceReset->trigger();
    ui().cmdRefreshIFStats->click();
    ui().cmdRefreshIPStats->click();
    EXPECT_EQ(ui().lviewIFStats->topLevelItemCount(), 1);
    EXPECT_EQ(ui().lviewIPStats->topLevelItemCount(), 1);
}

TEST_P(MonitorsOverTransport, SignalStrengthAndPacketErrorsTakeTurns)
{
    startUnit();
    ASSERT_TRUE(connectAndLogIn(GetParam()));
    pollQuickly();

    ui().chkHistoryRSSIMonitor->click();
    EXPECT_TRUE(ui().chkRSSIMonitor->isChecked());
    EXPECT_EQ(ui().chkRSSIMonitor->text(), "STOP");
    EXPECT_EQ(ui().chkHistoryRSSIMonitor->text(), "STOP");
    EXPECT_FALSE(ui().cmbRSSIThreshold->isEnabled());
    ASSERT_TRUE(waitForCondition([this] { return rssiChart().pointCount() >= 3; }));
    // Every reading is a point of the history and moves the gauge.
    EXPECT_EQ(rssiChart().channelData(0, rssiChart().pointCount() - 1), ui().iAngularGaugeX1->position());
    EXPECT_GE(count("Radio RSSI"), 3);

    ui().chkContinuousPacketLoss->click();
    EXPECT_FALSE(ui().chkRSSIMonitor->isChecked());
    EXPECT_FALSE(ui().chkHistoryRSSIMonitor->isChecked());
    EXPECT_EQ(ui().chkHistoryRSSIMonitor->text(), "Monitor RSSI");
    EXPECT_FALSE(w->tmrRSSI->isActive());
    EXPECT_EQ(ui().iAngularGaugeX1->position(), 0.0);
    EXPECT_TRUE(ui().cmbRSSIThreshold->isEnabled());
    EXPECT_TRUE(ui().chkHistoryPERMonitor->isChecked());
    EXPECT_FALSE(ui().cmdRefreshPacketLoss->isEnabled());
    ASSERT_TRUE(waitForCondition([this] { return count("Table 8") >= 2 && perChart().pointCount() >= 2; }));

    ui().chkMonitorIPStats->click();
    ui().chkMonitorIFStats->click();
    ASSERT_TRUE(waitForCondition([this] { return ui().lviewIPStats->topLevelItemCount() >= 2; }));
    EXPECT_TRUE(ui().chkContinuousPacketLoss->isChecked());

    ui().chkRSSIMonitor->click();
    EXPECT_TRUE(ui().chkHistoryRSSIMonitor->isChecked());
    for (QCheckBox *box : {ui().chkContinuousPacketLoss, ui().chkHistoryPERMonitor, ui().chkMonitorIFStats,
                           ui().chkMonitorIPStats})
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_FALSE(w->tmrPacketStats->isActive());
    EXPECT_TRUE(ui().cmdRefreshPacketLoss->isEnabled());
    EXPECT_TRUE(ui().cmdRefreshIFStats->isEnabled());
    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join(" | ").toStdString();
}

TEST_P(MonitorsOverTransport, AUnitThatStopsAnsweringHoldsNothing)
{
    // The first command after the login is the first poll; it gets no answer.
    unitsim::UnitOptions options;
    options.faults.dropReplyOfCommand = 1;
    startUnit(options);
    ASSERT_TRUE(connectAndLogIn(GetParam()));
    ASSERT_EQ(commandCount(), 0);
    pollQuickly();

    ui().chkRSSIMonitor->click();
    // The unanswered poll is dropped after its time-out and the monitor polls on.
    ASSERT_TRUE(waitForCondition([this] { return rssiChart().pointCount() >= 2; }, 10000));
    const int polls = count("Radio RSSI");
    EXPECT_GE(polls, 3);

    // A retrieval started while the monitor runs goes first and completes.
    ui().mnuDeviceRetrieveConfig->trigger();
    ASSERT_TRUE(transferIdle());
    EXPECT_TRUE(transfer().retrievedRecord.has_value());
    EXPECT_TRUE(ui().chkRSSIMonitor->isChecked());

    ui().chkRSSIMonitor->click();
    EXPECT_FALSE(ui().chkHistoryRSSIMonitor->isChecked());
    EXPECT_FALSE(w->tmrRSSI->isActive());
    EXPECT_FALSE(w->exchangeInProgress);
    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join(" | ").toStdString();
}

TEST_F(Monitors, TheBeeperFollowsTheSignal)
{
    startUnit();
    ASSERT_TRUE(connectAndLogIn(Transport::Telnet));
    // No poll comes during the case: the gauge is set as the reply grammar sets it.
    ui().mnuUtilitiesMonitoringRate60sec->trigger();
    linkset::AngularGauge &gauge = *ui().iAngularGaugeX1;
    ui().chkRSSIMonitor->click();
    ui().chkRSSISound->click();
    EXPECT_TRUE(w->tmrBeeper->isActive());
    EXPECT_EQ(w->tmrBeeper->interval(), 2000);

    struct Case
    {
        double position;
        int onChange;  // the position moves while the sound is on: at least 90 ms
        int onTicking; // the sound box is ticked at the position: no floor; 0 = stopped
    };
    for (const Case &c : {Case{0, 2000, 2000}, Case{32, 1015, 1015}, Case{64, 90, 31}, Case{65, 90, 0}}) {
        gauge.setPosition(c.position == 0 ? 1 : 0);
        gauge.setPosition(c.position);
        EXPECT_EQ(w->tmrBeeper->interval(), c.onChange) << c.position;
        EXPECT_TRUE(w->tmrBeeper->isActive()) << c.position;

        ui().chkRSSISound->click();
        EXPECT_FALSE(w->tmrBeeper->isActive());
        ui().chkRSSISound->click();
        EXPECT_EQ(w->tmrBeeper->interval(), c.onTicking) << c.position;
        EXPECT_EQ(w->tmrBeeper->isActive(), c.onTicking > 0) << c.position;
    }

    EXPECT_EQ(gauge.maxHoldPosition(), 65.0);
    gauge.setPosition(50);
    ui().cmdResetMax->click();
    gauge.setPosition(10);
    EXPECT_EQ(gauge.maxHoldPosition(), 50.0);
    ui().cmdResetMax->click();
    EXPECT_EQ(gauge.maxHoldPosition(), 10.0);

    ui().chkRSSIMonitor->click();
    EXPECT_FALSE(w->tmrBeeper->isActive());
    EXPECT_EQ(gauge.position(), 0.0);
    // Not monitoring: a reading does not stay on the gauge.
    gauge.setPosition(40);
    EXPECT_EQ(gauge.position(), 0.0);
}

TEST_F(Monitors, TheThresholdIsChangedOnlyAfterYes)
{
    connectAndRetrieve();
    QComboBox &combo = *ui().cmbRSSIThreshold;
    const QString unitValue = QString::fromStdString(*unit->parameter("58"));
    ASSERT_EQ(w->mvntRSSIThreshold, unitValue);
    ASSERT_EQ(combo.currentText(), unitValue);
    const auto choose = [&](Qt::Key key) { QTest::keyClick(&combo, key); };

    boxes.answerNext(platform::MsgAnswer::No);
    choose(Qt::Key_Down);
    ASSERT_EQ(boxes.texts(),
              QStringList{"Are you sure you wish to change the factory RSSI threshold setting?"});
    EXPECT_EQ(combo.currentText(), unitValue);

    boxes.clear();
    boxes.answerNext(platform::MsgAnswer::Yes);
    choose(Qt::Key_Down);
    const QString accepted = combo.currentText();
    EXPECT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(w->mvntRSSIThreshold, accepted);

    // Typed text that is no threshold is refused when the combo is left.
    boxes.clear();
    combo.lineEdit()->selectAll();
    QTest::keyClicks(combo.lineEdit(), QStringLiteral("abc"));
    QTest::keyClick(combo.lineEdit(), Qt::Key_Return);
    EXPECT_EQ(combo.currentText(), accepted);
    EXPECT_EQ(boxes.titles(), QStringList{"Warning"});

    // Nothing is asked while a configuration is being read; the unit's value then shows as
    // read, also one that is not in the list.
    boxes.clear();
    forms::ParameterCommand(*w, u"58", true, QStringLiteral("50"));
    ui().mnuDeviceRetrieveConfig->trigger();
    ASSERT_TRUE(w->tmrSlowImport->isActive());
    choose(Qt::Key_Up);
    EXPECT_TRUE(boxes.shown().isEmpty());
    ASSERT_TRUE(transferIdle());
    EXPECT_EQ(combo.currentText(), "50");
    EXPECT_EQ(w->mvntRSSIThreshold, "50");
}

TEST_F(Monitors, RefreshReadsThePacketErrorsOfEveryStation)
{
    startUnit();
    ASSERT_TRUE(connectAndLogIn(Transport::Telnet));
    ui().cmdRefreshPacketLoss->click();
    EXPECT_EQ(commandLines(), (QStringList{"set 53 = 1", "Table 8"}));
    ASSERT_EQ(perChart().channelCount(), 3);
    EXPECT_EQ(ui().iLedMatrixX1->columnCount(), 3);
    EXPECT_EQ(ui().MSChartPacketLoss->chartData().size(), 3);
    for (int station = 0; station < 3; ++station)
        EXPECT_TRUE(perChart().channelData(station, perChart().pointCount() - 1).has_value()) << station;
}

class PerMonitorStations : public MonitorFixture, public ::testing::WithParamInterface<int>
{
};

INSTANTIATE_TEST_SUITE_P(Stations, PerMonitorStations, ::testing::Values(1, 5, 20));

TEST_P(PerMonitorStations, EveryStationHasItsLedsBarAndTrace)
{
    const int stations = GetParam();
    unitsim::UnitOptions options;
    options.remoteUnits = std::size_t(stations);
    startUnit(options);
    ASSERT_TRUE(connectAndLogIn(Transport::Telnet));
    pollQuickly();
    ui().chkHistoryPERMonitor->click();
    EXPECT_TRUE(ui().chkContinuousPacketLoss->isChecked());
    EXPECT_FALSE(ui().cmdRefreshPacketLoss->isEnabled());
    ASSERT_TRUE(waitForCondition([this] { return perChart().pointCount() >= 3; }));
    ui().chkContinuousPacketLoss->click();
    EXPECT_FALSE(w->tmrPacketStats->isActive());

    ASSERT_EQ(perChart().channelCount(), stations);
    EXPECT_EQ(ui().iLedMatrixX1->columnCount(), stations);
    ASSERT_EQ(ui().MSChartPacketLoss->chartData().size(), stations);
    const int last = perChart().pointCount() - 1;
    for (int s = 0; s < stations; ++s) {
        EXPECT_EQ(perChart().channelName(s), QString::number(101 + s));
        const std::optional<double> rate = perChart().channelData(s, last);
        ASSERT_TRUE(rate.has_value()) << s;
        EXPECT_EQ(ui().MSChartPacketLoss->chartData()[s].value, *rate) << s;
    }
}

TEST_F(Monitors, StatisticsTablesRefreshResetAndGrow)
{
    startUnit();
    ASSERT_TRUE(connectAndLogIn(Transport::Telnet));
    ui().cmdRefreshIFStats->click();
    EXPECT_EQ(ui().lviewIFStats->topLevelItemCount(), 3);
    ui().cmdResetIFStats->click();
    EXPECT_EQ(ui().lviewIFStats->topLevelItemCount(), 3);
    ui().cmdRefreshIPStats->click();
    EXPECT_EQ(ui().lviewIPStats->topLevelItemCount(), 1);
    ui().cmdResetIPStats->click();
    EXPECT_EQ(ui().lviewIPStats->topLevelItemCount(), 0);
    EXPECT_EQ(commandLines(), (QStringList{"Table 4", "Set 63= 1", "Table 4", "Table 7"}));

    // The IP table gains one row per poll; the interface monitor keeps the refresh commands off.
    pollQuickly();
    ui().chkMonitorIPStats->click();
    EXPECT_EQ(ui().chkMonitorIPStats->text(), "STOP");
    ui().chkMonitorIFStats->click();
    EXPECT_FALSE(ui().cmdRefreshIFStats->isEnabled());
    EXPECT_FALSE(ui().mnuDeviceInterfaceReset->isEnabled());
    ASSERT_TRUE(waitForCondition([this] { return ui().lviewIPStats->topLevelItemCount() >= 3; }));
    ui().chkMonitorIFStats->click();
    EXPECT_TRUE(ui().mnuDeviceInterfaceRefresh->isEnabled());
    EXPECT_TRUE(w->tmrPacketStats->isActive());

    // Stopping the packet-error monitor while the IP monitor runs keeps the polls going.
    ui().chkContinuousPacketLoss->click();
    ui().chkContinuousPacketLoss->click();
    EXPECT_TRUE(w->tmrPacketStats->isActive());
    ui().chkMonitorIPStats->click();
    EXPECT_FALSE(w->tmrPacketStats->isActive());
    EXPECT_EQ(ui().chkMonitorIPStats->text(), "Monitor");
    EXPECT_EQ(ui().lviewIPStats->topLevelItemCount(), count("Table 7") - 1);

    // The view switch: "Radio Statistics" shows the IP table too.
    for (const auto &[view, ipShown] : {std::pair{1, true}, std::pair{0, false}, std::pair{2, true}}) {
        w->option(QStringLiteral("OptStatistics"), view)->click();
        EXPECT_EQ(ui().lviewIPStats->isHidden(), !ipShown) << view;
        EXPECT_EQ(ui().chkMonitorIPStats->isHidden(), !ipShown) << view;
        EXPECT_EQ(ui().lviewIFStats->isHidden(), ipShown) << view;
        EXPECT_EQ(ui().cmdResetIFStats->isHidden(), ipShown) << view;
    }
}

TEST_F(Monitors, IpTableRowsAreStampedByTheMonitorClock)
{
    startUnit();
    ASSERT_TRUE(connectAndLogIn(Transport::Telnet));
    // Each reading of the clock is five seconds after the one before.
    QDateTime now(QDate(2026, 3, 5), QTime(21, 7, 9));
    w->monitors().clock.set([&now] { return now = now.addSecs(5); });

    ui().cmdRefreshIPStats->click();
    ASSERT_EQ(ui().lviewIPStats->topLevelItemCount(), 1);
    pollQuickly();
    ui().chkMonitorIPStats->click();
    ASSERT_TRUE(waitForCondition([this] { return ui().lviewIPStats->topLevelItemCount() >= 3; }));
    ui().chkMonitorIPStats->click();
    const QStringList expected{"Mar 05 2026 09:07:14 PM", "Mar 05 2026 09:07:19 PM",
                               "Mar 05 2026 09:07:24 PM"};
    for (int row = 0; row < int(expected.size()); ++row)
        EXPECT_EQ(ui().lviewIPStats->topLevelItem(row)->text(0), expected[row]) << row;
}

TEST_F(Monitors, TheSignalTraceRunsOnWhenTheClockIsSetBack)
{
    startUnit();
    ASSERT_TRUE(connectAndLogIn(Transport::Telnet));
    QDateTime now(QDate(2026, 3, 5), QTime(12, 0, 0));
    w->monitors().clock.set([&now] { return now = now.addSecs(5); });
    pollQuickly();
    ui().chkRSSIMonitor->click();
    ASSERT_TRUE(waitForCondition([this] { return rssiChart().pointCount() >= 3; }));
    now = now.addSecs(-3600);
    const int before = rssiChart().pointCount();
    ASSERT_TRUE(waitForCondition([&] { return rssiChart().pointCount() >= before + 2; }));
    ui().chkRSSIMonitor->click();

    // The trace ends at the newest reading, and the readings before the step lead up to it.
    const int last = rssiChart().pointCount() - 1;
    const QList<QPointF> trace = rssiChart().tracePoints(0);
    ASSERT_TRUE(rssiChart().channelData(0, last).has_value());
    EXPECT_EQ(trace.last(), QPointF(double(rssiChart().pointTime(last).toMSecsSinceEpoch()),
                                    *rssiChart().channelData(0, last)));
    EXPECT_GE(trace.size(), before + 2);
}

} // namespace
