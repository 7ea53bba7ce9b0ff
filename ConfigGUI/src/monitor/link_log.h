#pragma once
// Automatic data logging: while "Automatic Data Logging" is selected and a monitor runs, the
// latest RSSI or PER reading is appended to the link log every few seconds. The file is opened
// and closed around every write, so it can be read while logging goes on.
#include <QString>

class frmTevoHadraConfig;

namespace monitor {

class Monitors;

// The default log: log/link.log in the per-user data folder.
QString defaultLinkLogPath();

class LinkLog
{
public:
    static constexpr int kMinimumSeconds = 1;
    static constexpr int kMaximumSeconds = 3600;

    LinkLog(frmTevoHadraConfig &w, Monitors &monitors);

    bool selected() const;
    // Run by the monitors when they start and stop: logging follows while it is selected.
    void startWhenSelected();
    void stopWhenSelected();

    // Asks for the log file; false when the operator cancelled.
    bool browse();
    // One entry of the latest reading; run by tmrDataLogging.
    void writeEntry();

private:
    void onSwitch(int option);
    void enableControls(bool enabled);
    void start();
    void stop();
    bool writeHeader();
    // Appends to the log, creating it when missing. A write that fails stops logging and says
    // why; false then.
    bool append(const QByteArray &bytes);
    // The seconds field as a valid interval, if it holds one.
    static bool validSeconds(const QString &text, int *seconds);
    // The seconds field, left or ended with Enter: a valid interval is applied, anything else
    // refused (the last good value comes back).
    void onSecondsEdited();

    frmTevoHadraConfig &w_;
    Monitors &monitors_;
    QString lastGoodSeconds_;
};

} // namespace monitor
