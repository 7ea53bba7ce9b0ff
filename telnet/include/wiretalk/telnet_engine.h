// Telnet protocol engine of Wiretalk: owns one TCP connection per session, strips and
// answers telnet commands and option negotiation, buffers what is received and sent,
// and reports every failure as a numbered code in the calling thread's last error.
//
// Sessions are slots 0..255 of a process-wide table; a handle is usable only on the
// thread that opened it. Two modes, chosen when the session is opened:
//  - blocking mode (no notify window): the engine waits itself, bounded by the session's
//    time-out; while it waits, a running Qt event loop on the thread keeps turning. It
//    works on any thread, also with no Qt application at all.
//  - asynchronous mode (notify window and message): every call returns at once, and the
//    connect, read, write and close notifications are posted to the window as
//    SocketNotifyEvent (socket_layer.h).
#pragma once

#include <QObject>

#include <cstdint>

namespace wiretalk {

// Option flag bits.
enum : int
{
    kOptionLocalEcho = 1,
    kOptionBinary = 2
};

// Telnet bytes.
enum : unsigned char
{
    kTelnetSE = 240,
    kTelnetNOP = 241,
    kTelnetDM = 242,
    kTelnetGA = 249,
    kTelnetSB = 250,
    kTelnetWILL = 251,
    kTelnetWONT = 252,
    kTelnetDO = 253,
    kTelnetDONT = 254,
    kTelnetIAC = 255
};

// Telnet options the engine knows.
enum : unsigned char
{
    kOptBinary = 0,
    kOptEcho = 1,
    kOptSuppressGoAhead = 3,
    kOptTerminalType = 24
};

constexpr int kSessionSlots = 256;
constexpr int kBufferSize = 1024;

// Opens a session: host is dotted text or a host name; port 0 looks up the telnet
// service (23 when that fails); timeout in seconds (0 = 60). With a null notifyWindow
// the session is in blocking mode and the connection is complete on return.
// Result: the session handle, or -1.
int TelnetConnect(const char *host, std::uint16_t port, int timeout, QObject *notifyWindow,
                  unsigned notifyMessage);
// Closes the socket and frees the session (nothing is sent first): 0, or -1.
int TelnetClose(int handle);
// The receive filter: up to count bytes of application data into buffer; the count
// stored (0 is possible), or -1.
int TelnetRead(int handle, char *buffer, int count);
// Queues count bytes (255 doubled) and sends them: the source bytes consumed, or -1.
int TelnetWrite(int handle, const char *buffer, int count);
// Receives one block when the buffer is empty: the buffered count, or -1.
int TelnetFillBuffer(int handle);
// Sends queued output: the bytes sent, or -1.
int TelnetFlush(int handle);
// Switches notification: a window registers read, write and close; null cancels.
// 1 on success, 0 on failure.
int TelnetSetNotify(int handle, QObject *window, unsigned message);
// Sets (on) or clears the bits of mask in the option flags: the previous flags, or -1.
int TelnetSetOption(int handle, int mask, bool on);
// Stores the time-out in seconds (above 600 becomes 600): 0, or -1.
int TelnetSetTimeout(int handle, int seconds);
// Stores at most 30 characters of the terminal type (null = empty, which refuses
// TERMINAL-TYPE): 1, or 0 for an invalid handle.
int TelnetSetTerminal(int handle, const char *terminalType);
// 1 once the peer has closed the connection (0 for an invalid handle).
int TelnetIsClosed(int handle);
// The session's socket descriptor, or -1.
int TelnetGetSocket(int handle);
// Bytes received and not yet consumed (0 for an invalid handle).
int TelnetGetRecvCount(int handle);
// The calling thread's last error (0 = none); nothing clears it on success.
int TelnetLastError();
void TelnetSetLastError(int code);

} // namespace wiretalk
