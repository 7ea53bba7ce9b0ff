// Socket layer of Wiretalk: the sockets library is reached through a table of entry
// points bound by name, so a test (or a user through `Library`) can load another shared
// object in place of the built-in POSIX implementation. The layer also parses dotted
// addresses itself, formats them, and owns the component's error codes and messages.
#pragma once

#include <QEvent>
#include <QObject>

#include <cstdint>
#include <functional>
#include <string>

#include <netdb.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>

namespace wiretalk {

// ---- Error codes of the component (stored as the per-thread last error) ----------

enum : int
{
    kErrNetworkInit = 27501,      // "Network subsystem failed to initialize"
    kErrNoHandles = 27503,        // "No handles available to this process"
    kErrInvalidHandleOld = 27504, // "Invalid handle passed to function"
    kErrInvalidHandle = 27505,    // "Invalid handle passed to function"
    kErrMemory = 27506,           // "Memory allocation failed"
    kErrInvalidParameter = 27507, // "Invalid parameter passed to function"
    kErrInvalidHost = 27508,      // "Invalid host name specified"
    kErrInvalidSocket = 27509,    // "Invalid socket descriptor passed to function"
    kErrConnectFailed = 27510,    // no message text
    kErrTimedOut = 27511,         // "Operation timed out waiting for response from server"
    kErrInvalidResponse = 27512,  // "Invalid response from server"
    kErrReadFailed = 27513,       // "Failed to read data from server"
    kErrWriteFailed = 27514,      // "Failed to write data to server"
    kErrRetry = 27515,            // "Operation should be retried"
    kErrBufferOverflow = 27516,   // "Internal buffer overflow"
    kErrClosed = 27517,           // "Connection to server is closed"
    kErrInProgress = 27518,       // "Blocking operation in progress"
    kErrCanceled = 27519,         // "Operation canceled by client"
    kErrSync = 27520,             // "Unable to synchronize with server"
    kErrUnsupportedOption = 27521 // "Unsupported option"
};

// The message text of a component error code, or nullptr when the code has none
// (27510 and every code outside the component's range).
const char *ErrorMessage(int code);

// ---- Socket library error numbers (the layer's own codes, Windows Sockets values) ----

enum : int
{
    kWsaEIntr = 10004,
    kWsaEBadF = 10009,
    kWsaEAcces = 10013,
    kWsaEFault = 10014,
    kWsaEInval = 10022,
    kWsaEMFile = 10024,
    kWsaEWouldBlock = 10035,
    kWsaEInProgress = 10036,
    kWsaEAlready = 10037,
    kWsaENotSock = 10038,
    kWsaEAddrInUse = 10048,
    kWsaEAddrNotAvail = 10049,
    kWsaENetDown = 10050,
    kWsaENetUnreach = 10051,
    kWsaEConnAborted = 10053,
    kWsaEConnReset = 10054,
    kWsaENoBufs = 10055,
    kWsaEIsConn = 10056,
    kWsaENotConn = 10057,
    kWsaETimedOut = 10060,
    kWsaEConnRefused = 10061,
    kWsaEHostUnreach = 10065,
    kWsaSysNotReady = 10091,     // the socket library could not be loaded
    kWsaVerNotSupported = 10092, // the requested version is not offered
    kWsaNotInitialised = 10093,  // no start-up, or no WSAGetLastError entry point
    kWsaSysCallFailure = 10107
};

// Notification kinds of the asynchronous mode (low word of the notification word).
enum : long
{
    FD_READ = 0x01,
    FD_WRITE = 0x02,
    FD_OOB = 0x04,
    FD_ACCEPT = 0x08,
    FD_CONNECT = 0x10,
    FD_CLOSE = 0x20
};

// Start-up record filled by the library's WSAStartup.
struct WSAData
{
    std::uint16_t wVersion;
    std::uint16_t wHighVersion;
    char szDescription[257];
    char szSystemStatus[129];
};

// ---- Notification windows ---------------------------------------------------------

// Hidden window that receives socket notifications. A notification is a posted
// SocketNotifyEvent whose event type is the registered message number (2025 for the
// control); the window hands it to its handler on its own thread. Only live
// NotifyWindow objects count as valid windows (IsWindow).
class SocketNotifyEvent : public QEvent
{
public:
    SocketNotifyEvent(unsigned message, int socket, std::uint32_t lParam);
    int socket() const { return m_socket; }
    std::uint32_t lParam() const { return m_lParam; }
    unsigned kind() const { return m_lParam & 0xFFFFu; }
    unsigned error() const { return m_lParam >> 16; }

private:
    int m_socket;
    std::uint32_t m_lParam;
};

// Makes the notification word: kind in the low word, socket error in the high word.
constexpr std::uint32_t MakeSelectReply(unsigned kind, unsigned error)
{
    return (kind & 0xFFFFu) | ((error & 0xFFFFu) << 16);
}

class NotifyWindow : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void(unsigned message, int socket, std::uint32_t lParam)>;
    explicit NotifyWindow(Handler handler, QObject *parent = nullptr);
    ~NotifyWindow() override;
    // True for a NotifyWindow that exists (the pointer is compared, never dereferenced).
    static bool IsWindow(const QObject *window);
    // Posts a notification to a live window; false when the window is not valid.
    static bool PostNotify(QObject *window, unsigned message, int socket, std::uint32_t lParam);

protected:
    bool event(QEvent *event) override;

private:
    Handler m_handler;
};

// ---- Entry points ------------------------------------------------------------------

// What a socket library offers, bound by these exported names (C linkage). The built-in
// library implements them on POSIX sockets; a library named through SocketStartup may
// export any subset (WSAStartup is required), the wrappers give the documented result for
// a missing one. Descriptors are ints; SOCKET_ERROR is -1.
using BlockingHook = int (*)();
extern "C" {
using WSAStartupFn = int (*)(std::uint16_t version, WSAData *data);
using WSACleanupFn = int (*)();
using WSASetBlockingHookFn = BlockingHook (*)(BlockingHook hook);
using WSAGetLastErrorFn = int (*)();
using WSASetLastErrorFn = void (*)(int error);
using WSAIsBlockingFn = int (*)();
using WSAAsyncSelectFn = int (*)(int socket, QObject *window, unsigned message, long events);
using SocketFn = int (*)(int family, int type, int protocol);
using ConnectFn = int (*)(int socket, const sockaddr *address, socklen_t length);
using CloseSocketFn = int (*)(int socket);
using IoctlSocketFn = int (*)(int socket, long command, unsigned long *argument);
using SelectFn = int (*)(int nfds, fd_set *read, fd_set *write, fd_set *except, timeval *timeout);
using RecvFn = int (*)(int socket, char *buffer, int length, int flags);
using SendFn = int (*)(int socket, const char *buffer, int length, int flags);
using GetSockNameFn = int (*)(int socket, sockaddr *address, socklen_t *length);
using GetHostNameFn = int (*)(char *name, int length);
using GetHostByNameFn = hostent *(*)(const char *name);
using GetHostByAddrFn = hostent *(*)(const char *address, int length, int type);
using GetServByNameFn = servent *(*)(const char *name, const char *protocol);
using GetServByPortFn = servent *(*)(int port, const char *protocol);
using Htonl32Fn = std::uint32_t (*)(std::uint32_t value);
using Htons16Fn = std::uint16_t (*)(std::uint16_t value);
using InetNtoaFn = char *(*)(in_addr address);
}
// ioctlsocket commands.
enum : long
{
    kFionbio = 0x8004667E,
    kFionread = 0x4004667F
};

// ---- Start-up ----------------------------------------------------------------------

// Loads and binds the library on first use (the built-in one for a null or empty name),
// then starts it: 0 on success or a socket error code (10091 when the library cannot be
// loaded; a later start-up then tries again). The module is never unloaded, so only the
// first successful load's name matters for the whole process.
int SocketStartup(const char *libraryName, std::uint16_t version, WSAData *data);
// Releases one start-up: the library's WSACleanup result, or -1 with none outstanding.
int SocketRelease();
// Full path of the loaded library module ("" before the first successful load).
std::string SocketLibraryPath();

// ---- Addresses ---------------------------------------------------------------------

// What ParseAddress gives for text that is not an address (0xFFFFFFFF, -1).
inline constexpr std::uint32_t kNotAnAddress = 0xFFFFFFFFu;

// Parses dotted text (parts in decimal or 0x-hex, 1 to 4 parts) into an IPv4 address
// in network byte order; kNotAnAddress when the text is not an address.
std::uint32_t ParseAddress(const char *text);
// Dotted form of an address held in network byte order ("a.b.c.d").
std::string DottedAddress(std::uint32_t networkOrder);

// ---- Wrappers (the result in brackets is what a missing entry point gives) ----------

int SocketLastError();              // WSAGetLastError [10093]
void SocketSetLastError(int error); // WSASetLastError [nothing]
int SocketIsBlocking();             // WSAIsBlocking [0]
int SocketAsyncSelect(int socket, QObject *window, unsigned message, long events);         // [-1]
int SocketCreate(int family, int type, int protocol);                                      // [-1]
int SocketConnect(int socket, const sockaddr *address, socklen_t length);                  // [-1]
int SocketClose(int socket);                                                               // [-1]
int SocketIoctl(int socket, long command, unsigned long *argument);                        // [-1]
int SocketSelect(int nfds, fd_set *read, fd_set *write, fd_set *except, timeval *timeout); // [-1]
int SocketRecv(int socket, char *buffer, int length, int flags);                           // [-1]
int SocketSend(int socket, const char *buffer, int length, int flags);                     // [-1]
int SocketGetName(int socket, sockaddr *address, socklen_t *length);                       // [-1]
int SocketHostName(char *name, int length);                                                // [-1]
hostent *SocketHostByName(const char *name);                                               // [null]
hostent *SocketHostByAddr(const char *address, int length, int type);                      // [null]
servent *SocketServByName(const char *name, const char *protocol);                         // [null]
servent *SocketServByPort(int port, const char *protocol);                                 // [null]
std::uint32_t SocketHtonl(std::uint32_t value);                                            // [unchanged]
std::uint16_t SocketHtons(std::uint16_t value);                                            // [unchanged]
std::uint16_t SocketNtohs(std::uint16_t value);                                            // [unchanged]

// Waits until the socket is readable (or writable) for at most timeoutSeconds (0: no
// limit, negative: poll once): the select result, 1 ready, 0 timed out, -1 failed.
int SocketWait(int socket, bool forWrite, int timeoutSeconds);

} // namespace wiretalk
