// The table of socket-library entry points, one pointer per bound name (null when the
// library lacks it), and the built-in POSIX library that fills it by default.
#pragma once

#include "wiretalk/socket_layer.h"

namespace wiretalk {

struct EntryPoints
{
    WSAStartupFn WSAStartup = nullptr;
    WSACleanupFn WSACleanup = nullptr;
    WSASetBlockingHookFn WSASetBlockingHook = nullptr;
    WSAGetLastErrorFn WSAGetLastError = nullptr;
    WSASetLastErrorFn WSASetLastError = nullptr;
    WSAIsBlockingFn WSAIsBlocking = nullptr;
    WSAAsyncSelectFn WSAAsyncSelect = nullptr;
    SocketFn socket = nullptr;
    ConnectFn connect = nullptr;
    CloseSocketFn closesocket = nullptr;
    IoctlSocketFn ioctlsocket = nullptr;
    SelectFn select = nullptr;
    RecvFn recv = nullptr;
    SendFn send = nullptr;
    GetSockNameFn getsockname = nullptr;
    GetHostNameFn gethostname = nullptr;
    GetHostByNameFn gethostbyname = nullptr;
    GetHostByAddrFn gethostbyaddr = nullptr;
    GetServByNameFn getservbyname = nullptr;
    GetServByPortFn getservbyport = nullptr;
    Htonl32Fn htonl_ = nullptr; // htonl, htons and ntohs may be macros in the C headers
    Htons16Fn htons_ = nullptr;
    Htons16Fn ntohs_ = nullptr;
    InetNtoaFn inet_ntoa = nullptr;
};

// The built-in library: POSIX sockets with the Windows Sockets 1.1 shape, thread-safe
// name and service look-ups, and asynchronous notification through Qt socket notifiers.
const EntryPoints &BuiltinEntryPoints();

// Maps an errno value to the layer's socket error number.
int SocketErrorFromErrno(int error);

// The error of a completed non-blocking connect (0 when it succeeded), as a socket
// error number. POSIX reports a failed connect as writable; this tells them apart.
int SocketConnectError(int socket);

} // namespace wiretalk
