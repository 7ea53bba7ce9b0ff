// Time stamps in the communications log end to end: the choice made in the File menu of the
// terminal view, text from the simulated unit arriving in pieces at set times, typed commands
// echoed by the unit, and the log file read back. The test runs with TZ=Europe/Berlin.
#include "session_fixture.h"

#include "platform/settings_store.h"
#include "session/log_stamps.h"
#include "ui_frmTevoHadraConfig.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <unitsim/simulated_unit.h>

namespace {

class LogTimeStamps : public SessionFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        forgetSettings();
        start();
        ASSERT_TRUE(connectTelnetAndLogIn());
        w->logStamps->clock.set([this] { return now; });
        w->ui->mnuWindowUseTerminal->trigger();
    }
    QAction *entry(const char *name) const { return w->findChild<QAction *>(QLatin1String(name)); }
    void choose(const char *kind) { entry((std::string("mnuFileLogTimeStamps") + kind).c_str())->trigger(); }
    QString openLog(const QString &name)
    {
        files.answerNext(dir.filePath(name));
        w->ui->mnuFileLoad->trigger();
        EXPECT_TRUE(w->communicationsLog);
        return dir.filePath(name);
    }
    QString shown() const { return w->ui->txtTerm->toPlainText(); }
    // Text from the unit, awaited on the screen.
    void unitSends(const std::string &bytes, const std::function<bool()> &arrived)
    {
        ASSERT_TRUE(unit->sendUnasked(unitsim::FrontEnd::Telnet, bytes));
        ASSERT_TRUE(waitForCondition(arrived)) << shown().toStdString();
    }
    void unitSends(const std::string &bytes, const QString &shownEnd)
    {
        unitSends(bytes, [&] { return shown().endsWith(shownEnd); });
    }
    static std::string text(const QByteArray &bytes) { return bytes.toStdString(); }
    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QDateTime now{QDate(2026, 3, 5), QTime(9, 7, 3)};
};

TEST_F(LogTimeStamps, OffUntilChosenThenOneStampPerLineHoweverItArrives)
{
    EXPECT_TRUE(entry("mnuFileLogTimeStampsNone")->isChecked());
    const QString plain = openLog("plain.log");
    unitSends("no stamps\r\n", "no stamps\n");
    w->ui->mnuFileSave->trigger();
    EXPECT_EQ(contents(plain), "no stamps\r\n");

    choose("LocalTime");
    const QString path = openLog("stamped.log");
    // A line split across two receives, then a bare line feed (which reaches the window as a
    // line end), then an empty line and the prompt.
    unitSends("Radio st", "Radio st");
    now = now.addSecs(1);
    unitSends("atus: on\r\nsecond line\n still second\r\n", "still second\n");
    now = now.addSecs(1);
    unitSends("\r\n>", "\n>");
    // A typed command appears as the unit's echo, in the line the prompt began.
    now = now.addSecs(1);
    QTest::keyClicks(w->ui->txtTerm, QStringLiteral("Get 04"));
    QTest::keyClick(w->ui->txtTerm, Qt::Key_Return);
    const QString value = QString::fromStdString(unit->parameter("04").value_or(""));
    ASSERT_TRUE(waitForCondition([&] { return shown().endsWith("GET=1;04=" + value + "\n>"); }))
        << shown().toStdString();
    w->ui->mnuFileSave->trigger();

    const std::string expected = "2026-03-05 09:07:03.000 Radio status: on\r\n"
                                 "2026-03-05 09:07:04.000 second line\r\n"
                                 "2026-03-05 09:07:04.000  still second\r\n"
                                 "2026-03-05 09:07:05.000 \r\n"
                                 "2026-03-05 09:07:05.000 >Get 04\r\n"
                                 "2026-03-05 09:07:06.000 GET=1;04=" +
                                 value.toStdString() + "\r\n2026-03-05 09:07:06.000 >";
    EXPECT_EQ(text(contents(path)), expected);
    // The screen shows the text without stamps.
    EXPECT_FALSE(shown().contains("2026-03-05"));
    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join(" | ").toStdString();
}

TEST_F(LogTimeStamps, TimeSinceOpenedAndUtcAreRemembered)
{
    choose("SinceOpened");
    EXPECT_EQ(platform::loadSetting(QStringLiteral("LogTimeStamps")), "SinceOpened");
    const QString since = openLog("since.log");
    now = now.addMSecs(61250);
    unitSends("one\r\n", "one\n");
    now = now.addSecs(3600);
    unitSends("two\r\n", "two\n");
    w->ui->mnuFileSave->trigger();
    EXPECT_EQ(contents(since), "00:01:01.250 one\r\n01:01:01.250 two\r\n");

    // A window started later offers the same choice.
    {
        frmTevoHadraConfig second;
        EXPECT_TRUE(
            second.findChild<QAction *>(QStringLiteral("mnuFileLogTimeStampsSinceOpened"))->isChecked());
        EXPECT_EQ(second.logStamps->kind, session::LogStampKind::SinceOpened);
    }

    // Times in UTC, from the Utilities menu.
    entry("mnuUtilitiesTimesInUTC")->trigger();
    choose("LocalTime");
    now = QDateTime(QDate(2026, 3, 5), QTime(9, 7, 3));
    const QString utc = openLog("utc.log");
    unitSends("three\r\n", "three\n");
    w->ui->mnuFileSave->trigger();
    EXPECT_EQ(contents(utc), "2026-03-05 08:07:03.000Z three\r\n"); // 09:07:03 in Berlin

    // Back to none: the log is written as the screen shows it.
    choose("None");
    const QString none = openLog("none.log");
    unitSends("four\r\n", "four\n");
    w->ui->mnuFileSave->trigger();
    EXPECT_EQ(contents(none), "four\r\n");
}

TEST_F(LogTimeStamps, TheScreenIsTrimmedAsWithoutStamps)
{
    choose("LocalTime");
    const QString path = openLog("long.log");
    w->ui->txtTerm->clear();
    unitSends(std::string(16001, 'a'), [&] { return shown().size() == 16001; });
    unitSends("tail", "tail");
    EXPECT_EQ(shown().size(), 16001 - 4096 + 4);
    w->ui->mnuFileSave->trigger();
    // One line: one stamp, however many pieces the unit's text came in.
    EXPECT_EQ(contents(path), "2026-03-05 09:07:03.000 " + QByteArray(16001, 'a') + "tail");
}

} // namespace
