#include "telnet_test_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cerrno>

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace linkset::testing {

TelnetTestServer::TelnetTestServer()
{
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int pipeEnds[2] = {-1, -1};
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(m_listener, 512) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length) != 0 ||
        ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // listening() stays false
    m_wakeRead = pipeEnds[0];
    m_wakeWrite = pipeEnds[1];
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { run(); });
}

TelnetTestServer::~TelnetTestServer()
{
    {
        std::lock_guard lock(m_lock);
        m_stopping = true;
    }
    wake();
    if (m_thread.joinable())
        m_thread.join();
    for (int fd : {m_connection, m_listener, m_wakeRead, m_wakeWrite}) {
        if (fd >= 0)
            ::close(fd);
    }
}

void TelnetTestServer::wake()
{
    if (m_wakeWrite >= 0) {
        const char byte = 0;
        [[maybe_unused]] const ssize_t written = ::write(m_wakeWrite, &byte, 1);
    }
}

void TelnetTestServer::send(const QByteArray &bytes)
{
    {
        std::lock_guard lock(m_lock);
        m_queue.push_back({bytes, false});
    }
    wake();
}

void TelnetTestServer::closeConnection()
{
    {
        std::lock_guard lock(m_lock);
        m_queue.push_back({QByteArray(), true});
    }
    wake();
}

void TelnetTestServer::setReading(bool reading)
{
    {
        std::lock_guard lock(m_lock);
        m_reading = reading;
    }
    wake();
}

void TelnetTestServer::setResponder(Responder responder)
{
    std::lock_guard lock(m_lock);
    m_responder = std::move(responder);
}

int TelnetTestServer::connectionCount() const
{
    std::lock_guard lock(m_lock);
    return m_connections;
}

QByteArray TelnetTestServer::received() const
{
    std::lock_guard lock(m_lock);
    return m_received;
}

void TelnetTestServer::clearReceived()
{
    std::lock_guard lock(m_lock);
    m_received.clear();
}

bool TelnetTestServer::peerClosed() const
{
    std::lock_guard lock(m_lock);
    return m_peerClosed;
}

std::uint16_t TelnetTestServer::closedPort()
{
    const TelnetTestServer gone;
    return gone.port();
}

bool TelnetTestServer::waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        if (QCoreApplication::instance() != nullptr)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

bool TelnetTestServer::waitForConnection(int count, int timeoutMs)
{
    return waitUntil([&] { return connectionCount() >= count; }, timeoutMs);
}

bool TelnetTestServer::waitForSent(int timeoutMs)
{
    return waitUntil(
        [&] {
            std::lock_guard lock(m_lock);
            return m_queue.empty();
        },
        timeoutMs);
}

bool TelnetTestServer::waitForReceived(qsizetype bytes, int timeoutMs)
{
    return waitUntil([&] { return received().size() >= bytes; }, timeoutMs);
}

bool TelnetTestServer::waitForClosed(int timeoutMs)
{
    return waitUntil([&] { return peerClosed(); }, timeoutMs);
}

void TelnetTestServer::run()
{
    for (;;) {
        bool wantWrite = false;
        bool reading = true;
        int connection = -1;
        {
            std::lock_guard lock(m_lock);
            if (m_stopping)
                return;
            connection = m_connection;
            wantWrite = connection >= 0 && !m_queue.empty();
            reading = m_reading;
        }
        pollfd watched[3] = {{m_listener, POLLIN, 0}, {m_wakeRead, POLLIN, 0}, {connection, 0, 0}};
        if (reading)
            watched[2].events |= POLLIN;
        if (wantWrite)
            watched[2].events |= POLLOUT;
        const nfds_t count = connection >= 0 ? 3 : 2;
        if (::poll(watched, count, -1) < 0 && errno != EINTR)
            return;
        if (watched[1].revents & POLLIN) {
            char drain[64];
            while (::read(m_wakeRead, drain, sizeof drain) > 0) {
            }
        }
        if (watched[0].revents & POLLIN)
            acceptConnection();
        if (count == 3 && reading && (watched[2].revents & (POLLIN | POLLHUP | POLLERR)))
            readConnection();
        if (count == 3 && (watched[2].revents & POLLOUT))
            writeQueued();
    }
}

void TelnetTestServer::acceptConnection()
{
    const int accepted = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (accepted < 0)
        return;
    const int on = 1;
    ::setsockopt(accepted, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    std::lock_guard lock(m_lock);
    if (m_connection >= 0)
        ::close(m_connection);
    m_connection = accepted;
    m_peerClosed = false;
    ++m_connections;
}

void TelnetTestServer::readConnection()
{
    char buffer[65536];
    const ssize_t got = ::recv(m_connection, buffer, sizeof buffer, MSG_DONTWAIT);
    if (got < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (got <= 0) {
        std::lock_guard lock(m_lock);
        m_peerClosed = true;
        ::close(m_connection);
        m_connection = -1;
        return;
    }
    const QByteArray block(buffer, static_cast<qsizetype>(got));
    Responder responder;
    {
        std::lock_guard lock(m_lock);
        responder = m_responder;
    }
    // The answer goes out before the block is recorded: a test that has seen the block
    // knows the answer is on its way.
    if (responder) {
        const QByteArray answer = responder(block);
        if (!answer.isEmpty())
            ::send(m_connection, answer.constData(), static_cast<size_t>(answer.size()), MSG_NOSIGNAL);
    }
    std::lock_guard lock(m_lock);
    m_received.append(block);
}

void TelnetTestServer::writeQueued()
{
    Outgoing next;
    {
        std::lock_guard lock(m_lock);
        if (m_queue.empty())
            return;
        next = m_queue.front();
    }
    if (next.close) {
        dropConnection();
    } else if (!next.bytes.isEmpty()) {
        // As much as the socket takes now; the rest waits for the next writability.
        const ssize_t sent = ::send(m_connection, next.bytes.constData(),
                                    static_cast<size_t>(next.bytes.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        if (sent >= 0 && sent < next.bytes.size()) {
            std::lock_guard lock(m_lock);
            m_queue.front().bytes.remove(0, static_cast<qsizetype>(sent));
            return;
        }
        // All written, or the client has gone and the entry is dropped.
    }
    std::lock_guard lock(m_lock);
    m_queue.erase(m_queue.begin());
}

void TelnetTestServer::dropConnection()
{
    std::lock_guard lock(m_lock);
    if (m_connection >= 0)
        ::close(m_connection);
    m_connection = -1;
}

} // namespace linkset::testing
