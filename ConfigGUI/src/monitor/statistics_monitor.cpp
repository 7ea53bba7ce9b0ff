#include "monitor/statistics_monitor.h"

#include "config/device_requests.h"
#include "forms/parameter_operations.h"
#include "monitor/monitors.h"
#include "monitor/rssi_monitor.h"
#include "session/handler_boundary.h"
#include "session/mod_config_script.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QButtonGroup>
#include <QTimer>

namespace monitor {

namespace {

const QString kMonitorCaption = QStringLiteral("Monitor");

} // namespace

StatisticsMonitor::StatisticsMonitor(frmTevoHadraConfig &w, Monitors &monitors) : w_(w), monitors_(monitors)
{
    Ui::frmTevoHadraConfig &ui = *w_.ui;
    const auto onClicked = [this](QAbstractButton *button, void (StatisticsMonitor::*command)()) {
        QObject::connect(button, &QAbstractButton::clicked, &w_,
                         [this, command] { session::guarded(w_, [&] { (this->*command)(); }); });
    };
    onClicked(ui.cmdRefreshIPStats, &StatisticsMonitor::refreshIPStats);
    onClicked(ui.cmdRefreshIFStats, &StatisticsMonitor::refreshIFStats);
    onClicked(ui.cmdResetIFStats, &StatisticsMonitor::resetIFStats);
    onClicked(ui.cmdResetIPStats, &StatisticsMonitor::resetIPStats);
    QObject::connect(ui.mnuDeviceInterfaceRefresh, &QAction::triggered, &w_,
                     [this] { session::guarded(w_, [this] { refreshIFStats(); }); });
    QObject::connect(ui.mnuDeviceInterfaceReset, &QAction::triggered, &w_,
                     [this] { session::guarded(w_, [this] { resetIFStats(); }); });
    for (QCheckBox *box : {ui.chkMonitorIPStats, ui.chkMonitorIFStats})
        QObject::connect(box, &QCheckBox::toggled, &w_, [this, box](bool ticked) {
            session::guarded(w_, [&] { onMonitorBox(box, ticked); });
        });
    QObject::connect(w_.optionGroup(QStringLiteral("OptStatistics")), &QButtonGroup::idClicked, &w_,
                     [this](int view) { showView(view); });
    QObject::connect(w_.tmrPacketStats, &QTimer::timeout, &w_,
                     [this] { session::guarded(w_, [this] { poll(); }); });
    showView(0);
}

void StatisticsMonitor::stopRssi()
{
    if (monitors_.rssi().running())
        w_.ui->chkRSSIMonitor->setChecked(false);
}

void StatisticsMonitor::refreshIPStats()
{
    if (!monitors_.connected())
        return;
    stopRssi();
    w_.ui->lviewIPStats->clear();
    modConfigScript::RunReportingCommFailure(w_,
                                             [this] { forms::SendCommand(w_, linkset::tableRequest(7)); });
}

void StatisticsMonitor::refreshIFStats()
{
    if (!monitors_.connected())
        return;
    stopRssi();
    w_.ui->lviewIFStats->clear();
    modConfigScript::RunReportingCommFailure(w_,
                                             [this] { forms::SendCommand(w_, linkset::tableRequest(4)); });
}

void StatisticsMonitor::resetIFStats()
{
    if (!monitors_.connected())
        return;
    stopRssi();
    w_.ui->lviewIFStats->clear();
    modConfigScript::RunReportingCommFailure(w_, [this] {
        forms::ParameterCommand(w_, u"63", true);
        forms::SendCommand(w_, linkset::tableRequest(4));
    });
}

void StatisticsMonitor::resetIPStats()
{
    w_.ui->lviewIPStats->clear();
}

void StatisticsMonitor::showView(int view)
{
    Ui::frmTevoHadraConfig &ui = *w_.ui;
    const bool interfaces = view == 0;
    for (QWidget *control :
         {static_cast<QWidget *>(ui.lviewIFStats), static_cast<QWidget *>(ui.cmdRefreshIFStats),
          static_cast<QWidget *>(ui.cmdResetIFStats), static_cast<QWidget *>(ui.chkMonitorIFStats)})
        control->setVisible(interfaces);
    for (QWidget *control :
         {static_cast<QWidget *>(ui.lviewIPStats), static_cast<QWidget *>(ui.cmdRefreshIPStats),
          static_cast<QWidget *>(ui.cmdResetIPStats), static_cast<QWidget *>(ui.chkMonitorIPStats)})
        control->setVisible(!interfaces);
}

void StatisticsMonitor::enableInterfaceCommands(bool enabled)
{
    Ui::frmTevoHadraConfig &ui = *w_.ui;
    ui.cmdRefreshIFStats->setEnabled(enabled);
    ui.cmdResetIFStats->setEnabled(enabled);
    ui.mnuDeviceInterfaceRefresh->setEnabled(enabled);
    ui.mnuDeviceInterfaceReset->setEnabled(enabled);
}

void StatisticsMonitor::onMonitorBox(QCheckBox *box, bool ticked)
{
    const bool interfaces = box == w_.ui->chkMonitorIFStats;
    if (ticked && !monitors_.connected()) {
        setBoxQuietly(box, false);
        return;
    }
    showMonitorBox(box, ticked, kMonitorCaption, false);
    if (interfaces)
        enableInterfaceCommands(!ticked);
    if (!ticked) {
        stopTimerWhenUnused();
        return;
    }
    stopRssi();
    w_.tmrPacketStats->start();
}

void StatisticsMonitor::stopTimerWhenUnused()
{
    const Ui::frmTevoHadraConfig &ui = *w_.ui;
    if (!ui.chkMonitorIPStats->isChecked() && !ui.chkMonitorIFStats->isChecked() &&
        !ui.chkContinuousPacketLoss->isChecked())
        w_.tmrPacketStats->stop();
}

void StatisticsMonitor::poll()
{
    if (!monitors_.mayPoll())
        return;
    Ui::frmTevoHadraConfig &ui = *w_.ui;
    if (ui.chkContinuousPacketLoss->isChecked())
        monitors_.poll(linkset::tableRequest(8));
    if (ui.chkMonitorIFStats->isChecked()) {
        ui.lviewIFStats->clear();
        monitors_.poll(linkset::tableRequest(4));
    }
    if (ui.chkMonitorIPStats->isChecked()) {
        monitors_.poll(linkset::tableRequest(7));
        QTreeWidget *list = ui.lviewIPStats;
        if (list->isVisible() && list->topLevelItemCount() > 0)
            list->scrollToItem(list->topLevelItem(list->topLevelItemCount() - 1));
    }
}

} // namespace monitor
