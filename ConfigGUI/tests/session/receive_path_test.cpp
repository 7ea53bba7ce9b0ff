// The telnet receive path against a scripted server: a list block split across reads is
// gathered until its end line and parsed whole; a block whose rest does not come in time,
// or that grows past its limit, is applied as far as it arrived and reported.
#include "session_fixture.h"
#include "telnet_test_server.h"
#include "ui_frmTevoHadraConfig.h"
#include "window_fixture.h"

#include <QSignalSpy>
#include <QTimer>
#include <wiretalk/telnet_client.h>

using linkset::testing::TelnetTestServer;

namespace {

const QByteArray kBlockStart = "IP ROUTE=1;START\r\nIP ROUTE=10.1.0.0;255.255.0.0;10.0.0.1;UG\r\n";
const QByteArray kBlockRest = "IP ROUTE=10.2.0.0;255.255.0.0;10.0.0.1;UG\r\nIP ROUTE=1;END\r\n>";

} // namespace

class ReceivePath : public SessionFixture
{
protected:
    void SetUp() override
    {
        start();
        ASSERT_TRUE(server.listening());
        requestTelnetConnection(server.port());
        ASSERT_TRUE(waitForCondition([this] { return w->telnetConnected(); }));
        ASSERT_TRUE(server.waitForConnection());
    }

    TelnetTestServer server;
};

TEST_F(ReceivePath, ASplitListBlockIsGatheredUntilItsEndLine)
{
    QSignalSpy reads(static_cast<wiretalk::TelnetClientEvents *>(w->TelnetClient1),
                     &wiretalk::TelnetClientEvents::Read);
    // The rest comes in three pieces, one cutting a line and one cutting the end line.
    server.send(kBlockStart);
    const qsizetype endMark = kBlockRest.indexOf("=1;END");
    QTimer::singleShot(100, [this] { server.send(kBlockRest.left(20)); });
    QTimer::singleShot(200, [this, endMark] { server.send(kBlockRest.mid(20, endMark + 2 - 20)); });
    QTimer::singleShot(300, [this, endMark] { server.send(kBlockRest.mid(endMark + 2)); });
    ASSERT_TRUE(waitForCondition([this] { return w->bGotPrompt; }));
    EXPECT_EQ(reads.count(), 1) << "the rest should have been read inside the first Read event";
    EXPECT_EQ(rowsOf(w->ui->lviewRouterRoutes),
              (QList<QStringList>{{"10.1.0.0", "255.255.0.0", "10.0.0.1", "UG", "", ""},
                                  {"10.2.0.0", "255.255.0.0", "10.0.0.1", "UG", "", ""}}));
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_TRUE(w->tmrKeepAlive->isActive());
    EXPECT_FALSE(w->completingSplitBlock);
}

TEST_F(ReceivePath, ABlockPastTheLimitIsReportedWithoutWaitingForItsEnd)
{
    QByteArray endless = "IP ROUTE=1;START\r\n";
    while (endless.size() < (1 << 20) + 4096)
        endless += "IP ROUTE=10.1.0.0;255.255.0.0;10.0.0.1;UG\r\n";
    server.send(endless);
    // Within the bounded wait below, far sooner than the exchange's time-out.
    ASSERT_TRUE(waitForCondition([this] { return !boxes.shown().isEmpty(); }, 10000));
    EXPECT_TRUE(
        boxes.shown()[0].text.startsWith(QStringLiteral("Problems retrieving table data for IP ROUTE\r")));
    EXPECT_GT(w->ui->lviewRouterRoutes->topLevelItemCount(), 10000);
    EXPECT_FALSE(w->completingSplitBlock);
}

TEST_F(ReceivePath, ABlockWhoseRestDoesNotComeIsReported)
{
    w->listBlockSeconds = 0.5;
    // The block is named after its own start line, wherever that stands in the text.
    server.send("GET=1;01=Mast\r\n" + kBlockStart);
    ASSERT_TRUE(waitForCondition([this] { return !boxes.shown().isEmpty(); }));
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("IP Communication Error: 1001"));
    EXPECT_EQ(boxes.shown()[0].text,
              QStringLiteral("Problems retrieving table data for IP ROUTE\r"
                             "Please check the IP connection to the device and try again!"));
    EXPECT_EQ(boxes.shown()[0].icon, platform::MsgIcon::Critical);
    EXPECT_FALSE(w->tmrKeepAlive->isActive()); // until the next read
    EXPECT_FALSE(w->bGotPrompt);

    // The late rest is taken as ordinary text, and the session goes on.
    server.send(kBlockRest);
    ASSERT_TRUE(waitForCondition([this] { return w->bGotPrompt; }));
    EXPECT_TRUE(w->tmrKeepAlive->isActive());
    EXPECT_TRUE(w->telnetConnected());
    EXPECT_EQ(boxes.shown().size(), 1);
}

TEST_F(ReceivePath, AClosedConnectionEndsTheWaitForTheRest)
{
    server.send(kBlockStart);
    QTimer::singleShot(200, [this] { server.closeConnection(); });
    ASSERT_TRUE(waitForCondition([this] { return !w->telnetConnected() && boxes.shown().size() >= 2; }));
    EXPECT_TRUE(boxes.titles().contains(QStringLiteral("CONNECTION LOST")));
    EXPECT_FALSE(w->completingSplitBlock);
}
