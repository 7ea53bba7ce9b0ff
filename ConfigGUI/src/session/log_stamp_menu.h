#pragma once
// The File menu's "Log Time Stamps" submenu, beside the communications log's commands and
// shown with them in the terminal view: no stamps (the default), the local time, or the time
// since the log was opened. The choice is saved as "LogTimeStamps".
class frmTevoHadraConfig;

namespace session {

void addLogStampMenu(frmTevoHadraConfig &w);

} // namespace session
