// Sessions of the engine: the table's limits and owner rule, bad arguments, connection
// failures, the send path, time-outs, and servers that send too much.
#include "session_fixture.h"

#include <QCoreApplication>

#include <thread>
#include <vector>

namespace wiretalk::testing {
namespace {

TEST(Sessions, The257thConcurrentSessionFailsWith27506)
{
    TelnetTestServer server;
    std::vector<int> handles;
    for (int i = 0; i < kSessionSlots; ++i) {
        const int handle = TelnetConnect("127.0.0.1", server.port(), 5, nullptr, 0);
        ASSERT_EQ(handle, i) << TelnetLastError();
        handles.push_back(handle);
    }
    EXPECT_EQ(TelnetConnect("127.0.0.1", server.port(), 5, nullptr, 0), -1);
    EXPECT_EQ(TelnetLastError(), kErrMemory);
    // A freed slot is the next one taken.
    ASSERT_EQ(TelnetClose(17), 0);
    const int again = TelnetConnect("127.0.0.1", server.port(), 5, nullptr, 0);
    EXPECT_EQ(again, 17);
    for (int handle : handles)
        TelnetClose(handle);
}

TEST(Sessions, AHandleIsUsableOnlyOnItsOwnThread)
{
    ServedSession session;
    ASSERT_NO_FATAL_FAILURE(session.open());
    TelnetSetLastError(0);
    int readResult = 0, closeResult = 0, otherThreadError = 0;
    std::thread other([&] {
        char buffer[8];
        readResult = TelnetRead(session.handle, buffer, sizeof buffer);
        closeResult = TelnetClose(session.handle);
        otherThreadError = TelnetLastError();
    });
    other.join();
    EXPECT_EQ(readResult, -1);
    EXPECT_EQ(closeResult, -1);
    EXPECT_EQ(otherThreadError, kErrInvalidHandle);
    EXPECT_EQ(TelnetLastError(), 0); // the last error is per thread
    // The session is untouched for its owner.
    ASSERT_NO_FATAL_FAILURE(session.serve("ok"));
    EXPECT_EQ(session.readBytes(10), QByteArray("ok"));
}

TEST(Sessions, BadHandlesAndArgumentsGiveTheirCodes)
{
    char buffer[4];
    for (int handle : {-1, 256, 1000, 200}) {
        SCOPED_TRACE(handle);
        EXPECT_EQ(TelnetRead(handle, buffer, 4), -1);
        EXPECT_EQ(TelnetLastError(), kErrInvalidHandle);
        EXPECT_EQ(TelnetClose(handle), -1);
        EXPECT_EQ(TelnetIsClosed(handle), 0);
        EXPECT_EQ(TelnetGetSocket(handle), -1);
        EXPECT_EQ(TelnetSetTerminal(handle, "x"), 0);
        EXPECT_EQ(TelnetSetNotify(handle, nullptr, 0), 0);
    }
    EXPECT_EQ(TelnetConnect(nullptr, 23, 5, nullptr, 0), -1);
    EXPECT_EQ(TelnetLastError(), kErrInvalidParameter);
    for (const char *noHost : {"", "0", "0.0.0.0"}) {
        EXPECT_EQ(TelnetConnect(noHost, 23, 5, nullptr, 0), -1);
        EXPECT_EQ(TelnetLastError(), kErrInvalidHost) << '"' << noHost << '"';
    }

    ServedSession session;
    ASSERT_NO_FATAL_FAILURE(session.open());
    EXPECT_EQ(TelnetRead(session.handle, nullptr, 4), -1);
    EXPECT_EQ(TelnetLastError(), kErrInvalidParameter);
    EXPECT_EQ(TelnetWrite(session.handle, nullptr, 4), -1);
    EXPECT_EQ(TelnetLastError(), kErrInvalidParameter);
    EXPECT_EQ(TelnetRead(session.handle, buffer, 0), 0);
    EXPECT_EQ(TelnetSetOption(session.handle, -1, true), -1);
    EXPECT_EQ(TelnetLastError(), kErrInvalidParameter);
    QObject notAWindow;
    EXPECT_EQ(TelnetSetNotify(session.handle, &notAWindow, 2025), 0);
    EXPECT_EQ(TelnetLastError(), kErrInvalidParameter);
    EXPECT_EQ(TelnetFlush(session.handle), -1);
    EXPECT_EQ(TelnetLastError(), kErrBufferOverflow);
    EXPECT_EQ(TelnetSetOption(session.handle, kOptionLocalEcho, true), kOptionBinary);
    EXPECT_EQ(TelnetSetOption(session.handle, kOptionBinary, false), kOptionBinary | kOptionLocalEcho);
}

TEST(Sessions, ARefusedBlockingConnectFailsWith27510AndFreesTheSlot)
{
    EXPECT_EQ(TelnetConnect("127.0.0.1", TelnetTestServer::closedPort(), 5, nullptr, 0), -1);
    EXPECT_EQ(TelnetLastError(), kErrConnectFailed);
    TelnetTestServer server;
    EXPECT_EQ(TelnetConnect("127.0.0.1", server.port(), 5, nullptr, 0), 0); // slot 0 was freed
    TelnetClose(0);
}

TEST(Sessions, WritingDoublesEveryIAC)
{
    ServedSession session;
    ASSERT_NO_FATAL_FAILURE(session.open());
    EXPECT_EQ(TelnetWrite(session.handle, bytes({'A', 255, 'B'}).constData(), 3), 3);
    ASSERT_TRUE(session.server.waitForReceived(4));
    EXPECT_EQ(session.server.received(), bytes({'A', 255, 255, 'B'}));
    // Doubling across the send buffer's flush point loses and adds nothing.
    session.server.clearReceived();
    const QByteArray iacs(3000, '\xff');
    EXPECT_EQ(TelnetWrite(session.handle, iacs.constData(), static_cast<int>(iacs.size())), 3000);
    ASSERT_TRUE(session.server.waitForReceived(6000));
    EXPECT_EQ(session.server.received(), QByteArray(6000, '\xff'));
    // CR, LF and NUL go out as given.
    session.server.clearReceived();
    EXPECT_EQ(TelnetWrite(session.handle, "\r\n\0x", 4), 4);
    ASSERT_TRUE(session.server.waitForReceived(4));
    EXPECT_EQ(session.server.received(), QByteArray("\r\n\0x", 4));
}

TEST(Sessions, ABlockingReadTimesOutWith27511)
{
    ServedSession session;
    ASSERT_NO_FATAL_FAILURE(session.open());
    ASSERT_EQ(TelnetSetTimeout(session.handle, 1), 0);
    session.expectReadFails(10, kErrTimedOut);
    // The session is still usable afterwards.
    ASSERT_NO_FATAL_FAILURE(session.serve("late"));
    EXPECT_EQ(session.readBytes(10), QByteArray("late"));
}

TEST(Sessions, BlockingModeWorksOnAThreadWithoutAnEventLoop)
{
    TelnetTestServer server;
    server.send("plain thread");
    QByteArray got;
    int sent = 0;
    std::thread worker([&] {
        const int handle = TelnetConnect("127.0.0.1", server.port(), 5, nullptr, 0);
        if (handle < 0)
            return;
        char buffer[64];
        while (got.size() < 12) {
            const int n = TelnetRead(handle, buffer, sizeof buffer);
            if (n < 0)
                break;
            got.append(buffer, n);
        }
        sent = TelnetWrite(handle, "bye", 3);
        TelnetClose(handle);
    });
    worker.join();
    EXPECT_EQ(got, QByteArray("plain thread"));
    EXPECT_EQ(sent, 3);
    EXPECT_TRUE(server.waitForReceived(3));
}

TEST(Sessions, TheTerminalTypeKeepsThirtyCharacters)
{
    ServedSession session;
    ASSERT_NO_FATAL_FAILURE(session.open());
    EXPECT_EQ(TelnetSetTerminal(session.handle, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"), 1);
    ASSERT_NO_FATAL_FAILURE(session.serve(bytes({255, 250, 24, 1, 255, 240, 'x'})));
    EXPECT_EQ(session.readBytes(10), QByteArray("x"));
    EXPECT_EQ(session.sentSinceLastCheck(),
              bytes({255, 250, 24, 0}) + "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123" + bytes({255, 240}));
}

TEST(HostileServer, MegabytesWithoutALineEndArriveWhole)
{
    ServedSession session;
    ASSERT_NO_FATAL_FAILURE(session.open());
    const QByteArray flood(3 * 1024 * 1024, 'a');
    session.server.send(flood);
    const QByteArray got = session.readUntil(flood.size());
    EXPECT_EQ(got.size(), flood.size());
    EXPECT_EQ(got.count('a'), flood.size());
}

TEST(HostileServer, AStreamOfCommandsAndNothingElseEndsInATimeOutNotAHang)
{
    ServedSession session;
    ASSERT_NO_FATAL_FAILURE(session.open());
    TelnetSetTimeout(session.handle, 1);
    QByteArray commands;
    for (int i = 0; i < 5000; ++i)
        commands += bytes({255, 241, 255, 249});
    session.server.send(commands);
    session.expectReadFails(10, kErrTimedOut);
}

TEST(AsynchronousSession, AReadThatLeavesDataWaitingPostsAnotherReadNotification)
{
    ServedSession session;
    ASSERT_NO_FATAL_FAILURE(session.open(true));
    ASSERT_NO_FATAL_FAILURE(session.serve(QByteArray(1500, 'z')));
    session.notifications.clear();
    EXPECT_EQ(session.readBytes(2000).size(), kBufferSize); // one block per read
    ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return session.notifications.contains(FD_READ); }));
    EXPECT_EQ(TelnetGetRecvCount(session.handle), 1500 - kBufferSize);
    EXPECT_EQ(session.readBytes(2000).size(), 1500 - kBufferSize);
}

TEST(AsynchronousSession, PeerCloseIsNotifiedOnceAndReadsFailWith27517)
{
    ServedSession session;
    ASSERT_NO_FATAL_FAILURE(session.open(true));
    session.server.closeConnection();
    ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return session.notifications.contains(FD_CLOSE); }));
    session.expectReadFails(10, kErrClosed);
    EXPECT_EQ(TelnetIsClosed(session.handle), 1);
    EXPECT_EQ(TelnetFlush(session.handle), -1);
    EXPECT_EQ(TelnetLastError(), kErrClosed);
    QCoreApplication::processEvents();
    EXPECT_EQ(session.notifications.count(FD_CLOSE), 1);
}

} // namespace
} // namespace wiretalk::testing
