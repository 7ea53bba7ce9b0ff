// Fuzz target for the telnet receive filter: the input is served as server output over a
// loopback connection and read to the end through TelnetRead on a blocking-mode session.
//   byte 0: bit 0 binary, bit 1 local echo, bit 2 empty terminal type
//   byte 1: the size of each read (1 to 256)
//   rest:   what the server sends, then it closes its side
// Whatever the bytes, every read stays within its buffer and the stream ends in 27517.
#include "wiretalk/socket_layer.h"
#include "wiretalk/telnet_engine.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// One listener for the whole run.
int listener(std::uint16_t *port)
{
    static std::uint16_t listening = 0;
    static const int fd = [] {
        const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (s < 0 || ::bind(s, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
            ::listen(s, 4) != 0 || ::getsockname(s, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            std::abort();
        listening = ntohs(address.sin_port);
        return s;
    }();
    *port = listening;
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2 || size > 65536)
        return 0;
    std::uint16_t port = 0;
    const int server = listener(&port);
    const int handle = wiretalk::TelnetConnect("127.0.0.1", port, 5, nullptr, 0);
    if (handle < 0)
        std::abort();
    const int peer = ::accept(server, nullptr, nullptr);
    wiretalk::TelnetSetOption(handle, wiretalk::kOptionBinary, (data[0] & 1) != 0);
    wiretalk::TelnetSetOption(handle, wiretalk::kOptionLocalEcho, (data[0] & 2) != 0);
    if (data[0] & 4)
        wiretalk::TelnetSetTerminal(handle, nullptr);
    const int readSize = 1 + data[1];
    // The stream fits the socket buffers, so writing it all first cannot block.
    if (::send(peer, data + 2, size - 2, MSG_NOSIGNAL) != static_cast<ssize_t>(size - 2))
        std::abort();
    ::shutdown(peer, SHUT_WR);

    std::vector<char> buffer(static_cast<std::size_t>(readSize) + 1, '\x5a');
    std::size_t delivered = 0;
    for (;;) {
        const int got = wiretalk::TelnetRead(handle, buffer.data(), readSize);
        if (got < 0)
            break;
        if (got > readSize || buffer[static_cast<std::size_t>(readSize)] != '\x5a')
            std::abort(); // wrote past the destination
        delivered += static_cast<std::size_t>(got);
        if (delivered > 2 * size)
            std::abort(); // more out than a bare-LF expansion of everything could give
    }
    if (wiretalk::TelnetLastError() != wiretalk::kErrClosed)
        std::abort();
    wiretalk::TelnetClose(handle);
    ::close(peer);
    return 0;
}
