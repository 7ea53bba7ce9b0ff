#pragma once
// A window connected to the simulated unit whose monitors poll every few milliseconds.
#include "forms/transfer_fixture.h"
#include "monitor/monitors.h"
#include "ui_frmTevoHadraConfig.h"
#include "widgets/strip_chart.h"

#include <QTimer>

class MonitorFixture : public TransferFixture
{
protected:
    // Shortens the polling timers and the poll time-out.
    void pollQuickly()
    {
        w->tmrRSSI->setInterval(20);
        w->tmrPacketStats->setInterval(20);
        w->monitors().pollSeconds = 1;
    }
    int count(const QString &command) const { return int(commandLines().count(command)); }
    linkset::StripChart &perChart() const { return *w->iStripChartX1(0); }
    linkset::StripChart &rssiChart() const { return *w->iStripChartX1(1); }
    Ui::frmTevoHadraConfig &ui() const { return *w->ui; }
};
