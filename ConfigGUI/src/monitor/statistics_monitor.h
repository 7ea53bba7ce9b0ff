#pragma once
// The Statistics tab: the interface and IP statistics tables, their refresh and reset
// buttons (and the Device menu's entries), the view switch, the two monitor boxes and the
// shared polling timer tmrPacketStats.
class QCheckBox;
class frmTevoHadraConfig;

namespace monitor {

class Monitors;

class StatisticsMonitor
{
public:
    StatisticsMonitor(frmTevoHadraConfig &w, Monitors &monitors);

    // The buttons and menu entries; each does nothing without a connection.
    void refreshIPStats();
    void refreshIFStats();
    void resetIFStats();
    void resetIPStats();
    // Shows the interface set (view 0) or the IP set (views 1 and 2).
    void showView(int view);
    // One tick of tmrPacketStats: the packet-error, interface and IP polls, in that order.
    void poll();
    // Stops tmrPacketStats unless a statistics or the packet-error monitor remains ticked.
    void stopTimerWhenUnused();

private:
    void onMonitorBox(QCheckBox *box, bool ticked);
    void enableInterfaceCommands(bool enabled);
    // Stops the signal-strength monitor when it runs.
    void stopRssi();

    frmTevoHadraConfig &w_;
    Monitors &monitors_;
};

} // namespace monitor
