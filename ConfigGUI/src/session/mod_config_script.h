#pragma once
// modConfigScript: the command exchange. A command is one line ending in a single
// carriage return; it is written to whichever transport is open and the exchange waits,
// keeping the window alive, until the receive path has seen the unit's prompt.
//
// Exchanges do not nest: while one waits for its prompt, a command started by a timer
// or a click inside that wait is refused with ExchangeBusy and nothing is sent (two
// exchanges sharing one prompt flag would each take the other's reply).
#include "session/comm_error.h"

#include <QString>
#include <functional>
#include <optional>

class frmTevoHadraConfig;

namespace modConfigScript {

using session::CommError;
using session::ExchangeBusy;

// How long a command may wait on each transport, and how.
struct CommandWaits
{
    int telnetSeconds = 20;
    bool telnetQuiet = false; // a time-out or a dropped connection returns silently
    double serialSeconds = 20;
    bool serialSkipPromptWait = false; // do not wait for the previous prompt first
    bool serialMonitor = false;        // the signal-strength poll: SendSerialMonitorCommand
    // A monitor poll over serial: its wait ends after serialSeconds (the signal-strength poll's
    // too) and a time-out drops the poll silently, so an unanswered poll never holds the exchange.
    bool serialQuiet = false;
};

// Sends over telnet when connected, else over the open serial port; with neither the
// command is dropped silently. Throws CommError or ExchangeBusy.
void SendDeviceCommand(frmTevoHadraConfig &w, const QString &command, const CommandWaits &waits = {});

void SendTelnetCommand(frmTevoHadraConfig &w, const QString &command, int timeoutSeconds, bool quiet);
void SendSerialCommand(frmTevoHadraConfig &w, const QString &command, double timeoutSeconds,
                       bool skipPromptWait, bool quiet = false);
// Without a time-out the final wait lasts until the prompt, until signal-strength monitoring
// stops or until the port closes; with one, a time-out drops the poll silently.
void SendSerialMonitorCommand(frmTevoHadraConfig &w, const QString &command, bool skipPromptWait,
                              std::optional<double> timeoutSeconds = std::nullopt);

// The handler of every procedure that issues commands: the communication-error box for
// CommError; a short note in the status bar for a refused (busy) command.
void ReportCommFailure(frmTevoHadraConfig &w, const std::exception &failure);
// Runs `command` and reports a CommError or ExchangeBusy as above; other errors go on to
// the caller's handler.
void RunReportingCommFailure(frmTevoHadraConfig &w, const std::function<void()> &command);

// Trims blanks at both ends and removes every carriage return and line feed.
QString StripLineBreaks(const QString &text);
// The dotted netmask of a prefix length; lengths above 32 count as 32.
QString PrefixToNetmask(int prefixLength);

} // namespace modConfigScript
