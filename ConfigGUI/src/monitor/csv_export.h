#pragma once
// Comma-separated text for spreadsheets: fields holding a comma, a quote, CR or LF are
// quoted with their quotes doubled, lines end with CR LF, numbers use a dot whatever the
// locale, and times are ISO 8601.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QDateTime;

namespace monitor {

QString csvField(const QString &text);
// The rows as one UTF-8 document, every line (the last too) ended by CR LF.
QByteArray csvDocument(const QList<QStringList> &rows);
// The shortest text that reads back as the same number: "12.5", "0.1", "3".
QString csvNumber(double value);
// "2026-03-05T09:07:03.250+01:00" in local time, "2026-03-05T08:07:03.250Z" in UTC.
QString isoTimestamp(const QDateTime &time, bool utc);

} // namespace monitor
