#include "forms/parameter_operations.h"

#include "config/parameter_commands.h"
#include "session/mod_config_script.h"
#include "ui/frmTevoHadraConfig.h"

namespace forms {

namespace {

// Runs an exchange; with `ignoreErrors` every failure of it is dropped, as the row says.
template <typename Exchange> void exchange(bool ignoreErrors, Exchange send)
{
    if (!ignoreErrors) {
        send();
        return;
    }
    try {
        send();
    } catch (const std::exception &) {
        // The row's command is known to end without a proper reply (factory defaults, reboot).
    }
}

} // namespace

void ParameterCommand(frmTevoHadraConfig &w, QStringView code, bool setFlag, const QString &value)
{
    SendCommand(w, linkset::parameterCommand(code, setFlag, value));
}

void SendCommand(frmTevoHadraConfig &w, const linkset::DeviceCommand &command)
{
    const bool overTelnet = w.telnetConnected();
    if (!overTelnet && !w.serialOpen())
        return;
    const modConfigScript::CommandWaits waits{
        .telnetSeconds = command.telnet.seconds,
        .telnetQuiet = command.telnet.quiet,
        .serialSeconds = command.serial.seconds,
        .serialSkipPromptWait = command.serial.skipPromptWait,
        .serialMonitor = command.serial.exchange == linkset::SerialExchange::Monitor,
        .serialQuiet = command.serial.quiet,
    };
    exchange(overTelnet ? command.telnet.ignoreErrors : command.serial.ignoreErrors,
             [&] { modConfigScript::SendDeviceCommand(w, command.text + QLatin1Char('\r'), waits); });
    if (!overTelnet && !command.serialNotice.isEmpty())
        w.messageBoxes().inform(&w, command.serialNotice, QString(), platform::MsgIcon::Information);
}

} // namespace forms
