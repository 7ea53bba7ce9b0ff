// A telnet server for tests, on 127.0.0.1 with a port chosen by the system.
//
// It runs on a thread of its own (plain sockets and poll), so it keeps serving while the
// test's thread is inside a blocking call or running the Qt event loop. The test scripts
// what it sends (send, each call one write, in order), awaits the steps (waitForSent,
// waitForReceived, waitForConnection, waitForClosed: each bounded, each keeps the test
// thread's Qt event loop turning while it waits), reads everything received so far, and
// can close the connection. An optional responder answers received bytes from the
// server's thread, for servers that must react at once (negotiation loops).
//
// One connection is served at a time: the latest accepted one; earlier ones are closed.
#pragma once

#include <QByteArray>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace linkset::testing {

class TelnetTestServer
{
public:
    // Called on the server's thread with each block received; the bytes it returns are
    // sent back at once.
    using Responder = std::function<QByteArray(const QByteArray &received)>;

    TelnetTestServer();
    ~TelnetTestServer();
    TelnetTestServer(const TelnetTestServer &) = delete;
    TelnetTestServer &operator=(const TelnetTestServer &) = delete;

    std::uint16_t port() const { return m_port; }
    bool listening() const { return m_port != 0; }

    // Queues bytes for the current (or next) connection; each call is one write.
    void send(const QByteArray &bytes);
    void setResponder(Responder responder);
    // Closes the current connection (after what was queued before has been written).
    void closeConnection();
    // Stops (false) or resumes reading from the connection, so a client's sends back up.
    void setReading(bool reading);

    int connectionCount() const;
    QByteArray received() const;
    void clearReceived();
    bool peerClosed() const; // the client closed the current connection

    // Bounded waits that keep the calling thread's Qt event loop turning.
    bool waitForConnection(int count = 1, int timeoutMs = 5000);
    bool waitForSent(int timeoutMs = 5000);
    bool waitForReceived(qsizetype bytes, int timeoutMs = 5000);
    bool waitForClosed(int timeoutMs = 5000);

    // A loopback port that was listening a moment ago and is free now: a connect to it
    // is refused.
    static std::uint16_t closedPort();

    // Waits until condition holds, turning the Qt event loop; false on time-out.
    static bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 5000);

private:
    struct Outgoing
    {
        QByteArray bytes;
        bool close = false;
    };

    void run();
    void wake();
    void acceptConnection();
    void readConnection();
    void writeQueued();
    void dropConnection();

    int m_listener = -1;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    std::uint16_t m_port = 0;
    std::thread m_thread;

    mutable std::mutex m_lock;
    bool m_stopping = false;
    int m_connection = -1;
    int m_connections = 0;
    bool m_peerClosed = false;
    bool m_reading = true;
    std::vector<Outgoing> m_queue;
    QByteArray m_received;
    Responder m_responder;
};

} // namespace linkset::testing
