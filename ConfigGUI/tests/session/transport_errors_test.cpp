// The reports of the telnet control's error codes and the serial control's events: one code of
// each kind of consequence, and the codes outside the tables.
#include "session/transport_errors.h"

#include <gtest/gtest.h>

using namespace session;

TEST(TelnetErrors, ACodeGivesItsTextAndConsequences)
{
    const struct
    {
        int code;
        const char *text;
        bool unload, end;
    } cases[] = {
        {27510, "Unable to establish connection with server!", true, true},
        {27506, "Memory allocation failed!", true, false},
        {27513, "Failed to read data from server!", false, false},
    };
    for (const auto &c : cases) {
        const TelnetErrorReport report = telnetErrorReport(c.code, QStringLiteral("ignored"));
        EXPECT_EQ(report.text, QString::fromLatin1(c.text)) << c.code;
        EXPECT_EQ(report.unloadAnimation, c.unload) << c.code;
        EXPECT_EQ(report.endSession, c.end) << c.code;
    }
}

TEST(TelnetErrors, OtherCodesQuoteTheControlsDescription)
{
    for (int code : {27502, 27522, 10061, 0}) {
        const TelnetErrorReport report =
            telnetErrorReport(code, QStringLiteral("Unknown control error %1").arg(code));
        EXPECT_EQ(report.text,
                  QStringLiteral("Unspecified Error:%1\r\nDescription: Unknown control error %1").arg(code));
        EXPECT_FALSE(report.unloadAnimation);
        EXPECT_FALSE(report.endSession);
    }
}

TEST(SerialEvents, ACodeGivesItsKindAndText)
{
    const struct
    {
        int code;
        SerialEventKind kind;
        const char *text;
    } cases[] = {
        {1, SerialEventKind::Send, ""},
        {2, SerialEventKind::Receive, ""},
        {3, SerialEventKind::Ignored, ""},
        {6, SerialEventKind::Status, "The Phone is Ringing"},
        {1004, SerialEventKind::Error, "Framing Error"},
        // 1005 and the codes outside the table have no text of their own.
        {1005, SerialEventKind::Error, "Unknown error or event"},
        {0, SerialEventKind::Error, "Unknown error or event"},
        {8, SerialEventKind::Error, "Unknown error or event"},
        {1012, SerialEventKind::Error, "Unknown error or event"},
    };
    for (const auto &c : cases) {
        const SerialEventReport report = serialEventReport(c.code);
        EXPECT_EQ(report.kind, c.kind) << c.code;
        EXPECT_EQ(report.text, QString::fromLatin1(c.text)) << c.code;
    }
}
