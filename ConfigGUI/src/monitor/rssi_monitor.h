#pragma once
// The signal-strength monitor: started and stopped from the RSSI sub-tab or the History
// sub-tab (both boxes kept in step), polling "Radio RSSI" on tmrRSSI, the gauge back at 0
// when not monitoring, and the beeper whose rate rises with the signal.
class QCheckBox;
class frmTevoHadraConfig;

namespace monitor {

class Monitors;

// 2000 − 2000 × position ÷ maximum ms, rounded to the nearest whole number (halves to even).
int beeperInterval(double position, double positionMax);
// The interval set when the position changes: never below 90 ms.
int beeperIntervalOnChange(double position, double positionMax);

class RssiMonitor
{
public:
    RssiMonitor(frmTevoHadraConfig &w, Monitors &monitors);

    bool running() const { return running_; }

private:
    void onBox(QCheckBox *clicked, bool ticked);
    void start(QCheckBox *clicked);
    void stop(QCheckBox *clicked);
    void onTick();
    void onPositionChanged(double position);
    void onSoundBox(bool ticked);
    // Both boxes ticked or cleared, with their captions.
    void showBoxes(bool on);
    // Sets the beeper's interval; 0 leaves it stopped (a timer of 0 ms would fire without pause).
    void runBeeper(int interval);

    frmTevoHadraConfig &w_;
    Monitors &monitors_;
    bool running_ = false;
};

} // namespace monitor
