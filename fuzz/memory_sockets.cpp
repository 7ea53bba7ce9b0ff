// A socket library for the telnet_filter fuzz target, loaded by name through the socket
// layer: a connect succeeds at once, and every receive takes the next bytes of the stream
// the target serves, in arrivals of a chosen size, then 0 (the peer closed). What the
// engine sends (negotiation replies) is taken and dropped. The descriptors are real,
// unconnected local sockets, so the layer's own checks on them hold. No network, no
// kernel connection per input: the engine's code is all that runs.
#include "wiretalk/socket_layer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#define EXPORTED extern "C" __attribute__((visibility("default")))

// The entry points that share their names with the C library's functions (whose
// declarations differ) are defined under names of their own and exported under the
// library's names.
EXPORTED int memorySocket(int, int, int) __asm__("socket");
EXPORTED int memoryConnect(int, const sockaddr *, socklen_t) __asm__("connect");
EXPORTED int memorySelect(int, fd_set *, fd_set *, fd_set *, timeval *) __asm__("select");
EXPORTED int memoryRecv(int, char *, int, int) __asm__("recv");
EXPORTED int memorySend(int, const char *, int, int) __asm__("send");
EXPORTED std::uint32_t memoryHtonl(std::uint32_t) __asm__("htonl");
EXPORTED std::uint16_t memoryHtons(std::uint16_t) __asm__("htons");
EXPORTED std::uint16_t memoryNtohs(std::uint16_t) __asm__("ntohs");

namespace {

const char *streamBytes = nullptr;
std::size_t streamLength = 0;
std::size_t streamOffset = 0;
std::size_t arrivalSize = 1;
int lastError = 0;

std::size_t remaining()
{
    return streamLength - streamOffset;
}

} // namespace

// The stream every receive from now on serves, at most `arrival` bytes at a time.
EXPORTED void MemorySocketsServe(const char *bytes, std::size_t length, std::size_t arrival)
{
    streamBytes = bytes;
    streamLength = length;
    streamOffset = 0;
    arrivalSize = std::max<std::size_t>(arrival, 1);
}

EXPORTED int WSAStartup(std::uint16_t, wiretalk::WSAData *data)
{
    *data = wiretalk::WSAData{};
    data->wVersion = 0x0101;
    data->wHighVersion = 0x0101;
    std::snprintf(data->szDescription, sizeof data->szDescription, "Memory sockets");
    return 0;
}

EXPORTED int WSACleanup()
{
    return 0;
}

EXPORTED int WSAGetLastError()
{
    return lastError;
}

EXPORTED void WSASetLastError(int error)
{
    lastError = error;
}

int memorySocket(int, int, int)
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return -1;
    ::close(ends[1]);
    return ends[0];
}

int memoryConnect(int, const sockaddr *, socklen_t)
{
    return 0;
}

EXPORTED int closesocket(int socket)
{
    return ::close(socket);
}

EXPORTED int ioctlsocket(int, long command, unsigned long *argument)
{
    if (command == wiretalk::kFionread)
        *argument = remaining();
    return 0;
}

// Always ready: there is either more of the stream or its end to read, and sends never
// block.
int memorySelect(int, fd_set *read, fd_set *write, fd_set *, timeval *)
{
    int ready = 0;
    for (fd_set *set : {read, write}) {
        if (set == nullptr)
            continue;
        for (int fd = 0; fd < FD_SETSIZE; ++fd)
            ready += FD_ISSET(fd, set) ? 1 : 0;
    }
    return ready;
}

int memoryRecv(int, char *buffer, int length, int flags)
{
    const std::size_t count =
        std::min({static_cast<std::size_t>(std::max(length, 0)), remaining(), arrivalSize});
    std::memcpy(buffer, streamBytes + streamOffset, count);
    if (!(flags & MSG_PEEK))
        streamOffset += count;
    return static_cast<int>(count);
}

int memorySend(int, const char *, int length, int)
{
    return length;
}

std::uint32_t memoryHtonl(std::uint32_t value)
{
    return __builtin_bswap32(value);
}

std::uint16_t memoryHtons(std::uint16_t value)
{
    return __builtin_bswap16(value);
}

std::uint16_t memoryNtohs(std::uint16_t value)
{
    return __builtin_bswap16(value);
}
