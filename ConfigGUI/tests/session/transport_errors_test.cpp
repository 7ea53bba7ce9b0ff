// The message tables of the telnet control's error codes and the serial control's events.
#include "session/transport_errors.h"

#include <gtest/gtest.h>

using namespace session;

TEST(TelnetErrors, EveryCodeHasItsTextAndConsequences)
{
    const struct
    {
        int code;
        const char *text;
        bool unload, end;
    } cases[] = {
        {27501, "Network subsystem failed to initialize!", true, true},
        {27503, "No handles available to this process!", false, false},
        {27504, "Invalid handle passed to function!", false, false},
        {27505, "Invalid handle passed to function!", false, false},
        {27506, "Memory allocation failed!", true, false},
        {27507, "Invalid parameter passed to function!", false, false},
        {27508, "Invalid host name specified!", true, true},
        {27509, "Invalid socket descriptor passed to function!", true, true},
        {27510, "Unable to establish connection with server!", true, true},
        {27511, "Operation timed out waiting for response from server!", true, true},
        {27512, "Invalid response from server!", false, false},
        {27513, "Failed to read data from server!", false, false},
        {27514, "Failed to write data to server!", false, false},
        {27515, "Operation should be retried!", false, false},
        {27516, "Internal buffer overflow!", false, false},
        {27517, "Connection to server is closed!", true, true},
        {27518, "Blocking operation in progress!", true, true},
        {27519, "Operation canceled by client!", false, false},
        {27520, "Unable to synchronize with server!", true, true},
        {27521, "Unsupported option!", false, false},
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

TEST(SerialEvents, EveryCodeHasItsKindAndText)
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
        {4, SerialEventKind::Ignored, ""},
        {5, SerialEventKind::Ignored, ""},
        {6, SerialEventKind::Status, "The Phone is Ringing"},
        {7, SerialEventKind::Status, "End of File Detected"},
        {1001, SerialEventKind::Error, "Break Received"},
        {1002, SerialEventKind::Error, "CTS Timeout"},
        {1003, SerialEventKind::Error, "DSR Timeout"},
        {1004, SerialEventKind::Error, "Framing Error"},
        {1005, SerialEventKind::Error, "Unknown error or event"},
        {1006, SerialEventKind::Error, "Overrun Error"},
        {1007, SerialEventKind::Error, "Carrier Detect Timeout"},
        {1008, SerialEventKind::Error, "Receive Buffer Overflow"},
        {1009, SerialEventKind::Error, "Parity Error"},
        {1010, SerialEventKind::Error, "Transmit Buffer Full"},
        {1011, SerialEventKind::Error, "Error retrieving DCB"},
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
