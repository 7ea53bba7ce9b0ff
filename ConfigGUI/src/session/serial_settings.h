#pragma once
// The serial settings text "speed,parity,data bits,stop bits" (for example "9600,n,8,1"):
// parsing it into line settings, checking it, and writing it back in the form the serial
// control reports (parity letter in lower case).
#include <QSerialPort>
#include <QString>
#include <optional>

namespace session {

struct SerialLineSettings
{
    qint32 speed = 9600;
    QChar parity = QLatin1Char('n'); // lower case: e, o, n, m, s
    int dataBits = 8;
    QString stopBits = QStringLiteral("1"); // "1", "1.5" or "2"

    bool operator==(const SerialLineSettings &) const = default;
};

// Parses a settings text. Throws SerialError (invalid property value) with a description
// that says what is wrong, also for what this platform cannot do: 4 data bits and 1.5
// stop bits.
SerialLineSettings parseSerialSettings(const QString &text);

// "9600,n,8,1"
QString formatSerialSettings(const SerialLineSettings &settings);

// The serial properties dialog's reading of a settings text, position by position:
// speed, parity letter, data bits and stop bits ("1.5" recognised by its ".").
struct SettingsTextFields
{
    QString speed;
    QChar parity;
    QString dataBits;
    QString stopBits;
};
SettingsTextFields splitSettingsText(const QString &settings);

// The settings text the dialog builds from its lists: the first letter of the parity
// entry in upper case ("Odd" -> "O").
QString buildSettingsText(const QString &speed, const QString &parityEntry, const QString &dataBits,
                          const QString &stopBits);

// Handshaking numbers: 0 none, 1 Xon/Xoff, 2 RTS, 3 RTS together with Xon/Xoff (refused
// here). Throws SerialError for numbers this platform cannot do.
QSerialPort::FlowControl flowControlFor(int handshaking);

} // namespace session
