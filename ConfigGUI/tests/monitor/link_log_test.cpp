// The link log end to end: readings reach the window from the simulated unit, the clock is
// set, and the file is compared byte for byte.
#include "monitor_fixture.h"

#include "monitor/link_log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <unitsim/simulated_unit.h>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class LinkLog : public MonitorFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    }
    void TearDown() override
    {
        MonitorFixture::TearDown();
        qunsetenv("XDG_DATA_HOME");
    }

    // Connected and retrieved, logging selected; no poll comes by itself during a case.
    void startLogging()
    {
        connectAndRetrieve();
        ui().mnuUtilitiesMonitoringRate60sec->trigger();
        w->monitors().clock.set([this] { return now; });
        w->option(QStringLiteral("optDataLogging"), 1)->click();
    }
    QString logPath() const { return QDir::fromNativeSeparators(ui().txtLogFileName->text()); }
    // Lets the logging timer fire once.
    bool logOnce()
    {
        const qint64 before = QFileInfo(logPath()).size();
        w->tmrDataLogging->setInterval(10);
        const bool written = waitForCondition([&] {
            if (QFileInfo(logPath()).size() == before && w->tmrDataLogging->isActive())
                return false;
            w->tmrDataLogging->setInterval(3600 * 1000);
            return true;
        });
        return written;
    }
    // A reading as the unit sends it.
    void unitSends(const std::string &lines, const std::function<bool()> &arrived)
    {
        ASSERT_TRUE(unit->sendUnasked(unitsim::FrontEnd::Telnet, lines));
        ASSERT_TRUE(waitForCondition(arrived));
    }

    QTemporaryDir home;
    QDateTime now{QDate(2026, 3, 5), QTime(9, 7, 3)};
};

TEST_F(LinkLog, RssiAndPerEntriesAsExpected)
{
    startLogging();
    EXPECT_EQ(logPath(), home.path() + "/linkset_link_log_test/log/link.log");
    EXPECT_TRUE(ui().txtLogSeconds->isEnabled());
    EXPECT_FALSE(QFile::exists(logPath())); // no monitor runs yet

    ui().chkRSSIMonitor->click();
    for (const int rssi : {37, 41, 8}) {
        now = now.addSecs(10);
        const int points = rssiChart().pointCount();
        unitSends("RADIO RSSI=0;" + std::to_string(rssi) + "\r\n>",
                  [&] { return rssiChart().pointCount() == points + 1; });
        ASSERT_TRUE(logOnce());
    }

    ui().chkContinuousPacketLoss->click();
    for (const char *rates : {"12.5", "0", "3.25"}) {
        now = now.addSecs(3600);
        const int points = perChart().pointCount();
        const std::string rate(rates);
        unitSends("PER=1;START\r\nPER=101;200;25;" + rate +
                      "\r\nPER=102;100;1;1.00\r\nPER=103;100;0;0.00\r\nPER=1;END\r\n>",
                  [&] { return perChart().pointCount() == points + 1; });
        ASSERT_TRUE(logOnce());
    }
    ui().chkContinuousPacketLoss->click();
    EXPECT_FALSE(w->tmrDataLogging->isActive());

    EXPECT_EQ(contents(logPath()), contents(QStringLiteral(MONITOR_TEST_DATA "/link_log_expected.log")));
    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join(" | ").toStdString();
}

TEST_F(LinkLog, BrowseAsksBeforeClearingAndNoAppends)
{
    startLogging();
    const QString path = home.path() + "/old.log";
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old entries\r\n");
    }
    files.answerNext(path);
    files.answerNext(path);
    boxes.answerNext(platform::MsgAnswer::Cancel); // asks again
    boxes.answerNext(platform::MsgAnswer::No);     // keeps the file
    ui().cmdBrowseLogFile->click();
    ASSERT_EQ(files.requests().size(), 2);
    EXPECT_EQ(files.requests()[0].title, "Open Automatic Data Logging File");
    EXPECT_TRUE(files.requests()[0].newNameAllowed);
    EXPECT_EQ(boxes.texts(), QStringList(2, "Clear existing file - " + QDir::toNativeSeparators(path) + "?"));
    EXPECT_EQ(logPath(), path);

    ui().chkRSSIMonitor->click();
    EXPECT_EQ(contents(path),
              "old entries\r\n\r\n\r\n\r\nUnit Model & Software Version: Hadra v2.4    Serial #: "
              "HD2401175\r\n\r\n");
    EXPECT_TRUE(w->tmrDataLogging->isActive());
    EXPECT_EQ(w->tmrDataLogging->interval(), 10000);
}

TEST_F(LinkLog, AWriteThatFailsStopsLoggingWithOneMessage)
{
    startLogging();
    // The log's folder vanishes while logging runs.
    const QString folder = home.path() + "/gone";
    ASSERT_TRUE(QDir().mkpath(folder));
    files.answerNext(folder + "/link.log");
    ui().cmdBrowseLogFile->click();
    ui().chkRSSIMonitor->click();
    ASSERT_TRUE(w->tmrDataLogging->isActive());
    unitSends("RADIO RSSI=0;20\r\n>", [&] { return rssiChart().pointCount() > 0; });
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(logOnce());
    EXPECT_FALSE(w->tmrDataLogging->isActive());
    EXPECT_EQ(boxes.titles(), QStringList{"Warning"});

    // A log whose folder is a regular file: the header fails, the file keeps what it held.
    ui().chkRSSIMonitor->click();
    boxes.clear();
    const QString regular = home.path() + "/notes.txt";
    {
        QFile file(regular);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep me");
    }
    files.answerNext(regular + "/link.log");
    ui().cmdBrowseLogFile->click();
    ui().chkRSSIMonitor->click();
    EXPECT_FALSE(w->tmrDataLogging->isActive());
    EXPECT_EQ(boxes.titles(), QStringList{"Warning"});
    EXPECT_EQ(contents(regular), "keep me");
}

TEST_F(LinkLog, TheIntervalIsWholeSecondsFromOneToAnHour)
{
    startLogging();
    QLineEdit &seconds = *ui().txtLogSeconds;
    struct Case
    {
        const char *typed;
        const char *kept;
        bool refused;
    };
    for (const Case &c : {Case{"30", "30", false}, Case{"0", "30", true}, Case{"3601", "30", true},
                          Case{"1.5", "30", true}, Case{"3600", "3600", false}, Case{"", "3600", true}}) {
        boxes.clear();
        seconds.selectAll();
        QTest::keyClick(&seconds, Qt::Key_Backspace);
        QTest::keyClicks(&seconds, QString::fromLatin1(c.typed));
        QTest::keyClick(&seconds, Qt::Key_Return);
        EXPECT_EQ(seconds.text(), c.kept) << c.typed;
        EXPECT_EQ(boxes.shown().size(), c.refused ? 1 : 0) << c.typed;
    }
    ui().chkRSSIMonitor->click();
    EXPECT_EQ(w->tmrDataLogging->interval(), 3600 * 1000);
}

} // namespace
