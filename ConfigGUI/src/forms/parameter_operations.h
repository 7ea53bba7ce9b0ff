#pragma once
// The parameter operations: every row of the parameter table is sent by its code through
// the command exchange, telnet first, then serial, else not at all. The reply is never read
// here; it reaches the reply grammar through the receive path.
#include "config/device_command.h"

#include <QString>
#include <QStringView>

class frmTevoHadraConfig;

namespace forms {

// Reads (setFlag false) or writes (setFlag true) parameter `code`; a fixed action is
// "written" without a value. Throws linkset::CommandError for a use the row's shape does
// not allow, and CommError when the exchange fails (unless the row ignores errors).
void ParameterCommand(frmTevoHadraConfig &w, QStringView code, bool setFlag,
                      const QString &value = QString());

// Sends a built command (a list request, "Capability", "IP RIP", ...) the same way: over
// the open transport with its waits; errors of a transport whose waits say so are ignored;
// a serial notice is shown after the command went out over serial.
void SendCommand(frmTevoHadraConfig &w, const linkset::DeviceCommand &command);

} // namespace forms
