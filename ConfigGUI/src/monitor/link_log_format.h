#pragma once
// The lines of the link log, byte for byte: Latin-1 text, every line ended by CR LF.
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace monitor {

struct StationRate
{
    QString station; // the station ID
    double rate = 0.0;
};

// Written each time logging starts: three empty lines, the unit line, one empty line.
QByteArray linkLogHeader(const QString &modelAndVersion, const QString &serialNumber);
// One empty line, then "<stamp>:  RSSI <value>".
QByteArray rssiLogEntry(const QDateTime &time, double rssi);
// One empty line, "<stamp>:  ", then "Station: <id> PER (%): <value>" for each station.
QByteArray perLogEntry(const QDateTime &time, const QList<StationRate> &stations);

// "d-mmm h:mm:ss" with English month names, whatever the locale: "5-Mar 9:07:03".
QString logTimeStamp(const QDateTime &time);
// The shortest text that reads back as the same number: 12.5, 3, 0.1.
QString shortestNumber(double value);

} // namespace monitor
