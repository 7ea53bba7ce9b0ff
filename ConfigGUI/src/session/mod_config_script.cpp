#include "session/mod_config_script.h"

#include "session/mscomm.h"
#include "session/serial_error.h"
#include "session/waits.h"
#include "ui/frmTevoHadraConfig.h"
#include "dialogs/status_panels.h"
#include "ui_frmTevoHadraConfig.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <wiretalk/telnet_client.h>

namespace modConfigScript {

using session::WaitClock;
using session::WaitResult;

namespace {

// Marks an exchange as running for its lifetime; a second one is refused.
class ExchangeGuard
{
public:
    explicit ExchangeGuard(frmTevoHadraConfig &w) : w_(w)
    {
        if (w_.exchangeInProgress)
            throw ExchangeBusy();
        w_.exchangeInProgress = true;
    }
    ~ExchangeGuard() { w_.exchangeInProgress = false; }
    ExchangeGuard(const ExchangeGuard &) = delete;
    ExchangeGuard &operator=(const ExchangeGuard &) = delete;

private:
    frmTevoHadraConfig &w_;
};

// A serial failure that ends in CommError; timedOut decides the "Operation Timed Out" box.
struct SerialFailure
{
    bool timedOut;
};

void expectPrompt(frmTevoHadraConfig &w, std::optional<WaitClock::time_point> deadline)
{
    const WaitResult result =
        session::waitUntil([&w] { return w.bGotPrompt; }, deadline, [&w] { return w.serialOpen(); });
    if (result != WaitResult::Done)
        throw SerialFailure{result == WaitResult::TimedOut};
}

// Steps 1 to 7 of a serial exchange; returns the moment the last echo wait began.
WaitClock::time_point writeWithEchoCheck(frmTevoHadraConfig &w, const QString &command, bool skipPromptWait)
{
    session::MSComm &port = *w.MSComm1;
    if (!skipPromptWait)
        expectPrompt(w, session::deadlineAfter(WaitClock::now(), 1.0));

    w.bGotPrompt = false;
    w.bEnableOnCommReceiveEvents = false;
    // Whatever the unit sent before this command is not its reply: discard it.
    while (port.InBufferCount() != 0) {
        QCoreApplication::processEvents();
        if (!port.PortOpen())
            throw SerialFailure{false};
        port.Input();
    }
    port.setInputLen(1);

    const QByteArray bytes = command.toLatin1();
    WaitClock::time_point lastEchoStart = WaitClock::now();
    for (qsizetype i = 0; i + 1 < bytes.size(); ++i) {
        port.Output(bytes.mid(i, 1));
        lastEchoStart = WaitClock::now();
        const WaitResult echo = session::waitUntil([&port] { return port.InBufferCount() != 0; },
                                                   session::deadlineAfter(lastEchoStart, 1.0),
                                                   [&port] { return port.PortOpen(); });
        if (echo != WaitResult::Done)
            throw SerialFailure{echo == WaitResult::TimedOut};
        if (port.Input() != bytes.mid(i, 1))
            throw SerialFailure{false};
    }
    if (!bytes.isEmpty())
        port.Output(bytes.right(1));
    port.setInputLen(0);
    w.bEnableOnCommReceiveEvents = true;
    return lastEchoStart;
}

// Step 9: the failure path shared by both serial routines.
[[noreturn]] void failSerialExchange(frmTevoHadraConfig &w, const SerialFailure &failure)
{
    w.bEnableOnCommReceiveEvents = true;
    if (w.serialOpen())
        w.MSComm1->setInputLen(0);
    if (failure.timedOut) {
        platform::MessageBox box;
        box.text = QStringLiteral("Operation Timed Out: ") + w.strCommBuffer;
        box.title = QStringLiteral("Warning");
        box.icon = platform::MsgIcon::Exclamation;
        box.foreground = true;
        w.messageBoxes().show(&w, box);
    }
    throw CommError();
}

// A quiet poll that timed out: the unit will not send this prompt, so it counts as seen and
// the next command does not wait for it.
void dropUnansweredPoll(frmTevoHadraConfig &w)
{
    w.bEnableOnCommReceiveEvents = true;
    if (w.serialOpen())
        w.MSComm1->setInputLen(0);
    w.bGotPrompt = true;
}

template <typename Body> void runSerialExchange(frmTevoHadraConfig &w, bool quiet, Body body)
{
    ExchangeGuard guard(w);
    try {
        body();
    } catch (const SerialFailure &failure) {
        if (quiet && failure.timedOut) {
            dropUnansweredPoll(w);
            return;
        }
        failSerialExchange(w, failure);
    } catch (const session::SerialError &error) {
        // The port failed under the exchange (it was closed or went away): the
        // exchange cannot complete, which its caller learns as a communication failure.
        w.bEnableOnCommReceiveEvents = true;
        throw CommError();
    }
}

} // namespace

void SendTelnetCommand(frmTevoHadraConfig &w, const QString &command, int timeoutSeconds, bool quiet)
{
    ExchangeGuard guard(w);
    wiretalk::TelnetClient &telnet = *w.TelnetClient1;
    // The prompt that ended the previous exchange (or the login) must not end this one.
    w.bGotPrompt = false;
    w.intKeepAliveCount = 0;
    telnet.Write(command, static_cast<short>(command.size()));
    const WaitResult result =
        session::waitFor([&w] { return w.bGotPrompt; }, timeoutSeconds, [&w] { return w.telnetConnected(); });
    // A quiet command is one the unit may leave unanswered because it drops the connection
    // (a new Ethernet address, a reboot): neither a time-out nor the closed connection is a
    // failure then.
    if (result != WaitResult::Done && !quiet)
        throw CommError();
    w.bGotPrompt = false;
}

void SendSerialCommand(frmTevoHadraConfig &w, const QString &command, double timeoutSeconds,
                       bool skipPromptWait, bool quiet)
{
    runSerialExchange(w, quiet, [&] {
        const WaitClock::time_point lastEchoStart = writeWithEchoCheck(w, command, skipPromptWait);
        // The prompt stays seen: the next serial command waits for it before it writes.
        expectPrompt(w, session::deadlineAfter(lastEchoStart, timeoutSeconds));
    });
}

void SendSerialMonitorCommand(frmTevoHadraConfig &w, const QString &command, bool skipPromptWait,
                              std::optional<double> timeoutSeconds)
{
    runSerialExchange(w, timeoutSeconds.has_value(), [&] {
        const WaitClock::time_point lastEchoStart = writeWithEchoCheck(w, command, skipPromptWait);
        const auto monitoringStopped = [&w] {
            return !w.ui->chkRSSIMonitor->isChecked() || !w.ui->chkHistoryRSSIMonitor->isChecked();
        };
        // The poll ends with the prompt, when monitoring is switched off, when the port
        // closes, or at its time-out when it has one.
        const auto promptOrStop = [&] {
            if (!w.bGotPrompt && monitoringStopped()) {
                w.MSComm1->Output(QByteArray(1, '\n'));
                w.bGotPrompt = true;
            }
            return w.bGotPrompt;
        };
        std::optional<WaitClock::time_point> deadline;
        if (timeoutSeconds)
            deadline = session::deadlineAfter(lastEchoStart, *timeoutSeconds);
        const WaitResult result = session::waitUntil(promptOrStop, deadline, [&w] { return w.serialOpen(); });
        if (result != WaitResult::Done)
            throw SerialFailure{result == WaitResult::TimedOut};
    });
}

void SendDeviceCommand(frmTevoHadraConfig &w, const QString &command, const CommandWaits &waits)
{
    if (w.telnetConnected())
        SendTelnetCommand(w, command, waits.telnetSeconds, waits.telnetQuiet);
    else if (w.serialOpen() && waits.serialMonitor)
        SendSerialMonitorCommand(w, command, waits.serialSkipPromptWait,
                                 waits.serialQuiet ? std::optional(waits.serialSeconds) : std::nullopt);
    else if (w.serialOpen())
        SendSerialCommand(w, command, waits.serialSeconds, waits.serialSkipPromptWait, waits.serialQuiet);
}

void ReportCommFailure(frmTevoHadraConfig &w, const std::exception &failure)
{
    if (dynamic_cast<const ExchangeBusy *>(&failure)) {
        w.sbrTerminal().setText(QStringLiteral("Status"), QStringLiteral("Status: Busy - command not sent"));
        w.tmrStatusMessages->start();
        return;
    }
    if (!dynamic_cast<const CommError *>(&failure))
        return; // other errors are cleared without a message here
    platform::MessageBox box;
    box.icon = platform::MsgIcon::Critical;
    box.systemModal = true;
    box.foreground = true;
    if (w.telnetConnected()) {
        box.title = QStringLiteral("IP Communication Error: %1").arg(CommError::kNumber);
        box.text = QStringLiteral("Problem communicating with device.\r"
                                  "Please check the IP connection to the device and try again!");
    } else if (w.serialOpen()) {
        box.title = QStringLiteral("Serial Communication Error: %1").arg(CommError::kNumber);
        box.text = QStringLiteral("Problem communicating with device.\r"
                                  "Please check the serial connection and try again!");
    } else {
        return; // the connection is gone; its end was reported when it closed
    }
    w.messageBoxes().show(&w, box);
}

void RunReportingCommFailure(frmTevoHadraConfig &w, const std::function<void()> &command)
{
    try {
        command();
    } catch (const CommError &failure) {
        ReportCommFailure(w, failure);
    } catch (const ExchangeBusy &failure) {
        ReportCommFailure(w, failure);
    }
}

QString StripLineBreaks(const QString &text)
{
    QString stripped = text;
    stripped.remove(QLatin1Char('\r'));
    stripped.remove(QLatin1Char('\n'));
    qsizetype first = 0;
    qsizetype end = stripped.size();
    while (first < end && stripped.at(first) == QLatin1Char(' '))
        ++first;
    while (end > first && stripped.at(end - 1) == QLatin1Char(' '))
        --end;
    return stripped.mid(first, end - first);
}

QString PrefixToNetmask(int prefixLength)
{
    const int bits = std::clamp(prefixLength, 0, 32);
    const quint32 mask = bits == 0 ? 0 : ~quint32(0) << (32 - bits);
    return QStringLiteral("%1.%2.%3.%4")
        .arg(mask >> 24)
        .arg((mask >> 16) & 0xFF)
        .arg((mask >> 8) & 0xFF)
        .arg(mask & 0xFF);
}

} // namespace modConfigScript
