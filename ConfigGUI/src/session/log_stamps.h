#pragma once
// Time stamps in the communications log: each line of the log can start with the local time
// of its first character, or with the time since the log was opened. A line that arrives in
// pieces gets one stamp, at its first piece.
#include "monitor/monitor_clock.h"

#include <QDateTime>
#include <QString>

namespace session {

enum class LogStampKind
{
    None,
    LocalTime,
    SinceOpened
};

// "2026-03-05 09:07:03.250" (with a "Z" after it in UTC), or "00:01:02.250" since the log
// was opened; empty for None.
QString logStamp(LogStampKind kind, const QDateTime &now, const QDateTime &opened, bool utc);

class LogStamps
{
public:
    LogStampKind kind = LogStampKind::None;
    // Where the stamps read the time; tests set it.
    monitor::MonitorClock clock;

    // The log was opened: the time since counts from now, and its first text starts a line.
    void opened();
    // The text as written to the log: a stamp and a blank before every line that begins in
    // it. Lines end with "\n"; a line begins at the first character after one.
    QString stamped(const QString &text, bool utc);

private:
    QDateTime opened_;
    bool atLineStart_ = true;
};

} // namespace session
