#include "session/log_stamps.h"

#include <algorithm>

namespace session {

QString logStamp(LogStampKind kind, const QDateTime &now, const QDateTime &opened, bool utc)
{
    switch (kind) {
    case LogStampKind::None:
        break;
    case LogStampKind::LocalTime:
        if (utc)
            return now.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) + QLatin1Char('Z');
        return now.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    case LogStampKind::SinceOpened: {
        const qint64 ms = std::max<qint64>(opened.msecsTo(now), 0);
        return QStringLiteral("%1:%2:%3.%4")
            .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
            .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
            .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
            .arg(ms % 1000, 3, 10, QLatin1Char('0'));
    }
    }
    return QString();
}

void LogStamps::opened()
{
    opened_ = clock.now();
    atLineStart_ = true;
}

QString LogStamps::stamped(const QString &text, bool utc)
{
    QString result;
    QString stamp; // one time for the whole piece
    for (const QChar c : text) {
        if (atLineStart_ && kind != LogStampKind::None) {
            if (stamp.isNull())
                stamp = logStamp(kind, clock.now(), opened_, utc) + QLatin1Char(' ');
            result += stamp;
        }
        result += c;
        atLineStart_ = c == QLatin1Char('\n');
    }
    return result;
}

} // namespace session
