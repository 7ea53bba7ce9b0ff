#include "session/transport_events.h"

#include "session/connection.h"
#include "session/mscomm.h"
#include "session/receive_path.h"
#include "session/transport_errors.h"
#include "dialogs/frmConnectAnimation.h"
#include "ui/frmTevoHadraConfig.h"
#include "dialogs/status_panels.h"

#include <QApplication>
#include <QTimer>

namespace session {

namespace {

void unloadConnectAnimation(frmTevoHadraConfig &w)
{
    if (w.blnAnimationShowing && w.connectAnimation)
        w.connectAnimation->close();
}

void showStatus(frmTevoHadraConfig &w, const QString &text)
{
    w.sbrTerminal().setText(QStringLiteral("Status"), QStringLiteral("Status: ") + text);
}

} // namespace

void onTelnetLastError(frmTevoHadraConfig &w, int errorCode, const QString &errorString)
{
    const TelnetErrorReport report = telnetErrorReport(errorCode, errorString);
    if (report.unloadAnimation)
        unloadConnectAnimation(w);
    w.messageBoxes().inform(&w, report.text, kTelnetErrorTitle, platform::MsgIcon::Critical);
    if (report.endSession)
        TelnetClient1_Disconnect(w);
}

void onSerialComm(frmTevoHadraConfig &w)
{
    const SerialEventReport report = serialEventReport(w.MSComm1->CommEvent());
    switch (report.kind) {
    case SerialEventKind::Send:
        onWriteCompleted(w);
        return;
    case SerialEventKind::Receive:
        onSerialReceive(w);
        return;
    case SerialEventKind::Ignored:
        return;
    case SerialEventKind::Status:
        showStatus(w, report.text);
        w.tmrStatusMessages->start();
        return;
    case SerialEventKind::Error: {
        showStatus(w, report.text);
        QApplication::beep();
        platform::MessageBox box;
        box.text = report.text;
        box.title = kSerialErrorTitle;
        box.buttons = platform::MsgButtons::OkCancel;
        if (w.messageBoxes().show(&w, box) == platform::MsgAnswer::Cancel)
            w.MSComm1->setPortOpen(false);
        w.tmrStatusMessages->start();
        return;
    }
    }
}

void onSerialPortLost(frmTevoHadraConfig &w)
{
    w.bEnableOnCommReceiveEvents = true;
    SerialPortClosed(w);
}

} // namespace session
