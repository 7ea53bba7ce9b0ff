#include "monitor/rssi_monitor.h"

#include "config/device_requests.h"
#include "monitor/link_log.h"
#include "monitor/monitors.h"
#include "monitor/per_monitor.h"
#include "session/handler_boundary.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"
#include "widgets/angular_gauge.h"

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace monitor {

namespace {

constexpr int kBeeperFloorMs = 90;

} // namespace

int beeperInterval(double position, double positionMax)
{
    // nearbyint rounds halves to the even neighbour (the default rounding mode).
    return int(std::nearbyint(2000.0 - 2000.0 * position / positionMax));
}

int beeperIntervalOnChange(double position, double positionMax)
{
    return std::max(beeperInterval(position, positionMax), kBeeperFloorMs);
}

RssiMonitor::RssiMonitor(frmTevoHadraConfig &w, Monitors &monitors) : w_(w), monitors_(monitors)
{
    Ui::frmTevoHadraConfig &ui = *w_.ui;
    for (QCheckBox *box : {ui.chkRSSIMonitor, ui.chkHistoryRSSIMonitor})
        QObject::connect(box, &QCheckBox::toggled, &w_,
                         [this, box](bool ticked) { session::guarded(w_, [&] { onBox(box, ticked); }); });
    QObject::connect(w_.tmrRSSI, &QTimer::timeout, &w_,
                     [this] { session::guarded(w_, [this] { onTick(); }); });
    QObject::connect(ui.iAngularGaugeX1, &linkset::AngularGauge::positionChanged, &w_,
                     [this](double position) { session::guarded(w_, [&] { onPositionChanged(position); }); });
    QObject::connect(ui.chkRSSISound, &QCheckBox::toggled, &w_,
                     [this](bool ticked) { session::guarded(w_, [&] { onSoundBox(ticked); }); });
    QObject::connect(w_.tmrBeeper, &QTimer::timeout, &w_, [] { QApplication::beep(); });
    QObject::connect(ui.cmdResetMax, &QPushButton::clicked, &w_,
                     [this] { w_.ui->iAngularGaugeX1->resetMax(); });
}

void RssiMonitor::onBox(QCheckBox *clicked, bool ticked)
{
    if (ticked)
        start(clicked);
    else
        stop(clicked);
}

void RssiMonitor::start(QCheckBox *clicked)
{
    if (!monitors_.connected()) {
        setBoxQuietly(clicked, false);
        return;
    }
    if (running_)
        return;
    monitors_.stopAllOthers();
    running_ = true;
    w_.tmrRSSI->start();
    w_.ui->cmbRSSIThreshold->setEnabled(false);
    if (w_.ui->chkRSSISound->isChecked())
        runBeeper(beeperInterval(w_.ui->iAngularGaugeX1->position(), w_.ui->iAngularGaugeX1->positionMax()));
    monitors_.linkLog().startWhenSelected();
    showBoxes(true);
}

void RssiMonitor::stop(QCheckBox *clicked)
{
    if (!running_) {
        showMonitorBox(clicked, false,
                       clicked == w_.ui->chkRSSIMonitor ? QStringLiteral("Monitor")
                                                        : QStringLiteral("Monitor RSSI"),
                       false);
        return;
    }
    running_ = false;
    w_.tmrRSSI->stop();
    w_.ui->iAngularGaugeX1->setPosition(0);
    w_.ui->cmbRSSIThreshold->setEnabled(true);
    if (!monitors_.per().running())
        monitors_.linkLog().stopWhenSelected();
    w_.tmrBeeper->stop();
    showBoxes(false);
}

void RssiMonitor::showBoxes(bool on)
{
    Ui::frmTevoHadraConfig &ui = *w_.ui;
    setBoxQuietly(ui.chkRSSIMonitor, on);
    setBoxQuietly(ui.chkHistoryRSSIMonitor, on);
    showMonitorBox(ui.chkRSSIMonitor, on, QStringLiteral("Monitor"), true);
    showMonitorBox(ui.chkHistoryRSSIMonitor, on, QStringLiteral("Monitor RSSI"), true);
}

void RssiMonitor::onTick()
{
    if (!running_) {
        w_.tmrRSSI->stop();
        return;
    }
    if (monitors_.mayPoll())
        monitors_.poll(linkset::radioRssiRequest());
}

void RssiMonitor::onPositionChanged(double position)
{
    if (!running_) {
        if (position != 0)
            w_.ui->iAngularGaugeX1->setPosition(0);
        return;
    }
    if (w_.ui->chkRSSISound->isChecked())
        runBeeper(beeperIntervalOnChange(position, w_.ui->iAngularGaugeX1->positionMax()));
}

void RssiMonitor::onSoundBox(bool ticked)
{
    if (!ticked) {
        w_.tmrBeeper->stop();
        return;
    }
    if (running_)
        runBeeper(beeperInterval(w_.ui->iAngularGaugeX1->position(), w_.ui->iAngularGaugeX1->positionMax()));
}

void RssiMonitor::runBeeper(int interval)
{
    w_.tmrBeeper->stop();
    w_.tmrBeeper->setInterval(interval);
    if (interval > 0)
        w_.tmrBeeper->start();
}

} // namespace monitor
