#include "async_select.h"

#include "entry_points.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <map>
#include <memory>
#include <mutex>

#include <fcntl.h>
#include <sys/socket.h>

namespace wiretalk::async_select {

namespace {

struct Registration
{
    QObject *window = nullptr;
    unsigned message = 0;
    long events = 0;
    bool connectPending = false;
    bool closePosted = false;
    std::unique_ptr<QSocketNotifier> readable;
    std::unique_ptr<QSocketNotifier> writable;
};

// Registrations by socket. Each is created, used and destroyed on its socket's thread;
// the lock only guards the map itself.
std::mutex registryLock;
std::map<int, std::shared_ptr<Registration>> registry;
std::atomic<int> registrations{0}; // lets sockets of blocking sessions skip the lock

std::shared_ptr<Registration> find(int socket)
{
    if (registrations.load(std::memory_order_relaxed) == 0)
        return nullptr;
    std::lock_guard lock(registryLock);
    const auto it = registry.find(socket);
    return it == registry.end() ? nullptr : it->second;
}

void post(int socket, const Registration &r, long kind, int error)
{
    if (r.events & kind)
        NotifyWindow::PostNotify(r.window, r.message, socket,
                                 MakeSelectReply(static_cast<unsigned>(kind), static_cast<unsigned>(error)));
}

void armRead(Registration &r)
{
    r.readable->setEnabled((r.events & (FD_READ | FD_CLOSE)) && !r.closePosted && !r.connectPending);
}

void onWritable(int socket)
{
    const auto r = find(socket);
    if (!r)
        return;
    r->writable->setEnabled(false);
    if (!r->connectPending) {
        post(socket, *r, FD_WRITE, 0);
        return;
    }
    r->connectPending = false;
    const int code = SocketConnectError(socket);
    post(socket, *r, FD_CONNECT, code);
    if (code == 0) {
        post(socket, *r, FD_WRITE, 0);
        armRead(*r);
    }
}

void onReadable(int socket)
{
    const auto r = find(socket);
    if (!r)
        return;
    char byte = 0;
    const ssize_t peeked = ::recv(socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    if (peeked > 0) {
        r->readable->setEnabled(false); // armed again by the next receive
        post(socket, *r, FD_READ, 0);
        return;
    }
    if (peeked < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        return; // nothing after all; stay armed
    r->closePosted = true;
    r->readable->setEnabled(false);
    post(socket, *r, FD_CLOSE, peeked == 0 ? 0 : SocketErrorFromErrno(errno));
}

bool isConnected(int socket)
{
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    return ::getpeername(socket, reinterpret_cast<sockaddr *>(&peer), &length) == 0;
}

} // namespace

int Register(int socket, QObject *window, unsigned message, long events)
{
    if (window == nullptr || events == 0) {
        Closing(socket);
        return 0;
    }
    if (!NotifyWindow::IsWindow(window) || QAbstractEventDispatcher::instance() == nullptr) {
        errno = EINVAL;
        return -1;
    }
    // Registration makes the socket non-blocking, for good.
    const int flags = ::fcntl(socket, F_GETFL);
    if (flags < 0 || ::fcntl(socket, F_SETFL, flags | O_NONBLOCK) != 0)
        return -1;
    auto r = std::make_shared<Registration>();
    r->window = window;
    r->message = message;
    r->events = events;
    if (const auto old = find(socket))
        r->connectPending = old->connectPending;
    r->readable = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
    r->writable = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Write);
    QObject::connect(r->readable.get(), &QSocketNotifier::activated, [socket] { onReadable(socket); });
    QObject::connect(r->writable.get(), &QSocketNotifier::activated, [socket] { onWritable(socket); });
    const bool connected = !r->connectPending && isConnected(socket);
    r->writable->setEnabled(r->connectPending || (connected && (events & FD_WRITE)));
    r->readable->setEnabled(false);
    if (connected)
        armRead(*r);
    std::lock_guard lock(registryLock);
    registry[socket] = std::move(r);
    registrations.store(static_cast<int>(registry.size()), std::memory_order_relaxed);
    return 0;
}

void ConnectStarted(int socket, bool completedAtOnce)
{
    const auto r = find(socket);
    if (!r)
        return;
    r->connectPending = true;
    if (completedAtOnce)
        onWritable(socket);
    else
        r->writable->setEnabled(true);
}

void Received(int socket)
{
    if (const auto r = find(socket))
        armRead(*r);
}

void SendBlocked(int socket)
{
    if (const auto r = find(socket))
        r->writable->setEnabled((r->events & FD_WRITE) != 0);
}

void Closing(int socket)
{
    std::shared_ptr<Registration> r;
    {
        std::lock_guard lock(registryLock);
        const auto it = registry.find(socket);
        if (it == registry.end())
            return;
        r = std::move(it->second);
        registry.erase(it);
        registrations.store(static_cast<int>(registry.size()), std::memory_order_relaxed);
    }
    // The notifiers die here, before the descriptor is closed or reused.
}

} // namespace wiretalk::async_select
