// linkset-monitor-cpu-bench --rssi | --per [--seconds N]: the CPU time the window takes while
// it monitors a unit at the 5-second rate for N seconds (default 60): the signal-strength
// monitor alone, or the packet-error monitor with both statistics monitors. The unit is the
// program linkset-unitsim beside this one, in a process of its own, so the figure is the
// window's alone. The window is shown offscreen on the History sub-tab. Prints one line with
// cpu_percent= (CPU time over wall time, in percent of one core).
#include "bench_window.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"
#include "widgets/strip_chart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <wiretalk/telnet_client.h>

int main(int argc, char **argv)
{
    bool rssi = false;
    bool per = false;
    int seconds = 60;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rssi") == 0)
            rssi = true;
        else if (std::strcmp(argv[i], "--per") == 0)
            per = true;
        else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            seconds = std::atoi(argv[++i]);
        else
            rssi = per = true; // refused below
    }
    if (rssi == per || seconds <= 0) {
        std::fprintf(stderr, "usage: linkset-monitor-cpu-bench --rssi | --per [--seconds N]\n");
        return 2;
    }
    bench::prepareOffscreen();
    QApplication app(argc, argv);

    QProcess unit;
    unit.start(QCoreApplication::applicationDirPath() + QStringLiteral("/linkset-unitsim"),
               {QStringLiteral("--telnet"), QStringLiteral("127.0.0.1:0")});
    const QRegularExpression ready(QStringLiteral("^telnet 127\\.0\\.0\\.1:(\\d+)"));
    QRegularExpressionMatch match;
    if (!bench::waitFor(
            [&] {
                match = ready.match(QString::fromLatin1(unit.peek(256)));
                return match.hasMatch();
            },
            10000)) {
        std::fprintf(stderr, "linkset-monitor-cpu-bench: linkset-unitsim did not start\n");
        return 1;
    }

    frmTevoHadraConfig w;
    bench::CountingBoxes boxes("linkset-monitor-cpu-bench");
    w.setMessageBoxes(&boxes);
    if (!bench::logIn(w, QStringLiteral("127.0.0.1"), quint16(match.captured(1).toUInt()),
                      QStringLiteral("admin"), QStringLiteral("radio"))) {
        std::fprintf(stderr, "linkset-monitor-cpu-bench: the unit did not log the window in\n");
        return 1;
    }
    w.resize(1024, 768);
    w.show();
    bench::showPage(w.ui->tabHistory);
    w.ui->mnuUtilitiesMonitoringRate5sec->trigger();
    if (rssi) {
        w.ui->chkRSSIMonitor->click();
    } else {
        w.ui->chkContinuousPacketLoss->click();
        w.ui->chkMonitorIFStats->click();
        w.ui->chkMonitorIPStats->click();
    }

    const double cpuBefore = bench::processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    // The window's own event loop, as in the program (a loop of processEvents would spin).
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    const double cpu = bench::processCpuSeconds() - cpuBefore;
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;

    const int readings = w.iStripChartX1(rssi ? 1 : 0)->pointCount();
    std::printf(
        "linkset-monitor-cpu-bench monitors=%s seconds=%.0f readings=%d cpu_seconds=%.3f cpu_percent=%.2f\n",
        rssi ? "rssi" : "per+ifstats+ipstats", elapsed, readings, cpu, 100.0 * cpu / elapsed);
    w.TelnetClient1->Disconnect();
    unit.terminate();
    unit.waitForFinished(5000);
    return boxes.count == 0 && readings > 0 ? 0 : 1;
}
