#include "ui/connection_commands.h"

#include "platform/settings_store.h"
#include "session/mscomm.h"
#include "session/waits.h"
#include "dialogs/frmSerialProperties.h"
#include "dialogs/frmTelnetProperties.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

void enableEthernetAddress(frmTevoHadraConfig &w)
{
    w.ui->FraEthernetIP->setEnabled(true);
    w.ui->lblEthernetIP->setEnabled(true);
    w.ui->lblEthernetNetMask->setEnabled(true);
    w.lblStringNetmask(0)->setEnabled(true);
    w.ui->txtEthernetIP->setEnabled(true);
    w.cmboNetmask(0)->setEnabled(true);
}

} // namespace

void connectByTelnet(frmTevoHadraConfig &w, bool fromToolbar)
{
    frmTelnetProperties dialog(w);
    dialog.exec();
    if (!w.blnShouldConnect)
        return;
    if (fromToolbar)
        w.bInitialConnect = true;
    w.ConnectTelnet();
    if (fromToolbar)
        enableEthernetAddress(w);
}

void connectBySerial(frmTevoHadraConfig &w, bool fromToolbar)
{
    if (fromToolbar)
        w.bInitialConnect = true;
    w.ConnectSerial();
    if (fromToolbar)
        enableEthernetAddress(w);
}

void showPortProperties(frmTevoHadraConfig &w)
{
    frmSerialProperties dialog(w);
    dialog.exec();
}

bool confirmExit(frmTevoHadraConfig &w)
{
    platform::saveSetting(QStringLiteral("StatsSpeed"), w.strStatsSpeed);
    if (!w.telnetConnected() && !w.serialOpen()) {
        if (w.communicationsLog)
            w.CloseLogFile();
        return true;
    }
    platform::MessageBox question;
    question.text =
        QStringLiteral("You have an open connection in progress!\r\nAre you sure you wish to exit?");
    question.title = QStringLiteral("WARNING!");
    question.buttons = platform::MsgButtons::YesNo;
    question.icon = platform::MsgIcon::Exclamation;
    if (w.messageBoxes().show(&w, question) != platform::MsgAnswer::Yes)
        return false;

    if (w.serialOpen()) {
        session::MSComm &port = *w.MSComm1;
        for (;;) {
            const auto sent = session::waitFor([&port] { return port.OutBufferCount() == 0; }, 10.0,
                                               [&port] { return port.PortOpen(); });
            if (sent != session::WaitResult::TimedOut)
                break;
            platform::MessageBox stuck;
            stuck.text = QStringLiteral("Data cannot be sent");
            stuck.buttons = platform::MsgButtons::AbortRetryIgnore;
            stuck.icon = platform::MsgIcon::Question;
            const platform::MsgAnswer answer = w.messageBoxes().show(&w, stuck);
            if (answer == platform::MsgAnswer::Abort)
                return false;
            if (answer == platform::MsgAnswer::Ignore)
                break;
        }
        if (port.PortOpen()) {
            port.Output(QByteArray("Exit"));
            port.setPortOpen(false);
        }
    }
    if (w.communicationsLog)
        w.CloseLogFile();
    return true;
}
