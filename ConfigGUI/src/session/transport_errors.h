#pragma once
// The message tables of the two transports: the telnet control's error codes and the
// serial control's event codes.
#include <QString>

namespace session {

struct TelnetErrorReport
{
    QString text;
    bool unloadAnimation = false; // close the connect animation first
    bool endSession = false;      // then end the telnet session
};

// The report for a code of the telnet control's LastError event. Codes outside the
// table are reported with the control's own description and keep the session.
TelnetErrorReport telnetErrorReport(int code, const QString &description);

inline const QString kTelnetErrorTitle = QStringLiteral("TELNET CONNECTION ERROR");

enum class SerialEventKind
{
    Send,
    Receive,
    Ignored,
    Status,
    Error
};

struct SerialEventReport
{
    SerialEventKind kind = SerialEventKind::Error;
    QString text; // Status and Error
};

SerialEventReport serialEventReport(int commEvent);

inline const QString kSerialErrorTitle = QStringLiteral("Click Cancel to quit, OK to ignore.");

} // namespace session
