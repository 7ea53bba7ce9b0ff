#include "forms/maintenance_commands.h"

#include "config/device_requests.h"
#include "config/parameter_commands.h"
#include "forms/parameter_operations.h"
#include "session/comm_error.h"
#include "ui/frmTevoHadraConfig.h"
#include "forms/radio_enable_button.h"
#include "ui_frmTevoHadraConfig.h"

namespace forms {

namespace {

// Asks a Yes/No question over an open connection; false without one (nothing is asked) or
// for No.
bool confirmed(frmTevoHadraConfig &w, const QString &text, const QString &title = QStringLiteral("WARNING!"),
               platform::MsgIcon icon = platform::MsgIcon::Exclamation)
{
    if (!w.telnetConnected() && !w.serialOpen())
        return false;
    platform::MessageBox box;
    box.text = text;
    box.title = title;
    box.buttons = platform::MsgButtons::YesNo;
    box.icon = icon;
    return w.messageBoxes().show(&w, box) == platform::MsgAnswer::Yes;
}

// Runs the commands of a maintenance action. A failed exchange ends the action quietly: a
// serial time-out has shown its own box, and the commands after the failed one are not sent.
template <typename Commands> void runEndingQuietly(Commands commands)
{
    try {
        commands();
    } catch (const session::CommError &) {
    }
}

// Empties the routing list, sends `command` and reads the table again.
void refillRoutes(frmTevoHadraConfig &w, const linkset::DeviceCommand &command)
{
    w.ui->lviewRouterRoutes->clear();
    runEndingQuietly([&] {
        SendCommand(w, command);
        SendCommand(w, linkset::tableRequest(1));
    });
}

} // namespace

void flushArpTable(frmTevoHadraConfig &w)
{
    if (!confirmed(w, QStringLiteral("Are you sure you wish to flush the ARP table?")))
        return;
    refillRoutes(w, linkset::arpFlushCommand());
}

void flushRoutingTable(frmTevoHadraConfig &w)
{
    if (!confirmed(w, QStringLiteral("Are you sure you wish to Flush the Routing Table?")))
        return;
    refillRoutes(w, linkset::parameterCommand(u"1D", true));
}

void eraseRoutingTable(frmTevoHadraConfig &w)
{
    if (!confirmed(w, QStringLiteral("Are you sure you wish to Erase the Routing Table?\r\n\r"
                                     "THIS COMMAND CAN NOT BE UNDONE")))
        return;
    refillRoutes(w, linkset::parameterCommand(u"1E", true));
}

void rebootDevice(frmTevoHadraConfig &w)
{
    if (!confirmed(w, QStringLiteral("Are you sure you wish to Reboot the device?")))
        return;
    // The unit restarts at once: a connection that ends under the command is what it does.
    runEndingQuietly([&] { ParameterCommand(w, u"62", true); });
    w.DisconnectActiveDevice();
}

void loadFactoryDefaults(frmTevoHadraConfig &w)
{
    QString text =
        QStringLiteral("Are you sure you wish to Load the Factory Defaults and Reboot the Device?\r\n");
    if (w.telnetConnected())
        text += QStringLiteral("The ethernet IP address will be LOST! \r\n"
                               "You will have to connect directly via the serial port to continue "
                               "configuring the device.\r\n");
    text += QStringLiteral("\r\nThis command CANNOT be Undone");
    if (!confirmed(w, text))
        return;
    runEndingQuietly([&] {
        ParameterCommand(w, u"61", true);
        ParameterCommand(w, u"60", true); // the defaults become the saved configuration
        ParameterCommand(w, u"62", true);
        w.DisconnectActiveDevice();
    });
}

void resetPassword(frmTevoHadraConfig &w)
{
    if (!confirmed(w, QStringLiteral("Are you sure you wish to reset the device as having no password?"),
                   QStringLiteral("Warning"), platform::MsgIcon::Question))
        return;
    w.pendingNewPassword = QStringLiteral("None");
}

void clearPasswordFields(frmTevoHadraConfig &w)
{
    w.txtPassword(1)->clear();
    w.txtPassword(2)->clear();
    w.ui->cmdPasswordClear->setEnabled(false);
    w.ui->cmdPasswordApply->setEnabled(false);
}

void toggleRadio(frmTevoHadraConfig &w)
{
    const bool radioOff = radioEnableImage(w) == kRadioOffImage;
    ParameterCommand(w, u"52", true, radioOff ? QStringLiteral("1") : QStringLiteral("0"));
    ParameterCommand(w, u"52", false);
}

} // namespace forms
