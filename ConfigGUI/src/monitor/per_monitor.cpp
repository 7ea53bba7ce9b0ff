#include "monitor/per_monitor.h"

#include "config/device_requests.h"
#include "forms/parameter_operations.h"
#include "monitor/link_log.h"
#include "monitor/monitors.h"
#include "monitor/rssi_monitor.h"
#include "monitor/statistics_monitor.h"
#include "session/handler_boundary.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QTimer>

namespace monitor {

PerMonitor::PerMonitor(frmTevoHadraConfig &w, Monitors &monitors) : w_(w), monitors_(monitors)
{
    Ui::frmTevoHadraConfig &ui = *w_.ui;
    for (QCheckBox *box : {ui.chkContinuousPacketLoss, ui.chkHistoryPERMonitor})
        QObject::connect(box, &QCheckBox::toggled, &w_,
                         [this, box](bool ticked) { session::guarded(w_, [&] { onBox(box, ticked); }); });
    QObject::connect(ui.cmdRefreshPacketLoss, &QPushButton::clicked, &w_,
                     [this] { session::guarded(w_, [this] { refresh(); }); });
}

void PerMonitor::refresh()
{
    if (!monitors_.connected())
        return;
    if (monitors_.rssi().running())
        w_.ui->chkRSSIMonitor->setChecked(false);
    try {
        forms::ParameterCommand(w_, u"53", true);
        forms::SendCommand(w_, linkset::tableRequest(8));
    } catch (const std::exception &) {
        // A reading that fails is not reported: the operator simply refreshes again.
    }
}

void PerMonitor::stopFromOutside()
{
    Ui::frmTevoHadraConfig &ui = *w_.ui;
    if (ui.chkContinuousPacketLoss->isChecked())
        ui.chkContinuousPacketLoss->setChecked(false);
    else
        ui.chkHistoryPERMonitor->setChecked(false);
}

void PerMonitor::onBox(QCheckBox *clicked, bool ticked)
{
    if (ticked)
        start(clicked);
    else
        stop(clicked);
}

void PerMonitor::start(QCheckBox *clicked)
{
    if (!monitors_.connected()) {
        setBoxQuietly(clicked, false);
        return;
    }
    if (running_)
        return;
    running_ = true;
    // Both boxes show the state before the signal-strength monitor is stopped, so that the
    // polling timer's rule sees this monitor ticked.
    showBoxes(true);
    if (monitors_.rssi().running())
        w_.ui->chkRSSIMonitor->setChecked(false);
    w_.ui->cmdRefreshPacketLoss->setEnabled(false);
    w_.tmrPacketStats->start();
    monitors_.linkLog().startWhenSelected();
}

void PerMonitor::stop(QCheckBox *clicked)
{
    if (!running_) {
        showMonitorBox(clicked, false,
                       clicked == w_.ui->chkContinuousPacketLoss ? QStringLiteral("Monitor")
                                                                 : QStringLiteral("Monitor PER"),
                       false);
        return;
    }
    running_ = false;
    showBoxes(false);
    monitors_.statistics().stopTimerWhenUnused();
    if (!monitors_.rssi().running())
        monitors_.linkLog().stopWhenSelected();
    w_.ui->cmdRefreshPacketLoss->setEnabled(true);
}

void PerMonitor::showBoxes(bool on)
{
    Ui::frmTevoHadraConfig &ui = *w_.ui;
    setBoxQuietly(ui.chkContinuousPacketLoss, on);
    setBoxQuietly(ui.chkHistoryPERMonitor, on);
    showMonitorBox(ui.chkContinuousPacketLoss, on, QStringLiteral("Monitor"), true);
    showMonitorBox(ui.chkHistoryPERMonitor, on, QStringLiteral("Monitor PER"), true);
}

} // namespace monitor
