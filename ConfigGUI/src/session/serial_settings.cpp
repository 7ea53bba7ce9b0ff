#include "session/serial_settings.h"

#include "session/serial_error.h"

#include <QStringList>

namespace session {

namespace {

[[noreturn]] void refuse(const QString &why)
{
    throw SerialError(SerialError::InvalidPropertyValue, QStringLiteral("Invalid property value: ") + why);
}

} // namespace

SerialLineSettings parseSerialSettings(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        refuse(QStringLiteral("\"%1\" is not of the form speed,parity,data bits,stop bits").arg(text));

    SerialLineSettings settings;
    bool ok = false;
    settings.speed = parts[0].trimmed().toInt(&ok);
    if (!ok || settings.speed <= 0)
        refuse(QStringLiteral("the speed \"%1\" is not a positive number").arg(parts[0].trimmed()));

    const QString parity = parts[1].trimmed().toLower();
    if (parity.size() != 1 || !QStringLiteral("eonms").contains(parity))
        refuse(QStringLiteral("the parity \"%1\" is not one of E, O, N, M, S").arg(parts[1].trimmed()));
    settings.parity = parity.at(0);

    settings.dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || settings.dataBits < 4 || settings.dataBits > 8)
        refuse(QStringLiteral("%1 data bits are not possible").arg(parts[2].trimmed()));
    if (settings.dataBits == 4)
        refuse(QStringLiteral("4 data bits are not supported by this system's serial ports"));

    settings.stopBits = parts[3].trimmed();
    if (settings.stopBits == QLatin1String("1.5"))
        refuse(QStringLiteral("1.5 stop bits are not supported by this system's serial ports"));
    if (settings.stopBits != QLatin1String("1") && settings.stopBits != QLatin1String("2"))
        refuse(QStringLiteral("%1 stop bits are not possible").arg(settings.stopBits));
    return settings;
}

QString formatSerialSettings(const SerialLineSettings &settings)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(settings.speed)
        .arg(settings.parity)
        .arg(settings.dataBits)
        .arg(settings.stopBits);
}

SettingsTextFields splitSettingsText(const QString &s)
{
    // Positions counted from the end, so that any speed length works: the text ends in
    // ",p,d,s" (6 characters) or ",p,d,1.5" (8).
    const qsizetype k = s.contains(QLatin1Char('.')) ? 2 : 0;
    const qsizetype n = s.size();
    SettingsTextFields fields;
    if (n < 7 + k)
        return fields;
    fields.speed = s.left(n - 6 - k);
    fields.parity = s.at(n - 5 - k);
    fields.dataBits = s.mid(n - 3 - k, 1);
    fields.stopBits = s.right(1 + k);
    return fields;
}

QString buildSettingsText(const QString &speed, const QString &parityEntry, const QString &dataBits,
                          const QString &stopBits)
{
    return speed.trimmed() + QLatin1Char(',') + parityEntry.left(1).toUpper() + QLatin1Char(',') +
           dataBits.trimmed() + QLatin1Char(',') + stopBits.trimmed();
}

QSerialPort::FlowControl flowControlFor(int handshaking)
{
    switch (handshaking) {
    case 0:
        return QSerialPort::NoFlowControl;
    case 1:
        return QSerialPort::SoftwareControl;
    case 2:
        return QSerialPort::HardwareControl;
    case 3:
        throw SerialError(
            SerialError::InvalidPropertyValue,
            QStringLiteral("Invalid property value: handshaking 3 (RTS together with Xon/Xoff) is "
                           "not supported by this system's serial ports"));
    default:
        throw SerialError(
            SerialError::InvalidPropertyValue,
            QStringLiteral("Invalid property value: handshaking must be 0 to 3, not %1").arg(handshaking));
    }
}

} // namespace session
