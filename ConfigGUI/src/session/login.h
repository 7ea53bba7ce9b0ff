#pragma once
// The login dialogue with the unit: requests for a user name or password are answered
// with the credentials of the login dialog, which is shown once per session; a refused
// session ("already in progress") is reported and disconnected.
#include <QString>

class QObject;
class frmTevoHadraConfig;

namespace session {

enum class LoginOutcome
{
    NotLogin,  // the line goes on to the reply grammar
    Handled,   // the line was a login line; go on with the next line
    EndOfText, // a request was answered: the rest of the received text is dropped
};

LoginOutcome applyLoginTests(frmTevoHadraConfig &w, QObject *source, const QString &line);

} // namespace session
