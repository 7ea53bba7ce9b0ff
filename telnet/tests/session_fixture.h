// Test support: an engine session connected to the test telnet server, closed when
// the object goes.
#pragma once

#include "telnet_test_server.h"

#include "wiretalk/socket_layer.h"
#include "wiretalk/telnet_engine.h"

#include <QByteArray>
#include <gtest/gtest.h>

#include <memory>

#include <sys/ioctl.h>

namespace wiretalk::testing {

using linkset::testing::TelnetTestServer;

class ServedSession
{
public:
    ServedSession() = default;
    ServedSession(const ServedSession &) = delete;
    ServedSession &operator=(const ServedSession &) = delete;
    ~ServedSession()
    {
        if (handle != -1)
            TelnetClose(handle);
    }

    // Opens a session to the server: blocking mode, or asynchronous with a notify window
    // whose notifications are counted.
    void open(bool asynchronous = false)
    {
        if (asynchronous)
            window = std::make_unique<NotifyWindow>(
                [this](unsigned, int, std::uint32_t lParam) { notifications.append(lParam & 0xFFFF); });
        ASSERT_TRUE(server.listening());
        handle = TelnetConnect("127.0.0.1", server.port(), 5, window.get(), asynchronous ? 2025 : 0);
        ASSERT_NE(handle, -1) << TelnetLastError();
        ASSERT_TRUE(server.waitForConnection());
        if (asynchronous) { // the connection is complete once connect is notified
            ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return notifications.contains(FD_CONNECT); }));
        }
    }

    // Bytes waiting in the session's socket (not yet received by the engine).
    int pendingInSocket() const
    {
        int pending = 0;
        ::ioctl(TelnetGetSocket(handle), FIONREAD, &pending);
        return pending;
    }

    // The server sends bytes in one write; returns once they wait in the client's socket.
    void serve(const QByteArray &bytes)
    {
        server.send(bytes);
        ASSERT_TRUE(server.waitForSent());
        ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return pendingInSocket() >= bytes.size(); }));
    }

    // Everything the client sent since the last call: a marker byte written through the
    // engine fences off what the session sent before it (its negotiation replies).
    QByteArray sentSinceLastCheck()
    {
        const char marker = '#';
        EXPECT_EQ(TelnetWrite(handle, &marker, 1), 1);
        EXPECT_TRUE(
            TelnetTestServer::waitUntil([&] { return server.received().indexOf(marker, consumed) >= 0; }));
        const QByteArray all = server.received();
        const qsizetype end = all.indexOf(marker, consumed);
        const QByteArray sent = all.mid(consumed, end - consumed);
        consumed = end + 1;
        return sent;
    }

    // One read of up to count bytes.
    QByteArray readBytes(int count, int *result = nullptr)
    {
        QByteArray buffer(count, '\0');
        const int got = TelnetRead(handle, buffer.data(), count);
        if (result)
            *result = got;
        return got > 0 ? buffer.left(got) : QByteArray();
    }

    // One read of up to count bytes fails with code.
    void expectReadFails(int count, int code)
    {
        int result = 0;
        readBytes(count, &result);
        EXPECT_EQ(result, -1);
        EXPECT_EQ(TelnetLastError(), code);
    }

    // Reads until count bytes have come (in either mode), or fails the test.
    QByteArray readUntil(qsizetype count)
    {
        QByteArray data;
        const bool arrived = TelnetTestServer::waitUntil([&] {
            int result = 1;
            while (result > 0 && data.size() < count) // waits only when nothing came
                data += readBytes(kBufferSize, &result);
            EXPECT_GE(result, 0) << "last error " << TelnetLastError();
            return result < 0 || data.size() >= count;
        });
        EXPECT_TRUE(arrived);
        return data;
    }

    TelnetTestServer server;
    std::unique_ptr<NotifyWindow> window;
    QList<unsigned> notifications;
    int handle = -1;
    qsizetype consumed = 0;
};

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int v : values)
        result.append(static_cast<char>(v));
    return result;
}

} // namespace wiretalk::testing
