// linkset-monitor-bench: 24 hours of monitoring at the 5-second rate (17,280 readings, each
// the signal strength and the packet error rates of 20 stations) fed through the window's
// real display path offscreen: the receive path and reply grammar, the gauge, the LEDs, the
// bar chart and both history strip charts over a 24-hour window. The History tab is repainted
// every 60 readings. Prints one line:
//   us_per_reading  time per reading through the display path (the charts' queued updates of
//                   their traces run every 60 readings), repaints of the tab excluded
//   paint_ms        median repaint of both strip charts at the end
//   rss_mb          the highest resident set size of the process
#include "bench_window.h"
#include "monitor/monitors.h"
#include "session/mscomm.h"
#include "session/process_reply.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"
#include "widgets/strip_chart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <unitsim/simulated_unit.h>
#include <vector>
#include <wiretalk/telnet_client.h>

namespace {

constexpr int kReadings = 24 * 3600 / 5;
constexpr int kStations = 20;
constexpr int kRepaintEvery = 60;

// Deterministic readings: a random walk of the signal and rates of 0 to 9.99 %.
class Readings
{
public:
    QString next()
    {
        rssi_ = std::clamp(rssi_ + int(draw() % 7) - 3, 0, 65);
        QString text = QStringLiteral("RADIO RSSI=0;%1\r\nPER=1;START\r\n").arg(rssi_);
        for (int s = 0; s < kStations; ++s)
            text += QStringLiteral("PER=%1;300;%2;%3\r\n")
                        .arg(101 + s)
                        .arg(draw() % 30)
                        .arg(double(draw() % 1000) / 100.0, 0, 'f', 2);
        return text + QStringLiteral("PER=1;END\r\n>");
    }

private:
    quint32 draw()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    quint32 state_ = 1;
    int rssi_ = 30;
};

double medianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    bench::prepareOffscreen();
    QApplication app(argc, argv);

    unitsim::UnitOptions unitOptions;
    unitOptions.remoteUnits = kStations;
    unitsim::SimulatedUnit unit(unitOptions);
    unit.start();

    frmTevoHadraConfig w;
    bench::CountingBoxes boxes("linkset-monitor-bench");
    w.setMessageBoxes(&boxes);
    if (!bench::logIn(w, QStringLiteral("127.0.0.1"), unit.telnetPort(),
                      QString::fromStdString(unitOptions.user),
                      QString::fromStdString(unitOptions.password))) {
        std::fprintf(stderr, "linkset-monitor-bench: the unit did not log the window in\n");
        return 1;
    }
    w.resize(1024, 768);
    w.show();
    bench::showPage(w.ui->tabHistory);
    w.ui->cmbHistoryHrs->setCurrentText(QStringLiteral("24"));
    w.ui->cmbHistoryMins->setCurrentText(QStringLiteral("0"));

    // The readings come from the feed; the monitor runs, so the gauge keeps them, but never
    // polls the unit during the run.
    QDateTime now(QDate(2026, 3, 5), QTime(0, 0, 0));
    w.monitors().clock.set([&now] { return now; });
    w.ui->chkRSSIMonitor->click();
    w.tmrRSSI->setInterval(24 * 3600 * 1000);

    Readings readings;
    qint64 feedNs = 0;
    QElapsedTimer clock;
    for (int reading = 1; reading <= kReadings; ++reading) {
        now = now.addSecs(5);
        const QString text = readings.next();
        clock.start();
        session::ProcessReply(w, w.MSComm1, text);
        // The charts' queued work runs between batches of readings: they update their traces
        // then. Only queued calls run here; the painting they ask for is the repaint below.
        if (reading % kRepaintEvery == 0)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        feedNs += clock.nsecsElapsed();
        if (reading % kRepaintEvery == 0) {
            w.ui->tabHistory->repaint();
            QCoreApplication::processEvents();
        }
    }

    std::vector<double> paints;
    for (int run = 0; run < 11; ++run) {
        clock.start();
        // grab() paints the chart and its view into a picture, as a repaint of the screen does.
        w.iStripChartX1(0)->grab();
        w.iStripChartX1(1)->grab();
        paints.push_back(double(clock.nsecsElapsed()) / 1e6);
    }

    const bool complete = w.iStripChartX1(0)->pointCount() == kReadings &&
                          w.iStripChartX1(0)->channelCount() == kStations &&
                          w.iStripChartX1(1)->pointCount() == kReadings && boxes.count == 0;
    if (!complete) {
        std::fprintf(stderr,
                     "linkset-monitor-bench: the charts did not receive every reading (%d, %d points)\n",
                     w.iStripChartX1(0)->pointCount(), w.iStripChartX1(1)->pointCount());
        return 1;
    }
    std::printf(
        "linkset-monitor-bench readings=%d stations=%d us_per_reading=%.1f paint_ms=%.1f rss_mb=%.1f\n",
        kReadings, kStations, double(feedNs) / 1e3 / kReadings, medianOf(paints), bench::peakResidentMiB());
    w.TelnetClient1->Disconnect();
    return 0;
}
