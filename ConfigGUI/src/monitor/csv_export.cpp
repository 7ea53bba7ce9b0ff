#include "monitor/csv_export.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <cstdlib>

namespace monitor {

QString csvField(const QString &text)
{
    static const QString kNeedsQuotes = QStringLiteral(",\"\r\n");
    const bool quoted =
        std::any_of(text.cbegin(), text.cend(), [](QChar c) { return kNeedsQuotes.contains(c); });
    if (!quoted)
        return text;
    QString escaped = text;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QByteArray csvDocument(const QList<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows) {
        QStringList fields;
        fields.reserve(row.size());
        for (const QString &field : row)
            fields << csvField(field);
        text += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

QString csvNumber(double value)
{
    // QString::number never follows the locale.
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString isoTimestamp(const QDateTime &time, bool utc)
{
    const QString pattern = QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz");
    if (utc)
        return time.toUTC().toString(pattern) + QLatin1Char('Z');
    const QDateTime local = time.toLocalTime();
    const int offsetMinutes = local.offsetFromUtc() / 60;
    const QChar sign = offsetMinutes < 0 ? QLatin1Char('-') : QLatin1Char('+');
    return local.toString(pattern) + sign +
           QStringLiteral("%1:%2")
               .arg(std::abs(offsetMinutes) / 60, 2, 10, QLatin1Char('0'))
               .arg(std::abs(offsetMinutes) % 60, 2, 10, QLatin1Char('0'));
}

} // namespace monitor
