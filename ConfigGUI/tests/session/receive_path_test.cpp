// The telnet receive path against a scripted server: a list block split across reads is
// completed by one extra read; a block whose rest does not come in time is applied as far
// as it arrived and reported.
#include "session_fixture.h"
#include "telnet_test_server.h"

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

TEST_F(ReceivePath, ASplitListBlockIsCompletedByOneExtraRead)
{
    QSignalSpy reads(static_cast<wiretalk::TelnetClientEvents *>(w->TelnetClient1),
                     &wiretalk::TelnetClientEvents::Read);
    server.send(kBlockStart);
    // The rest follows while the receive path waits for it.
    QTimer::singleShot(300, [this] { server.send(kBlockRest); });
    ASSERT_TRUE(waitForCondition([this] { return w->bGotPrompt; }));
    EXPECT_EQ(reads.count(), 1) << "the rest should have been read inside the first Read event";
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_TRUE(w->tmrKeepAlive->isActive());
    EXPECT_FALSE(w->completingSplitBlock);
}

TEST_F(ReceivePath, ABlockWhoseRestDoesNotComeIsReported)
{
    server.send(kBlockStart);
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
