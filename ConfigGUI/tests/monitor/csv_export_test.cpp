// The CSV writer: quoting, line ends, numbers whatever the locale, ISO 8601 times; and the
// time stamps of the communications log. The test runs with TZ=Europe/Berlin.
#include "csv_reading.h"
#include "monitor/csv_export.h"
#include "session/log_stamps.h"

#include <QDateTime>
#include <QLocale>
#include <gtest/gtest.h>

using namespace monitor;

TEST(CsvExport, FieldsAreQuotedOnlyWhenTheyMustBe)
{
    const struct
    {
        const char *in;
        const char *out;
    } cases[] = {
        {"", ""},
        {"plain text", "plain text"},
        {"UP,BROADCAST", "\"UP,BROADCAST\""},
        {"the \"radio\"", "\"the \"\"radio\"\"\""},
        {"\"", "\"\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"bare\nLF", "\"bare\nLF\""},
        {"bare\rCR", "\"bare\rCR\""},
        {" leading and trailing ", " leading and trailing "},
        {"semi;colon", "semi;colon"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(csvField(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(CsvExport, DocumentEndsEveryLineWithCrLfAndReadsBack)
{
    const QList<QStringList> rows{{"Time", "Station: 1,2", "Ä \"quoted\""},
                                  {"2026-03-05T09:07:03.000+01:00", "", "multi\nline"},
                                  {"", "", ""}};
    const QByteArray document = csvDocument(rows);
    EXPECT_TRUE(document.startsWith("Time,\"Station: 1,2\",\"\xC3\x84 \"\"quoted\"\"\"\r\n"));
    EXPECT_TRUE(document.endsWith(",,\r\n"));
    EXPECT_EQ(document.count("\r\n"), 3); // the LF inside the quoted field stays bare
    EXPECT_EQ(readCsv(document), rows);
    EXPECT_EQ(csvDocument({}), QByteArray());
}

TEST(CsvExport, NumbersUseADotInEveryLocale)
{
    const struct
    {
        double value;
        const char *text;
    } cases[] = {{12.5, "12.5"},           {0.1, "0.1"}, {3, "3"},       {-7.25, "-7.25"},
                 {1234567.5, "1234567.5"}, {0, "0"},     {1e-7, "1e-07"}};
    for (const QLocale::Language language : {QLocale::English, QLocale::German, QLocale::French}) {
        QLocale::setDefault(QLocale(language));
        for (const auto &c : cases)
            EXPECT_EQ(csvNumber(c.value), QLatin1String(c.text)) << QLocale().name().toStdString();
    }
    QLocale::setDefault(QLocale::c());
}

TEST(CsvExport, TimesAreIso8601WithTheirOffset)
{
    // Local times in Berlin: one in winter (+01:00), one in summer (+02:00).
    const QDateTime winter(QDate(2026, 3, 5), QTime(9, 7, 3, 250));
    const QDateTime summer(QDate(2026, 7, 1), QTime(0, 30, 0));
    EXPECT_EQ(isoTimestamp(winter, false), "2026-03-05T09:07:03.250+01:00");
    EXPECT_EQ(isoTimestamp(winter, true), "2026-03-05T08:07:03.250Z");
    EXPECT_EQ(isoTimestamp(summer, false), "2026-07-01T00:30:00.000+02:00");
    EXPECT_EQ(isoTimestamp(summer, true), "2026-06-30T22:30:00.000Z");
    // A time given in another zone is shown in the one chosen.
    const QDateTime western = QDateTime(QDate(2026, 3, 5), QTime(3, 7, 3, 250), Qt::OffsetFromUTC, -5 * 3600);
    EXPECT_EQ(isoTimestamp(western, false), "2026-03-05T09:07:03.250+01:00");
    EXPECT_EQ(isoTimestamp(western, true), "2026-03-05T08:07:03.250Z");
}

TEST(LogStampText, LocalTimeUtcAndTimeSinceOpened)
{
    using session::LogStampKind;
    const QDateTime opened(QDate(2026, 3, 5), QTime(23, 59, 58, 500));
    const struct
    {
        LogStampKind kind;
        QDateTime now;
        bool utc;
        const char *stamp;
    } cases[] = {
        {LogStampKind::None, opened, false, ""},
        {LogStampKind::LocalTime, opened, false, "2026-03-05 23:59:58.500"},
        {LogStampKind::LocalTime, opened, true, "2026-03-05 22:59:58.500Z"},
        {LogStampKind::SinceOpened, opened, false, "00:00:00.000"},
        {LogStampKind::SinceOpened, opened.addMSecs(61250), true, "00:01:01.250"},
        {LogStampKind::SinceOpened, opened.addSecs(100 * 3600 + 1), false, "100:00:01.000"},
        {LogStampKind::SinceOpened, opened.addSecs(-5), false, "00:00:00.000"}, // the clock was set back
    };
    for (const auto &c : cases)
        EXPECT_EQ(session::logStamp(c.kind, c.now, opened, c.utc), QLatin1String(c.stamp)) << c.stamp;
}

TEST(LogStampText, OneStampPerLineHoweverTheTextArrives)
{
    session::LogStamps stamps;
    QDateTime now(QDate(2026, 3, 5), QTime(9, 0, 0));
    stamps.clock.set([&] { return now; });
    stamps.kind = session::LogStampKind::SinceOpened;
    stamps.opened();

    const struct
    {
        qint64 afterMs;
        const char *piece;
        const char *written;
    } pieces[] = {
        {0, "Get 0", "00:00:00.000 Get 0"}, // a line begins
        {100, "1\r\n", "1\r\n"},            // ...and ends in the next piece
        {100, "GET=1;01=x\r\n>", "00:00:00.200 GET=1;01=x\r\n00:00:00.200 >"},
        {1000, "", ""},
        {50, "\r\n\r\n", "\r\n00:00:01.250 \r\n"}, // an empty line is a line too
        {5, "x", "00:00:01.255 x"},
        {0, "\ny\n", "\n00:00:01.255 y\n"}, // a bare line feed ends a line as well
    };
    for (const auto &p : pieces) {
        now = now.addMSecs(p.afterMs);
        EXPECT_EQ(stamps.stamped(QString::fromLatin1(p.piece), false), QLatin1String(p.written)) << p.piece;
    }

    // Without stamps the text is written as it came, yet the line it is in is remembered: a
    // choice made in the middle of a line stamps from the next line on.
    stamps.kind = session::LogStampKind::None;
    EXPECT_EQ(stamps.stamped(QStringLiteral("abc"), false), "abc");
    stamps.kind = session::LogStampKind::LocalTime;
    EXPECT_EQ(stamps.stamped(QStringLiteral("def\r\nghi"), false), "def\r\n2026-03-05 09:00:01.255 ghi");
    // Opening the log again starts a line.
    stamps.opened();
    EXPECT_EQ(stamps.stamped(QStringLiteral("jkl"), false), "2026-03-05 09:00:01.255 jkl");
}
