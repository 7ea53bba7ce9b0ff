#include "forms/configuration_file.h"

#include "forms/record_fields.h"

#include <QFile>
#include <QSaveFile>

namespace forms {

namespace {

// The parameters of a saved file, in file order.
const char16_t *const kParameterCodes[] = {
    u"15", u"10", u"11", u"16", u"47", u"27", u"28", u"01", u"43", u"12", u"13", u"45", u"41", u"29",
    u"2A", u"30", u"17", u"18", u"1B", u"1C", u"19", u"14", u"02", u"03", u"58", u"33", u"34",
};

// A reply line is at most a few hundred characters; anything this long is not one.
constexpr qint64 kLongestLine = 64 * 1024;

// "NAME=1;START", one "NAME=" line per item with the fields taken, "NAME=1;END".
void appendBlock(QStringList &lines, const QString &name, const ListSetting &items,
                 const std::function<QStringList(const QStringList &)> &fields)
{
    lines << name + QStringLiteral("=1;START");
    for (const QStringList &item : items) {
        const QStringList taken = fields(item);
        if (!taken.isEmpty())
            lines << name + QLatin1Char('=') + taken.join(QLatin1Char(';'));
    }
    lines << name + QStringLiteral("=1;END");
}

QStringList firstFields(const QStringList &item, int count)
{
    QStringList fields = item.mid(0, count);
    while (fields.size() < count)
        fields << QString();
    return fields;
}

} // namespace

QStringList configurationFileLines(const ConfigRecord &record, bool ripBoxShown)
{
    QStringList lines;
    for (const char16_t *code : kParameterCodes)
        lines << QStringLiteral("get=1;%1=").arg(QStringView(code)) + record.*scalarFieldOf(code);
    if (ripBoxShown)
        lines << (record.ripEnabled == QLatin1String("1") ? QStringLiteral("RIP Enabled")
                                                          : QStringLiteral("RIP Disabled"));
    appendBlock(lines, QStringLiteral("DNS"), record.dnsServers,
                [](const QStringList &item) { return firstFields(item, 1); });
    appendBlock(lines, QStringLiteral("SNMP COMMUNITY"), record.snmpCommunities,
                [](const QStringList &item) { return firstFields(item, 2); });
    appendBlock(lines, QStringLiteral("SNMP TRAP"), record.trapServers,
                [](const QStringList &item) { return firstFields(item, 2); });
    // Only the routes the operator made, with their type, so that an import shows them as
    // static routes again.
    appendBlock(lines, QStringLiteral("IP ROUTE"), record.staticRoutes, [](const QStringList &item) {
        if (item.value(0).isEmpty() || item.value(3) != QLatin1String("Static"))
            return QStringList();
        return firstFields(item, 4);
    });
    appendBlock(lines, QStringLiteral("RADIOIP"), record.remoteStations,
                [](const QStringList &item) { return firstFields(item, 3); });
    appendBlock(lines, QStringLiteral("DHCP RELAY"), record.dhcpRelayServers,
                [](const QStringList &item) { return firstFields(item, 1); });
    return lines;
}

QString writeConfigurationFile(const QString &path, const QStringList &lines)
{
    QByteArray content;
    for (const QString &line : lines)
        content += line.toLatin1() + "\r\n";
    // Unbuffered, so that a short write (a full disk) is seen here: the file would otherwise
    // be put in place with its end missing.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return QStringLiteral("The configuration could not be written completely to %1 (is the disk full?). "
                              "An existing file of that name is unchanged.")
            .arg(path);
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

FileReading readConfigurationFile(const QString &path, const std::function<void(const QString &)> &line)
{
    FileReading reading;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reading.error = file.errorString();
        return reading;
    }
    bool insideLongLine = false;
    // One buffer for every line: a line is read into it, not into an allocation of the
    // longest size for each line.
    QByteArray buffer(kLongestLine + 1, Qt::Uninitialized);
    while (!file.atEnd()) {
        if (file.pos() >= kLargestConfigurationFile) {
            reading.truncated = true;
            break;
        }
        const qint64 read = file.readLine(buffer.data(), buffer.size());
        if (read <= 0) {
            reading.error = file.errorString();
            break;
        }
        QByteArrayView chunk(buffer.constData(), read);
        const bool ended = chunk.endsWith('\n') || file.atEnd();
        if (insideLongLine || !ended) {
            // Part of a line too long to be a reply line: skipped up to its end.
            insideLongLine = !ended;
            continue;
        }
        while (chunk.endsWith('\n') || chunk.endsWith('\r'))
            chunk.chop(1);
        line(QString::fromLatin1(chunk));
    }
    return reading;
}

} // namespace forms
