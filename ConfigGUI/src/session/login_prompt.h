#pragma once
// The login seam: who supplies the credentials when the unit asks for them and none are
// known for the session yet. The window asks the operator in the login dialog; a run
// without a window answers from what it was started with.
class frmTevoHadraConfig;

namespace session {

enum class LoginRequest
{
    UserName,
    Password
};

class LoginPrompt
{
public:
    virtual ~LoginPrompt() = default;
    // Sets the window's strUserName, strPassword and blnShouldConnect (false: the session is
    // given up), and blnShownUsernameForm when the answer stands for the rest of the session.
    virtual void ask(frmTevoHadraConfig &w, LoginRequest request) = 0;
};

// The login dialog, shown modally.
class DialogLoginPrompt : public LoginPrompt
{
public:
    void ask(frmTevoHadraConfig &w, LoginRequest request) override;
};

} // namespace session
