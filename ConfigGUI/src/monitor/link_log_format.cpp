#include "monitor/link_log_format.h"

#include <QLocale>

namespace monitor {

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

QByteArray line(const QString &text)
{
    return text.toLatin1() + kLineEnd;
}

} // namespace

QByteArray linkLogHeader(const QString &modelAndVersion, const QString &serialNumber)
{
    return kLineEnd + kLineEnd + kLineEnd +
           line(QStringLiteral("Unit Model & Software Version: ") + modelAndVersion +
                QStringLiteral("    Serial #: ") + serialNumber) +
           kLineEnd;
}

QByteArray rssiLogEntry(const QDateTime &time, double rssi)
{
    return kLineEnd + line(logTimeStamp(time) + QStringLiteral(":  RSSI ") + shortestNumber(rssi));
}

QByteArray perLogEntry(const QDateTime &time, const QList<StationRate> &stations)
{
    QByteArray entry = kLineEnd + line(logTimeStamp(time) + QStringLiteral(":  "));
    for (const StationRate &s : stations)
        entry += line(QStringLiteral("Station: ") + s.station + QStringLiteral(" PER (%): ") +
                      shortestNumber(s.rate));
    return entry;
}

QString logTimeStamp(const QDateTime &time)
{
    return QLocale::c().toString(time, QStringLiteral("d-MMM H:mm:ss"));
}

QString shortestNumber(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace monitor
