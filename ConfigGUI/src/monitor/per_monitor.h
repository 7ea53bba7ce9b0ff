#pragma once
// The packet-error monitor: one reading with Refresh ("set 53 = 1", then "Table 8"), or
// continuous monitoring started and stopped from the PER sub-tab or the History sub-tab (both
// boxes kept in step), polled on the shared tmrPacketStats.
class QCheckBox;
class frmTevoHadraConfig;

namespace monitor {

class Monitors;

class PerMonitor
{
public:
    PerMonitor(frmTevoHadraConfig &w, Monitors &monitors);

    bool running() const { return running_; }
    void refresh();
    // Clears the monitor's box (or, when it is clear already, the History sub-tab's box).
    void stopFromOutside();

private:
    void onBox(QCheckBox *clicked, bool ticked);
    void start(QCheckBox *clicked);
    void stop(QCheckBox *clicked);
    void showBoxes(bool on);

    frmTevoHadraConfig &w_;
    Monitors &monitors_;
    bool running_ = false;
};

} // namespace monitor
