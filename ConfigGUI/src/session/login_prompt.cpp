#include "session/login_prompt.h"

#include "dialogs/frmUserNamePassword.h"

namespace session {

void DialogLoginPrompt::ask(frmTevoHadraConfig &w, LoginRequest)
{
    frmUserNamePassword dialog(w);
    dialog.exec();
}

} // namespace session
