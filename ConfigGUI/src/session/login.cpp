#include "session/login.h"

#include "session/login_prompt.h"
#include "session/mscomm.h"
#include "ui/frmTevoHadraConfig.h"

#include <wiretalk/telnet_client.h>

namespace session {

namespace {

void answerRequest(frmTevoHadraConfig &w, QObject *source, LoginRequest request)
{
    w.strCommBuffer.clear();
    if (!w.blnShownUsernameForm)
        w.loginPrompt().ask(w, request);
    if (!w.blnShouldConnect) {
        w.DisconnectActiveDevice();
        return;
    }
    const QString answer =
        (request == LoginRequest::UserName ? w.strUserName : w.strPassword) + QLatin1Char('\n');
    // Typed credentials are real traffic: the keep-alive count starts again.
    w.intKeepAliveCount = 0;
    if (source->objectName() == QLatin1String("TelnetClient1") && w.telnetConnected())
        w.TelnetClient1->Write(answer, static_cast<short>(answer.size()));
    else if (source->objectName() == QLatin1String("MSComm1") && w.serialOpen())
        w.MSComm1->Output(answer.toLatin1());
}

} // namespace

LoginOutcome applyLoginTests(frmTevoHadraConfig &w, QObject *source, const QString &line)
{
    const QString upper = line.toUpper();
    if (upper.contains(QLatin1String("INVALID PASSWORD.")))
        w.blnShownUsernameForm = false;
    if (upper.contains(QLatin1String("USERNAME"))) {
        answerRequest(w, source, LoginRequest::UserName);
        return LoginOutcome::EndOfText;
    }
    if (upper.contains(QLatin1String("PASSWORD"))) {
        answerRequest(w, source, LoginRequest::Password);
        return LoginOutcome::EndOfText;
    }
    if (upper.contains(QLatin1String("SESSION ALREADY IN PROGRESS.")) ||
        upper.contains(QLatin1String("SESSION ALREADY ACTIVE"))) {
        w.messageBoxes().inform(&w,
                                QStringLiteral("A Session is already in Progress!\r\n"
                                               "You must wait for the current session to end."),
                                QStringLiteral("Session In Progress"), platform::MsgIcon::Exclamation);
        w.DisconnectActiveDevice();
        return LoginOutcome::Handled;
    }
    return LoginOutcome::NotLogin;
}

} // namespace session
