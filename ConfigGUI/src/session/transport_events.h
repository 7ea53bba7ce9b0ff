#pragma once
// The transports' event handlers: the telnet control's LastError event and the serial
// control's OnComm event (send, receive, status and error codes).
#include <QString>

class frmTevoHadraConfig;

namespace session {

void onTelnetLastError(frmTevoHadraConfig &w, int errorCode, const QString &errorString);
void onSerialComm(frmTevoHadraConfig &w);
// The open serial port failed under the program (its device went away).
void onSerialPortLost(frmTevoHadraConfig &w);

} // namespace session
