// The built-in socket library: the Windows Sockets 1.1 entry points the component uses,
// implemented on POSIX sockets. Errors are kept per thread as socket error numbers;
// name and service look-ups use the re-entrant calls into per-thread storage; a
// blocking hook installed on a thread is run between short slices of a select.
#include "async_select.h"
#include "entry_points.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace wiretalk {

namespace {

thread_local int lastSocketError = 0;
thread_local BlockingHook blockingHook = nullptr;
thread_local int blockingCallActive = 0;
std::atomic<int> startups{0};

int fail(int error)
{
    lastSocketError = SocketErrorFromErrno(error);
    return -1;
}

// Per-thread storage for the look-up results the entry points return by pointer.
struct LookupStorage
{
    hostent host{};
    servent service{};
    std::vector<char> buffer = std::vector<char>(8192);
};
thread_local LookupStorage lookups;

extern "C" int builtinStartup(std::uint16_t version, WSAData *data)
{
    const int major = version & 0xFF;
    const int minor = version >> 8;
    if (major < 1 || (major == 1 && minor < 1))
        return kWsaVerNotSupported;
    if (data == nullptr)
        return kWsaEFault;
    *data = WSAData{};
    data->wVersion = 0x0101;
    data->wHighVersion = 0x0101;
    std::snprintf(data->szDescription, sizeof data->szDescription, "POSIX sockets");
    std::snprintf(data->szSystemStatus, sizeof data->szSystemStatus, "Running");
    ++startups;
    return 0;
}

extern "C" int builtinCleanup()
{
    int count = startups.load();
    while (count > 0 && !startups.compare_exchange_weak(count, count - 1)) {
    }
    if (count <= 0) {
        lastSocketError = kWsaNotInitialised;
        return -1;
    }
    return 0;
}

extern "C" BlockingHook builtinSetBlockingHook(BlockingHook hook)
{
    return std::exchange(blockingHook, hook);
}

extern "C" int builtinGetLastError()
{
    return lastSocketError;
}

extern "C" void builtinSetLastError(int error)
{
    lastSocketError = error;
}

extern "C" int builtinIsBlocking()
{
    return blockingCallActive;
}

extern "C" int builtinAsyncSelect(int socket, QObject *window, unsigned message, long events)
{
    return async_select::Register(socket, window, message, events) == 0 ? 0 : fail(errno);
}

extern "C" int builtinSocket(int family, int type, int protocol)
{
    const int s = ::socket(family, type | SOCK_CLOEXEC, protocol);
    return s >= 0 ? s : fail(errno);
}

extern "C" int builtinConnect(int socket, const sockaddr *address, socklen_t length)
{
    if (::connect(socket, address, length) == 0) {
        async_select::ConnectStarted(socket, true);
        return 0;
    }
    if (errno == EINPROGRESS) {
        async_select::ConnectStarted(socket, false);
        lastSocketError = kWsaEWouldBlock; // what a non-blocking connect reports here
        return -1;
    }
    return fail(errno);
}

extern "C" int builtinCloseSocket(int socket)
{
    async_select::Closing(socket);
    return ::close(socket) == 0 ? 0 : fail(errno);
}

extern "C" int builtinIoctlSocket(int socket, long command, unsigned long *argument)
{
    if (argument == nullptr)
        return fail(EFAULT);
    if (command == kFionbio) {
        const int flags = ::fcntl(socket, F_GETFL);
        if (flags < 0)
            return fail(errno);
        const int wanted = *argument ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
        return ::fcntl(socket, F_SETFL, wanted) == 0 ? 0 : fail(errno);
    }
    if (command == kFionread) {
        int pending = 0;
        if (::ioctl(socket, FIONREAD, &pending) != 0)
            return fail(errno);
        *argument = static_cast<unsigned long>(pending);
        return 0;
    }
    return fail(EINVAL);
}

// A select that, with a blocking hook installed on this thread, waits in short slices
// and runs the hook between them, so the thread's event loop keeps turning.
extern "C" int builtinSelect(int nfds, fd_set *read, fd_set *write, fd_set *except, timeval *timeout)
{
    using namespace std::chrono;
    const bool finite = timeout != nullptr;
    const bool sliced = blockingHook != nullptr && !(finite && timeout->tv_sec == 0 && timeout->tv_usec == 0);
    if (!sliced) {
        const int result = ::select(nfds, read, write, except, timeout);
        return result >= 0 ? result : fail(errno);
    }
    const auto deadline =
        finite ? steady_clock::now() + seconds(timeout->tv_sec) + microseconds(timeout->tv_usec)
               : steady_clock::time_point::max();
    const fd_set noneSet{};
    const fd_set readSet = read ? *read : noneSet;
    const fd_set writeSet = write ? *write : noneSet;
    const fd_set exceptSet = except ? *except : noneSet;
    ++blockingCallActive;
    int result = 0;
    for (;;) {
        if (read)
            *read = readSet;
        if (write)
            *write = writeSet;
        if (except)
            *except = exceptSet;
        const auto left = deadline - steady_clock::now();
        auto slice = duration_cast<microseconds>(std::min<steady_clock::duration>(left, milliseconds(20)));
        if (slice.count() < 0)
            slice = microseconds(0);
        timeval wait{static_cast<time_t>(slice.count() / 1000000),
                     static_cast<suseconds_t>(slice.count() % 1000000)};
        result = ::select(nfds, read, write, except, &wait);
        if (result < 0 && errno == EINTR)
            continue;
        if (result != 0 || steady_clock::now() >= deadline)
            break;
        blockingHook();
    }
    --blockingCallActive;
    return result >= 0 ? result : fail(errno);
}

extern "C" int builtinRecv(int socket, char *buffer, int length, int flags)
{
    const ssize_t got = ::recv(socket, buffer, static_cast<size_t>(std::max(length, 0)), flags);
    const int error = errno;
    if (!(flags & MSG_PEEK))
        async_select::Received(socket);
    return got >= 0 ? static_cast<int>(got) : fail(error);
}

extern "C" int builtinSend(int socket, const char *buffer, int length, int flags)
{
    const ssize_t sent =
        ::send(socket, buffer, static_cast<size_t>(std::max(length, 0)), flags | MSG_NOSIGNAL);
    const int error = errno;
    if ((sent < 0 && (error == EAGAIN || error == EWOULDBLOCK)) || (sent >= 0 && sent < length))
        async_select::SendBlocked(socket);
    return sent >= 0 ? static_cast<int>(sent) : fail(error);
}

extern "C" int builtinGetSockName(int socket, sockaddr *address, socklen_t *length)
{
    return ::getsockname(socket, address, length) == 0 ? 0 : fail(errno);
}

extern "C" int builtinGetHostName(char *name, int length)
{
    return ::gethostname(name, static_cast<size_t>(std::max(length, 0))) == 0 ? 0 : fail(errno);
}

extern "C" hostent *builtinGetHostByName(const char *name)
{
    hostent *result = nullptr;
    int error = 0;
    if (name == nullptr || ::gethostbyname_r(name, &lookups.host, lookups.buffer.data(),
                                             lookups.buffer.size(), &result, &error) != 0)
        return nullptr;
    return result;
}

extern "C" hostent *builtinGetHostByAddr(const char *address, int length, int type)
{
    hostent *result = nullptr;
    int error = 0;
    if (address == nullptr ||
        ::gethostbyaddr_r(address, static_cast<socklen_t>(length), type, &lookups.host, lookups.buffer.data(),
                          lookups.buffer.size(), &result, &error) != 0)
        return nullptr;
    return result;
}

extern "C" servent *builtinGetServByName(const char *name, const char *protocol)
{
    servent *result = nullptr;
    if (name == nullptr || ::getservbyname_r(name, protocol, &lookups.service, lookups.buffer.data(),
                                             lookups.buffer.size(), &result) != 0)
        return nullptr;
    return result;
}

extern "C" servent *builtinGetServByPort(int port, const char *protocol)
{
    servent *result = nullptr;
    if (::getservbyport_r(port, protocol, &lookups.service, lookups.buffer.data(), lookups.buffer.size(),
                          &result) != 0)
        return nullptr;
    return result;
}

extern "C" std::uint32_t builtinHtonl(std::uint32_t value)
{
    return htonl(value);
}

extern "C" std::uint16_t builtinHtons(std::uint16_t value)
{
    return htons(value);
}

extern "C" std::uint16_t builtinNtohs(std::uint16_t value)
{
    return ntohs(value);
}

extern "C" char *builtinInetNtoa(in_addr address)
{
    thread_local char text[INET_ADDRSTRLEN];
    return const_cast<char *>(::inet_ntop(AF_INET, &address, text, sizeof text));
}

} // namespace

int SocketErrorFromErrno(int error)
{
    switch (error) {
    case 0:
        return 0;
    case EINTR:
        return kWsaEIntr;
    case EBADF:
        return kWsaEBadF;
    case EACCES:
    case EPERM:
        return kWsaEAcces;
    case EFAULT:
        return kWsaEFault;
    case EINVAL:
        return kWsaEInval;
    case EMFILE:
    case ENFILE:
        return kWsaEMFile;
    case EAGAIN:
        return kWsaEWouldBlock;
    case EINPROGRESS:
        return kWsaEInProgress;
    case EALREADY:
        return kWsaEAlready;
    case ENOTSOCK:
        return kWsaENotSock;
    case EADDRINUSE:
        return kWsaEAddrInUse;
    case EADDRNOTAVAIL:
        return kWsaEAddrNotAvail;
    case ENETDOWN:
        return kWsaENetDown;
    case ENETUNREACH:
        return kWsaENetUnreach;
    case ECONNABORTED:
        return kWsaEConnAborted;
    case ECONNRESET:
    case EPIPE:
        return kWsaEConnReset;
    case ENOBUFS:
    case ENOMEM:
        return kWsaENoBufs;
    case EISCONN:
        return kWsaEIsConn;
    case ENOTCONN:
        return kWsaENotConn;
    case ETIMEDOUT:
        return kWsaETimedOut;
    case ECONNREFUSED:
        return kWsaEConnRefused;
    case EHOSTUNREACH:
        return kWsaEHostUnreach;
    default:
        return kWsaSysCallFailure;
    }
}

const EntryPoints &BuiltinEntryPoints()
{
    static const EntryPoints table{
        builtinStartup,       builtinCleanup,       builtinSetBlockingHook, builtinGetLastError,
        builtinSetLastError,  builtinIsBlocking,    builtinAsyncSelect,     builtinSocket,
        builtinConnect,       builtinCloseSocket,   builtinIoctlSocket,     builtinSelect,
        builtinRecv,          builtinSend,          builtinGetSockName,     builtinGetHostName,
        builtinGetHostByName, builtinGetHostByAddr, builtinGetServByName,   builtinGetServByPort,
        builtinHtonl,         builtinHtons,         builtinNtohs,           builtinInetNtoa};
    return table;
}

} // namespace wiretalk
