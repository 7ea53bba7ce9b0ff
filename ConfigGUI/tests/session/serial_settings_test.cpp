// The serial settings text: what the control accepts, refuses and reports, and how the
// properties dialog reads and builds it.
#include "session/serial_error.h"
#include "session/serial_settings.h"

#include <gtest/gtest.h>

using namespace session;

TEST(SerialSettings, AcceptedTextsReadBackWithALowerCaseParity)
{
    const struct
    {
        const char *in;
        const char *readBack;
    } cases[] = {
        {"9600,n,8,1", "9600,n,8,1"}, {"9600,N,8,1", "9600,n,8,1"},         {"115200,E,7,2", "115200,e,7,2"},
        {"300,O,5,1", "300,o,5,1"},   {" 2400 , m , 6 , 1 ", "2400,m,6,1"}, {"56000,S,8,2", "56000,s,8,2"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatSerialSettings(parseSerialSettings(QString::fromLatin1(c.in))),
                  QString::fromLatin1(c.readBack))
            << c.in;
}

TEST(SerialSettings, RefusedTextsSayWhy)
{
    const struct
    {
        const char *in;
        const char *reason;
    } cases[] = {
        {"9600,n,8,1.5", "1.5 stop bits are not supported"},
        {"9600,n,4,1", "4 data bits are not supported"},
        {"9600,x,8,1", "parity"},
        {"fast,n,8,1", "speed"},
        {"-5,n,8,1", "speed"},
        {"9600,n,9,1", "data bits"},
        {"9600,n,8,3", "stop bits"},
        {"9600,n,8", "of the form"},
        {"", "of the form"},
    };
    for (const auto &c : cases) {
        try {
            parseSerialSettings(QString::fromLatin1(c.in));
            ADD_FAILURE() << c.in << " was accepted";
        } catch (const SerialError &error) {
            EXPECT_EQ(error.number(), SerialError::InvalidPropertyValue);
            EXPECT_TRUE(error.description().contains(QString::fromLatin1(c.reason)))
                << error.description().toStdString();
        }
    }
}

TEST(SerialSettings, DialogSplitsTheTextByPosition)
{
    const struct
    {
        const char *text, *speed, *parity, *dataBits, *stopBits;
    } cases[] = {
        {"9600,n,8,1", "9600", "n", "8", "1"},
        {"115200,e,7,2", "115200", "e", "7", "2"},
        {"110,o,5,1.5", "110", "o", "5", "1.5"},
        {"256000,s,8,1.5", "256000", "s", "8", "1.5"},
    };
    for (const auto &c : cases) {
        const SettingsTextFields fields = splitSettingsText(QString::fromLatin1(c.text));
        EXPECT_EQ(fields.speed, QString::fromLatin1(c.speed)) << c.text;
        EXPECT_EQ(fields.parity, QLatin1Char(c.parity[0])) << c.text;
        EXPECT_EQ(fields.dataBits, QString::fromLatin1(c.dataBits)) << c.text;
        EXPECT_EQ(fields.stopBits, QString::fromLatin1(c.stopBits)) << c.text;
    }
    EXPECT_TRUE(splitSettingsText(QStringLiteral("9600")).speed.isEmpty()); // too short to hold the fields
}

TEST(SerialSettings, DialogBuildsTheTextWithTheParityInitial)
{
    EXPECT_EQ(buildSettingsText(QStringLiteral(" 9600 "), QStringLiteral("Odd"), QStringLiteral("8"),
                                QStringLiteral("1")),
              QStringLiteral("9600,O,8,1"));
    EXPECT_EQ(buildSettingsText(QStringLiteral("19200"), QStringLiteral("Space"), QStringLiteral("7"),
                                QStringLiteral("2")),
              QStringLiteral("19200,S,7,2"));
}

TEST(SerialSettings, HandshakingThreeAndOutOfRangeAreRefused)
{
    EXPECT_EQ(flowControlFor(0), QSerialPort::NoFlowControl);
    EXPECT_EQ(flowControlFor(1), QSerialPort::SoftwareControl);
    EXPECT_EQ(flowControlFor(2), QSerialPort::HardwareControl);
    EXPECT_THROW(flowControlFor(3), SerialError);
    EXPECT_THROW(flowControlFor(4), SerialError);
    EXPECT_THROW(flowControlFor(-1), SerialError);
}
