#include "monitor/monitors.h"

#include "config/device_command.h"
#include "forms/configuration_transfer.h"
#include "forms/parameter_operations.h"
#include "monitor/link_log.h"
#include "monitor/per_monitor.h"
#include "monitor/rssi_monitor.h"
#include "monitor/rssi_threshold.h"
#include "monitor/statistics_monitor.h"
#include "session/comm_error.h"
#include "session/mod_config_script.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"
#include "widgets/strip_chart.h"

#include <QCheckBox>
#include <QSignalBlocker>
#include <QTimer>

namespace monitor {

Monitors::Monitors(frmTevoHadraConfig &w) : QObject(&w), w_(w)
{
    statistics_ = std::make_unique<StatisticsMonitor>(w, *this);
    rssi_ = std::make_unique<RssiMonitor>(w, *this);
    threshold_ = std::make_unique<RssiThreshold>(w);
    per_ = std::make_unique<PerMonitor>(w, *this);
    linkLog_ = std::make_unique<LinkLog>(w, *this);
    for (int chart = 0; chart < 2; ++chart)
        w_.iStripChartX1(chart)->setClock([this] { return clock.now(); });
}

Monitors::~Monitors() = default;

bool Monitors::connected() const
{
    return w_.telnetConnected() || w_.serialOpen();
}

bool Monitors::mayPoll() const
{
    // A tick that falls due while a poll (or any command) still waits for the unit is skipped.
    return connected() && !w_.exchangeInProgress && !w_.configurationTransfer().isBusy();
}

void Monitors::poll(linkset::DeviceCommand command)
{
    command.telnet.seconds = pollSeconds;
    command.telnet.quiet = true;
    command.serial.seconds = pollSeconds;
    command.serial.quiet = true;
    try {
        forms::SendCommand(w_, command);
    } catch (const session::ExchangeBusy &) {
        // Another command waits for the unit: this tick's poll is skipped, the next one comes.
    } catch (const session::CommError &failure) {
        modConfigScript::ReportCommFailure(w_, failure);
    }
}

void Monitors::stopAllOthers()
{
    w_.tmrPacketStats->stop();
    per_->stopFromOutside();
    w_.ui->chkMonitorIFStats->setChecked(false);
    w_.ui->chkMonitorIPStats->setChecked(false);
}

void showMonitorBox(QCheckBox *box, bool on, const QString &offCaption, bool bold)
{
    box->setText(on ? QStringLiteral("STOP") : offCaption);
    box->setStyleSheet(
        on ? (bold ? QStringLiteral("color: red; font-weight: bold;") : QStringLiteral("color: red;"))
           : QString());
}

void setBoxQuietly(QCheckBox *box, bool ticked)
{
    const QSignalBlocker quiet(box);
    box->setChecked(ticked);
}

} // namespace monitor
