// Opening and closing sessions, and the small per-session settings.
#include "telnet_session.h"

#include "entry_points.h"

#include <cstdio>
#include <cstring>

namespace wiretalk {

namespace {

constexpr long kAsyncEvents = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE; // 0x33
constexpr long kNotifyEvents = FD_READ | FD_WRITE | FD_CLOSE;             // 0x23

// The host as an address in network order: dotted text, else the first address of a
// name look-up; kNotAnAddress when neither works. An empty text parses as 0.0.0.0, which
// names no host to connect to (the system would quietly take it as this machine).
std::uint32_t resolveHost(const char *host)
{
    const std::uint32_t parsed = ParseAddress(host);
    if (parsed == 0)
        return kNotAnAddress;
    if (parsed != kNotAnAddress)
        return parsed;
    const hostent *entry = SocketHostByName(host);
    if (entry == nullptr || entry->h_addr_list == nullptr || entry->h_addr_list[0] == nullptr ||
        entry->h_length != 4)
        return kNotAnAddress;
    std::uint32_t address = 0;
    std::memcpy(&address, entry->h_addr_list[0], sizeof address);
    return address;
}

std::uint16_t telnetPort()
{
    const servent *entry = SocketServByName("telnet", "tcp");
    return entry ? SocketNtohs(static_cast<std::uint16_t>(entry->s_port)) : 23;
}

// Every failure after allocation frees the session; the step's code stays stored.
int abandon(int handle, int code)
{
    FreeSession(handle);
    return Fail(code);
}

int openConnection(int handle, TelnetSession &session, const char *host, std::uint16_t port, int timeout,
                   QObject *notifyWindow, unsigned notifyMessage)
{
    session.remoteAddress = resolveHost(host);
    if (session.remoteAddress == kNotAnAddress)
        return abandon(handle, kErrInvalidHost);
    session.remotePort = static_cast<std::int16_t>(port != 0 ? port : telnetPort());
    session.optionFlags = kOptionBinary;

    session.socket = SocketCreate(AF_INET, SOCK_STREAM, 0);
    if (session.socket == -1)
        return abandon(handle, kErrInvalidSocket);
    if (notifyWindow != nullptr) {
        session.notifyWindow = notifyWindow;
        session.notifyMessage = notifyMessage;
        if (SocketAsyncSelect(session.socket, notifyWindow, notifyMessage, kAsyncEvents) != 0)
            return abandon(handle, kErrConnectFailed);
    } else {
        unsigned long nonBlocking = 1;
        if (SocketIoctl(session.socket, kFionbio, &nonBlocking) != 0)
            return abandon(handle, kErrInvalidSocket);
    }
    session.timeout = timeout == 0 ? 60 : timeout;

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = SocketHtons(static_cast<std::uint16_t>(session.remotePort));
    address.sin_addr.s_addr = session.remoteAddress;
    if (SocketConnect(session.socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 &&
        SocketLastError() != kWsaEWouldBlock)
        return abandon(handle, kErrConnectFailed);
    if (notifyWindow == nullptr) {
        const int socket = session.socket;
        const int ready = SocketWait(socket, true, session.timeout);
        // The wait may have run other handlers: the session must still be there.
        if (LookupSession(handle) != &session)
            return -1;
        // A refused connect also reads as writable here; its pending error tells.
        if (ready != 1 || SocketConnectError(socket) != 0)
            return abandon(handle, kErrConnectFailed);
    }
    return handle;
}

} // namespace

int TelnetConnect(const char *host, std::uint16_t port, int timeout, QObject *notifyWindow,
                  unsigned notifyMessage)
{
    if (host == nullptr)
        return Fail(kErrInvalidParameter);
    const int handle = AllocateSession();
    if (handle == -1)
        return -1;
    TelnetSession *session = LookupSession(handle);
    return openConnection(handle, *session, host, port, timeout, notifyWindow, notifyMessage);
}

int TelnetClose(int handle)
{
    if (!FreeSession(handle))
        return Fail(kErrInvalidHandle);
    return 0;
}

int TelnetSetNotify(int handle, QObject *window, unsigned message)
{
    TelnetSession *session = LookupSession(handle);
    if (session == nullptr)
        return 0;
    if (window != nullptr && !NotifyWindow::IsWindow(window)) {
        Fail(kErrInvalidParameter);
        return 0;
    }
    const long events = window != nullptr ? kNotifyEvents : 0;
    if (SocketAsyncSelect(session->socket, window, window != nullptr ? message : 0, events) != 0) {
        Fail(kErrInvalidSocket);
        return 0;
    }
    session->notifyWindow = window;
    session->notifyMessage = window != nullptr ? message : 0;
    return 1;
}

int TelnetSetOption(int handle, int mask, bool on)
{
    TelnetSession *session = LookupSession(handle);
    if (session == nullptr)
        return -1;
    if (mask == -1)
        return Fail(kErrInvalidParameter);
    const int previous = session->optionFlags;
    session->optionFlags = on ? (previous | mask) : (previous & ~mask);
    return previous;
}

int TelnetSetTimeout(int handle, int seconds)
{
    TelnetSession *session = LookupSession(handle);
    if (session == nullptr)
        return -1;
    session->timeout = seconds > 600 ? 600 : seconds;
    return 0;
}

int TelnetSetTerminal(int handle, const char *terminalType)
{
    TelnetSession *session = LookupSession(handle);
    if (session == nullptr)
        return 0;
    std::snprintf(session->terminalType, 31, "%s", terminalType ? terminalType : "");
    return 1;
}

int TelnetIsClosed(int handle)
{
    const TelnetSession *session = LookupSession(handle);
    return session ? session->closed : 0;
}

int TelnetGetSocket(int handle)
{
    const TelnetSession *session = LookupSession(handle);
    return session ? session->socket : -1;
}

int TelnetGetRecvCount(int handle)
{
    const TelnetSession *session = LookupSession(handle);
    return session ? session->receiveCount : 0;
}

} // namespace wiretalk
