// Loading and binding of the socket library, the start-up count, the wrappers with their
// results for missing entry points, and the blocking hook.
#include "entry_points.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

#include <dlfcn.h>
#include <link.h>

namespace wiretalk {

namespace {

// Process-wide state: bound once, never unloaded.
std::mutex loadLock;
std::atomic<bool> loaded{false};
EntryPoints entries;
std::string libraryPath;
std::atomic<int> startupCount{0};

std::string pathOfAddress(const void *address)
{
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr)
        return {};
    char resolved[4096];
    return realpath(info.dli_fname, resolved) ? std::string(resolved) : std::string(info.dli_fname);
}

// Binds an entry point the module itself exports; dlsym would also find the names of
// the libraries it depends on (the C library's socket, say), which are not its own.
template <typename Fn> void bind(void *module, Fn &slot, const char *name)
{
    slot = nullptr;
    void *symbol = dlsym(module, name);
    link_map *map = nullptr;
    Dl_info info{};
    if (symbol == nullptr || dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || dladdr(symbol, &info) == 0 ||
        info.dli_fname == nullptr || std::strcmp(info.dli_fname, map->l_name) != 0)
        return;
    slot = reinterpret_cast<Fn>(symbol);
}

bool loadNamedLibrary(const char *name)
{
    void *module = dlopen(name, RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr)
        return false;
    EntryPoints bound;
    bind(module, bound.WSAStartup, "WSAStartup");
    if (bound.WSAStartup == nullptr) {
        dlclose(module); // not a socket library at all
        return false;
    }
    bind(module, bound.WSACleanup, "WSACleanup");
    bind(module, bound.WSASetBlockingHook, "WSASetBlockingHook");
    bind(module, bound.WSAGetLastError, "WSAGetLastError");
    bind(module, bound.WSASetLastError, "WSASetLastError");
    bind(module, bound.WSAIsBlocking, "WSAIsBlocking");
    bind(module, bound.WSAAsyncSelect, "WSAAsyncSelect");
    bind(module, bound.socket, "socket");
    bind(module, bound.connect, "connect");
    bind(module, bound.closesocket, "closesocket");
    bind(module, bound.ioctlsocket, "ioctlsocket");
    bind(module, bound.select, "select");
    bind(module, bound.recv, "recv");
    bind(module, bound.send, "send");
    bind(module, bound.getsockname, "getsockname");
    bind(module, bound.gethostname, "gethostname");
    bind(module, bound.gethostbyname, "gethostbyname");
    bind(module, bound.gethostbyaddr, "gethostbyaddr");
    bind(module, bound.getservbyname, "getservbyname");
    bind(module, bound.getservbyport, "getservbyport");
    bind(module, bound.htonl_, "htonl");
    bind(module, bound.htons_, "htons");
    bind(module, bound.ntohs_, "ntohs");
    bind(module, bound.inet_ntoa, "inet_ntoa");
    entries = bound;
    libraryPath = pathOfAddress(reinterpret_cast<void *>(bound.WSAStartup));
    return true;
}

bool ensureLoaded(const char *name)
{
    if (loaded.load(std::memory_order_acquire))
        return true;
    std::lock_guard lock(loadLock);
    if (loaded.load(std::memory_order_relaxed))
        return true;
    if (name == nullptr || *name == '\0') {
        entries = BuiltinEntryPoints();
        libraryPath = pathOfAddress(reinterpret_cast<void *>(&SocketStartup));
    } else if (!loadNamedLibrary(name)) {
        return false; // stays unloaded; a later start-up tries again
    }
    loaded.store(true, std::memory_order_release);
    return true;
}

const EntryPoints &table()
{
    static const EntryPoints none;
    return loaded.load(std::memory_order_acquire) ? entries : none;
}

// Keeps the calling thread's Qt event loop turning during a blocking wait.
int pumpMessages()
{
    if (QCoreApplication::instance() == nullptr)
        return 0;
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    return dispatcher != nullptr && dispatcher->processEvents(QEventLoop::AllEvents) ? 1 : 0;
}

} // namespace

int SocketStartup(const char *libraryName, std::uint16_t version, WSAData *data)
{
    if (!ensureLoaded(libraryName))
        return kWsaSysNotReady;
    const int result = table().WSAStartup(version, data);
    if (result != 0)
        return result; // a failed start-up needs no release
    ++startupCount;
    if (table().WSASetBlockingHook)
        table().WSASetBlockingHook(pumpMessages);
    return 0;
}

int SocketRelease()
{
    int count = startupCount.load();
    do {
        if (count <= 0)
            return -1;
    } while (!startupCount.compare_exchange_weak(count, count - 1));
    return table().WSACleanup ? table().WSACleanup() : -1;
}

std::string SocketLibraryPath()
{
    return loaded.load(std::memory_order_acquire) ? libraryPath : std::string();
}

int SocketLastError()
{
    return table().WSAGetLastError ? table().WSAGetLastError() : kWsaNotInitialised;
}

void SocketSetLastError(int error)
{
    if (table().WSASetLastError)
        table().WSASetLastError(error);
}

int SocketIsBlocking()
{
    return table().WSAIsBlocking ? table().WSAIsBlocking() : 0;
}

int SocketAsyncSelect(int socket, QObject *window, unsigned message, long events)
{
    return table().WSAAsyncSelect ? table().WSAAsyncSelect(socket, window, message, events) : -1;
}

int SocketCreate(int family, int type, int protocol)
{
    return table().socket ? table().socket(family, type, protocol) : -1;
}

int SocketConnect(int socket, const sockaddr *address, socklen_t length)
{
    return table().connect ? table().connect(socket, address, length) : -1;
}

int SocketClose(int socket)
{
    return table().closesocket ? table().closesocket(socket) : -1;
}

int SocketIoctl(int socket, long command, unsigned long *argument)
{
    return table().ioctlsocket ? table().ioctlsocket(socket, command, argument) : -1;
}

int SocketSelect(int nfds, fd_set *read, fd_set *write, fd_set *except, timeval *timeout)
{
    return table().select ? table().select(nfds, read, write, except, timeout) : -1;
}

int SocketRecv(int socket, char *buffer, int length, int flags)
{
    return table().recv ? table().recv(socket, buffer, length, flags) : -1;
}

int SocketSend(int socket, const char *buffer, int length, int flags)
{
    return table().send ? table().send(socket, buffer, length, flags) : -1;
}

int SocketGetName(int socket, sockaddr *address, socklen_t *length)
{
    return table().getsockname ? table().getsockname(socket, address, length) : -1;
}

int SocketHostName(char *name, int length)
{
    return table().gethostname ? table().gethostname(name, length) : -1;
}

hostent *SocketHostByName(const char *name)
{
    return table().gethostbyname ? table().gethostbyname(name) : nullptr;
}

hostent *SocketHostByAddr(const char *address, int length, int type)
{
    return table().gethostbyaddr ? table().gethostbyaddr(address, length, type) : nullptr;
}

servent *SocketServByName(const char *name, const char *protocol)
{
    return table().getservbyname ? table().getservbyname(name, protocol) : nullptr;
}

servent *SocketServByPort(int port, const char *protocol)
{
    return table().getservbyport ? table().getservbyport(port, protocol) : nullptr;
}

std::uint32_t SocketHtonl(std::uint32_t value)
{
    return table().htonl_ ? table().htonl_(value) : value;
}

std::uint16_t SocketHtons(std::uint16_t value)
{
    return table().htons_ ? table().htons_(value) : value;
}

std::uint16_t SocketNtohs(std::uint16_t value)
{
    return table().ntohs_ ? table().ntohs_(value) : value;
}

std::string DottedAddress(std::uint32_t networkOrder)
{
    if (table().inet_ntoa) {
        in_addr address{};
        address.s_addr = networkOrder;
        if (const char *text = table().inet_ntoa(address))
            return text;
    }
    // The layer's own formatting: the four bytes in memory order.
    const auto *bytes = reinterpret_cast<const unsigned char *>(&networkOrder);
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", bytes[0], bytes[1], bytes[2], bytes[3]);
    return text;
}

int SocketWait(int socket, bool forWrite, int timeoutSeconds)
{
    if (socket < 0 || socket >= FD_SETSIZE) {
        SocketSetLastError(kWsaEInval); // select cannot watch this descriptor
        return -1;
    }
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket, &set);
    timeval limit{timeoutSeconds > 0 ? timeoutSeconds : 0, 0};
    return SocketSelect(socket + 1, forWrite ? nullptr : &set, forWrite ? &set : nullptr, nullptr,
                        timeoutSeconds == 0 ? nullptr : &limit);
}

int SocketConnectError(int socket)
{
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        error = errno;
    return SocketErrorFromErrno(error);
}

} // namespace wiretalk
