#pragma once

#include <QString>

namespace linkset {

// How the serial side of an exchange waits for the unit's prompt.
enum class SerialExchange
{
    Command, // SendSerialCommand: wait at most SerialWait::seconds
    Monitor, // SendSerialMonitorCommand: wait until the prompt or until signal-strength monitoring
             // stops (and, for a quiet poll, at most SerialWait::seconds)
};

// Waiting for a command sent over telnet (SendTelnetCommand).
struct TelnetWait
{
    int seconds = 20;          // time-out in whole seconds
    bool quiet = false;        // a time-out or a dropped connection returns silently, no CommError
    bool ignoreErrors = false; // the sender swallows every error of the operation

    bool operator==(const TelnetWait &) const = default;
};

// Waiting for a command sent over the serial line (SendSerialCommand or SendSerialMonitorCommand).
struct SerialWait
{
    double seconds = 20.0;       // time-out in seconds; SerialExchange::Monitor uses it only when quiet
    bool skipPromptWait = false; // do not wait for a prompt before sending
    bool ignoreErrors = false;   // the sender swallows every error of the operation
    SerialExchange exchange = SerialExchange::Command;
    bool quiet = false; // a monitor poll: a time-out drops it silently instead of failing

    bool operator==(const SerialWait &) const = default;
};

// One device command, ready for the command exchange: what to send and how to wait for it.
//
// `text` is the exact command line WITHOUT its closing carriage return; the sending operation
// appends the single "\r". The sender picks the transport that is open:
//   - telnet connected:  SendTelnetCommand(text + "\r", telnet.seconds, telnet.quiet)
//   - serial port open:  SendSerialCommand(text + "\r", serial.seconds, serial.skipPromptWait), or
//                        SendSerialMonitorCommand(text + "\r", serial.skipPromptWait) for
//                        SerialExchange::Monitor; afterwards, when `serialNotice` is not empty, an
//                        information box shows it (also after an error that `ignoreErrors` let pass)
//   - neither:           nothing is sent and nothing is shown.
// A CommError of the exchange reaches the sender's caller unless `ignoreErrors` of the transport
// used is set. The reply is never read here: it reaches the reply parser through the receive path.
struct DeviceCommand
{
    QString text = {};
    TelnetWait telnet = {};
    SerialWait serial = {};
    QString serialNotice = {};

    bool operator==(const DeviceCommand &) const = default;
};

} // namespace linkset
