// The control in asynchronous mode against the test server: connect, data both ways,
// close by either side, and the events that go with them.
#include "telnet_test_server.h"

#include "raised_error.h"
#include "wiretalk/socket_layer.h"
#include "wiretalk/telnet_client.h"
#include "wiretalk/telnet_engine.h"

#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/ioctl.h>

using linkset::testing::TelnetTestServer;
using wiretalk::TelnetClient;
using wiretalk::TelnetClientEvents;
using wiretalk::testing::raisedNumber;

namespace {

// Turns the event loop a few times, so that posted notifications are delivered.
void deliverPosted()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

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
    QSignalSpy writable(&client, &TelnetClientEvents::Write);
    connectClient();
    EXPECT_TRUE(client.Connected());
    EXPECT_TRUE(TelnetTestServer::waitUntil([&] { return writable.count() == 1; })); // once after connect
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
    EXPECT_EQ(writable.count(), 1); // armed again only by a send that would block

    EXPECT_EQ(client.Disconnect(), 0);
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(client.Handle(), -1);
    EXPECT_EQ(client.State(), TelnetClient::StateIdle);
    EXPECT_TRUE(server.waitForClosed());
}

// The announced count is the raw buffered count, telnet commands included: a handler
// that reads exactly that many bytes can leave text behind in the buffer when more has
// arrived meanwhile. The engine must announce what it left.
TEST_F(AsyncClient, TextLeftBehindByAReadOfTheAnnouncedCountIsAnnouncedAgain)
{
    connectClient();
    QString text;
    QList<short> announced;
    QObject::connect(&client, &TelnetClientEvents::Read, [&](short &length) {
        announced.append(length);
        if (announced.size() == 1) {
            // The greeting reaches the socket before the negotiation bytes are read, and the
            // event loop does not turn in between (poll, not the loop, waits for it).
            server.send("Username: ");
            pollfd socket{wiretalk::TelnetGetSocket(client.Handle()), POLLIN, 0};
            ASSERT_EQ(::poll(&socket, 1, 5000), 1);
            int pending = 0;
            ASSERT_EQ(::ioctl(socket.fd, FIONREAD, &pending), 0);
            ASSERT_EQ(pending, 10); // one write of 10 bytes arrives whole on loopback
        }
        QString part;
        client.Read(part, length);
        text += part;
    });
    server.send(QByteArray("\xff\xfb\x03\xff\xfb\x03\xff\xfb\x03", 9));
    ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return text.size() == 10; }));
    EXPECT_EQ(text, QStringLiteral("Username: "));
    EXPECT_EQ(announced, (QList<short>{9, 1}));
}

// A read waiting for the rest of a split telnet command turns the event loop; a Read
// handler that runs inside that wait must not take the bytes the waiting read is owed.
// The rest is sent from inside the wait (a zero timer runs only there), and the wait
// turns the loop until the client's socket holds it, so its notification is delivered
// inside the wait too.
TEST_F(AsyncClient, AReadNestedInTheWaitOfAnotherLeavesTheCommandToIt)
{
    connectClient();
    QString text;
    int handlerRuns = 0;
    QObject::connect(&client, &TelnetClientEvents::Read, [&](short &) {
        if (++handlerRuns == 1) {
            QTimer::singleShot(0, [&] {
                server.send(QByteArray("\xfd\x03rest", 6)); // DO SUPPRESS-GO-AHEAD, then text
                EXPECT_TRUE(
                    TelnetTestServer::waitUntil([&] { return client.RecvNext() > 0 || handlerRuns > 1; }));
                deliverPosted();
            });
        }
        QString part;
        client.Read(part, 100);
        text += part;
    });
    server.send("first\xff");
    ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return text.size() >= 9; }));
    EXPECT_EQ(text, QStringLiteral("firstrest"));
    ASSERT_TRUE(server.waitForReceived(3));
    EXPECT_EQ(server.received().left(3), QByteArray("\xff\xfb\x03")); // the command was answered
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
    client.setRemotePort(TelnetTestServer::closedPort());
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

TEST_F(AsyncClient, EventsArrivingWhileFrozenAreRepostedInOrderOnUnfreezing)
{
    QStringList order;
    QObject::connect(&client, &TelnetClientEvents::Connect, [&] { order << QStringLiteral("Connect"); });
    QObject::connect(&client, &TelnetClientEvents::Read,
                     [&](short &length) { order << QStringLiteral("Read %1").arg(length); });
    QObject::connect(&client, &TelnetClientEvents::Write, [&] { order << QStringLiteral("Write"); });
    QObject::connect(&client, &TelnetClientEvents::Disconnect,
                     [&] { order << QStringLiteral("Disconnect"); });

    client.FreezeEvents(true);
    ASSERT_EQ(client.Connect(), 0);
    ASSERT_TRUE(server.waitForConnection());
    server.send("0123456789");
    server.closeConnection();
    ASSERT_TRUE(server.waitForSent());
    // The data is announced (frozen), then taken into the engine's buffer, so that the
    // socket reads as closed and the close is announced too (frozen as well).
    ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return client.RecvNext() == 10; }));
    deliverPosted();
    ASSERT_EQ(wiretalk::TelnetFillBuffer(client.Handle()), 10);
    ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return client.IsReadable(); }));
    deliverPosted();
    EXPECT_TRUE(order.isEmpty());

    client.FreezeEvents(false);
    ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return order.size() == 4; }))
        << order.join(", ").toStdString();
    EXPECT_EQ(order, (QStringList{"Connect", "Read 10", "Write", "Disconnect"}));
    EXPECT_TRUE(client.Connected());
    EXPECT_TRUE(client.IsClosed());
}

TEST_F(AsyncClient, AResponseOfZeroSuppressesTheRaisedError)
{
    connectClient();
    short reported = 0;
    short response = 1;
    QObject::connect(&client, &TelnetClientEvents::LastError, [&](short &code, QString &text, short &r) {
        reported = code;
        EXPECT_EQ(text, QStringLiteral("Blocking operation in progress"));
        r = response;
    });
    // A second Connect while connected: reported, returned, not raised.
    EXPECT_EQ(client.Connect(), 27518);
    EXPECT_EQ(reported, 27518);
    // Action = 1 raises the code the report left standing ...
    try {
        client.setAction(1);
        ADD_FAILURE() << "no error raised";
    } catch (const wiretalk::ControlError &error) {
        EXPECT_EQ(error.number(), 27518);
        EXPECT_EQ(error.scode(), 0x800A0000u + 27518);
        EXPECT_EQ(error.description(), QStringLiteral("Blocking operation in progress"));
    }
    // ... unless the handler cleared Response.
    response = 0;
    EXPECT_NO_THROW(client.setAction(1));
    EXPECT_EQ(client.Action(), 1);
    EXPECT_EQ(client.State(), TelnetClient::StateConnected);
    EXPECT_THROW(client.setAction(3), wiretalk::ControlError);
    client.setAction(2);
    EXPECT_FALSE(client.Connected());
}

TEST_F(AsyncClient, ByteArrayTransfers)
{
    connectClient();
    QByteArray none;
    EXPECT_THROW(client.ReadBytes(none), wiretalk::ControlError);
    EXPECT_THROW(client.WriteBytes(none), wiretalk::ControlError);
    QByteArray empty("");
    EXPECT_EQ(client.WriteBytes(empty), 0);
    EXPECT_THROW(client.WriteBytes(QByteArray("x"), 40000), wiretalk::ControlError);

    EXPECT_EQ(client.WriteBytes(QByteArray("abc\xff", 4)), 4);
    EXPECT_EQ(client.WriteBytes(QByteArray("defgh"), 2), 2);
    EXPECT_EQ(client.WriteBytes(QByteArray("ijk"), 99), 3); // beyond the array: the whole array
    EXPECT_EQ(client.WriteBytes(QByteArray("lm"), -1), 2);
    ASSERT_TRUE(server.waitForReceived(12));
    EXPECT_EQ(server.received(), QByteArray("abc\xff\xff"
                                            "deijklm"));

    server.send(QByteArray(25, 'q'));
    QByteArray ten(10, '\0');
    short got = 0;
    ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return (got = client.ReadBytes(ten)) != 0; }));
    EXPECT_EQ(got, 10); // an omitted Length reads at most the array's size
    EXPECT_EQ(ten, QByteArray(10, 'q'));
    EXPECT_EQ(client.ReadBytes(ten, 4), 4);
    EXPECT_EQ(client.RecvLen(), 4);
}

TEST_F(AsyncClient, RecvDataAndSendDataUseTheirLengths)
{
    connectClient();
    client.setSendLen(0);
    client.setSendData(QStringLiteral("not sent"));
    client.setSendLen(3);
    client.setSendData(QStringLiteral("abcdef"));
    client.setSendLen(50);
    client.setSendData(QStringLiteral("xy")); // lowered to the text's length
    EXPECT_EQ(client.SendLen(), 2);
    ASSERT_TRUE(server.waitForReceived(5));
    EXPECT_EQ(server.received(), QByteArray("abcxy"));

    server.send("hello world");
    ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return client.RecvNext() > 0; }));
    EXPECT_EQ(client.RecvNext(), 11);
    client.setRecvLen(5);
    EXPECT_EQ(client.RecvData(), QStringLiteral("hello"));
    EXPECT_EQ(client.RecvNext(), 6); // the engine's buffered count
    client.setRecvLen(0);
    EXPECT_EQ(client.RecvData(), QString());

    server.closeConnection();
    ASSERT_TRUE(server.waitForSent());
    client.setRecvLen(20);
    EXPECT_EQ(client.RecvData(), QStringLiteral(" world"));
    short reported = 0;
    QObject::connect(&client, &TelnetClientEvents::LastError,
                     [&](short &code, QString &, short &) { reported = code; });
    ASSERT_TRUE(
        TelnetTestServer::waitUntil([&] { return raisedNumber([&] { client.RecvData(); }) == 27517; }));
    EXPECT_EQ(reported, 27517);
}

TEST_F(AsyncClient, WritesThatWouldBlockAreCountedOnceAndSentLater)
{
    connectClient();
    server.setReading(false);
    const QString block(1000, QLatin1Char('w'));
    qsizetype accepted = 0;
    short count = 1000;
    // Until the socket backs up: a write then takes fewer bytes than it was given.
    while (count == 1000 && accepted < 64 * 1024 * 1024) {
        count = client.Write(block, 1000);
        ASSERT_GE(count, 0) << "last error " << client.LastError();
        accepted += count;
    }
    ASSERT_LT(count, 1000) << "the socket never backed up";
    // Once the server reads again, the write notifications send what was queued: the
    // server gets exactly the bytes the writes reported, none twice.
    QSignalSpy writable(&client, &TelnetClientEvents::Write);
    server.setReading(true);
    EXPECT_TRUE(server.waitForReceived(accepted, 20000));
    EXPECT_GE(writable.count(), 1);
    deliverPosted();
    EXPECT_EQ(server.received().size(), accepted);
}

TEST_F(AsyncClient, ResetStateClosesTheSessionAndClearsTheRunState)
{
    connectClient();
    client.setSendLen(4);
    client.ResetState();
    EXPECT_EQ(client.Handle(), -1);
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(client.State(), TelnetClient::StateIdle);
    EXPECT_EQ(client.SendLen(), 0);
    EXPECT_EQ(client.Action(), 0);
    EXPECT_TRUE(server.waitForClosed());
    EXPECT_EQ(client.Connect(), 0); // and it connects again
    EXPECT_TRUE(server.waitForConnection(2));
}

TEST_F(AsyncClient, TheLocalAddressOfASessionIsItsSocketAddress)
{
    connectClient();
    EXPECT_EQ(client.LocalAddress(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(client.LocalName(), QStringLiteral("localhost"));
    EXPECT_GE(client.Socket(), 0);
    EXPECT_GE(client.Handle(), 0);
    EXPECT_TRUE(client.IsWritable());
}

TEST_F(AsyncClient, BlockingModeCompletesAtOnceAndWaitsForData)
{
    client.setBlocking(true);
    QSignalSpy connected(&client, &TelnetClientEvents::Connect);
    ASSERT_EQ(client.Connect(), 0);
    EXPECT_EQ(connected.count(), 1); // fired inside Connect
    EXPECT_TRUE(client.Connected());
    ASSERT_TRUE(server.waitForConnection());
    // While the read waits, the event loop turns: a handler sees the blocking call.
    bool blockedSeen = false;
    bool readableSeen = true;
    QTimer::singleShot(0, [&] {
        blockedSeen = client.IsBlocked();
        readableSeen = client.IsReadable();
        server.send("login: ");
    });
    EXPECT_FALSE(client.IsBlocked());
    QString text;
    EXPECT_EQ(client.Read(text, 100), 7); // waits for the data
    EXPECT_EQ(text, QStringLiteral("login: "));
    EXPECT_TRUE(blockedSeen);
    EXPECT_FALSE(readableSeen); // no readiness test during a blocking call
    EXPECT_EQ(client.Write(QStringLiteral("root\r"), 5), 5);
    ASSERT_TRUE(server.waitForReceived(5));

    // Switching an open session to asynchronous mode brings its events.
    QSignalSpy reads(&client, &TelnetClientEvents::Read);
    client.setBlocking(false);
    server.send("#");
    ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return reads.count() >= 1; }));
    client.setBlocking(true);
    server.closeConnection();
    ASSERT_TRUE(server.waitForSent());
    EXPECT_EQ(client.Read(text, 100), 1);
    EXPECT_EQ(client.Read(text, 100), -1);
    EXPECT_EQ(client.LastError(), wiretalk::kErrClosed);
}

} // namespace
