// The control in asynchronous mode against the test server: connect, data both ways,
// close by either side, and the events that go with them.
#include "telnet_test_server.h"

#include "wiretalk/socket_layer.h"
#include "wiretalk/telnet_client.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using linkset::testing::TelnetTestServer;
using wiretalk::TelnetClient;
using wiretalk::TelnetClientEvents;

namespace {

class AsyncClient : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.listening());
        client.setHostAddress(QStringLiteral("127.0.0.1"));
        client.setRemotePort(server.port());
    }

    // Connects and waits for the Connect event.
    void connectClient()
    {
        QSignalSpy connected(&client, &TelnetClientEvents::Connect);
        ASSERT_EQ(client.Connect(), 0);
        ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return connected.count() == 1; }));
        ASSERT_TRUE(server.waitForConnection());
    }

    TelnetTestServer server;
    TelnetClient client;
};

TEST_F(AsyncClient, ConnectsReadsWritesAndDisconnects)
{
    EXPECT_EQ(client.State(), TelnetClient::StateIdle);
    connectClient();
    EXPECT_TRUE(client.Connected());
    EXPECT_EQ(client.State(), TelnetClient::StateConnected);

    QString text;
    short announced = 0;
    QObject::connect(&client, &TelnetClientEvents::Read, [&](short &length) {
        announced = length;
        client.Read(text, 100);
    });
    server.send("hello>");
    ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return !text.isEmpty(); }));
    EXPECT_EQ(text, QStringLiteral("hello>"));
    EXPECT_EQ(announced, 6);
    EXPECT_EQ(client.RecvLen(), 6);

    const QString command = QStringLiteral("Get 01\r");
    EXPECT_EQ(client.Write(command, static_cast<short>(command.size())), 7);
    EXPECT_EQ(client.SendLen(), 7);
    ASSERT_TRUE(server.waitForReceived(7));
    EXPECT_EQ(server.received(), QByteArray("Get 01\r"));

    EXPECT_EQ(client.Disconnect(), 0);
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(client.Handle(), -1);
    EXPECT_EQ(client.State(), TelnetClient::StateIdle);
    EXPECT_TRUE(server.waitForClosed());
}

TEST_F(AsyncClient, PeerCloseRaisesDisconnectAndReadsFailWithClosed)
{
    connectClient();
    QSignalSpy disconnected(&client, &TelnetClientEvents::Disconnect);
    server.closeConnection();
    ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return disconnected.count() >= 1; }));
    EXPECT_TRUE(client.IsClosed());
    QString text;
    EXPECT_EQ(client.Read(text, 10), -1);
    EXPECT_EQ(client.LastError(), wiretalk::kErrClosed);
    EXPECT_EQ(disconnected.count(), 1);
}

TEST_F(AsyncClient, RefusedConnectReportsUnknownError27510)
{
    {
        TelnetTestServer closedSoon; // a port that was listening a moment ago and is free now
        client.setRemotePort(closedSoon.port());
    }
    QList<std::tuple<short, QString>> reports;
    QObject::connect(&client, &TelnetClientEvents::LastError, [&](short &code, QString &text, short &) {
        reports.append({code, text});
    });
    ASSERT_EQ(client.Connect(), 0); // the refusal arrives later, as a notification
    ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return !reports.isEmpty(); }));
    EXPECT_EQ(std::get<0>(reports.first()), 27510);
    EXPECT_EQ(std::get<1>(reports.first()), QStringLiteral("Unknown control error 27510"));
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(client.Handle(), -1);
}

} // namespace
