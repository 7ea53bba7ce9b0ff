#pragma once
// The monitors of the main window: statistics tables, signal strength, packet errors and the
// link log. The window owns one Monitors object, which wires the monitoring controls and
// timers and holds what the monitors share: the clock, the poll time-out, the stop-all rule.
#include "monitor/monitor_clock.h"

#include <QObject>
#include <memory>

class QCheckBox;
class frmTevoHadraConfig;
namespace linkset {
struct DeviceCommand;
}

namespace monitor {

class LinkLog;
class PerMonitor;
class RssiMonitor;
class RssiThreshold;
class StatisticsMonitor;

class Monitors : public QObject
{
    Q_OBJECT
public:
    explicit Monitors(frmTevoHadraConfig &w);
    ~Monitors() override;

    StatisticsMonitor &statistics() const { return *statistics_; }
    RssiMonitor &rssi() const { return *rssi_; }
    PerMonitor &per() const { return *per_; }
    LinkLog &linkLog() const { return *linkLog_; }

    // Time stamps of the history points and the link log.
    MonitorClock clock;
    // How long a poll waits for the unit's answer before it is dropped (seconds).
    int pollSeconds = 5;

    // A transport is open.
    bool connected() const;
    // A tick may poll: a transport is open, no command waits for the unit, and no retrieval or
    // update runs (the transfer goes first; the monitors carry on when it is over).
    bool mayPoll() const;
    // Sends a poll with the bounded wait; a poll that gets no answer in time is dropped and the
    // monitor goes on at its next tick.
    void poll(linkset::DeviceCommand command);
    // Stops the polling timer and clears the packet-error and both statistics monitor boxes;
    // run when the signal-strength monitor starts.
    void stopAllOthers();

private:
    frmTevoHadraConfig &w_;
    std::unique_ptr<StatisticsMonitor> statistics_;
    std::unique_ptr<RssiMonitor> rssi_;
    std::unique_ptr<RssiThreshold> threshold_;
    std::unique_ptr<PerMonitor> per_;
    std::unique_ptr<LinkLog> linkLog_;
};

// The caption and colour of a monitor check box: `offCaption` in black, or "STOP" in red
// (bold when `bold`).
void showMonitorBox(QCheckBox *box, bool on, const QString &offCaption, bool bold);
// Ticks or clears a box without running its handler (the other box of a pair follows).
void setBoxQuietly(QCheckBox *box, bool ticked);

} // namespace monitor
