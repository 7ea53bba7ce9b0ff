// Fuzz target for the telnet receive filter: the input is served as server output and
// read to the end through TelnetRead on a blocking-mode session.
//   byte 0: bit 0 binary, bit 1 local echo, bit 2 empty terminal type; bits 3 to 7 the
//           size of each arrival from the server (1 to 993 bytes, in steps of 32)
//   byte 1: the size of each read (1 to 256)
//   rest:   what the server sends, then it closes its side
// The sessions run on the memory socket library (memory_sockets.cpp): the engine's code
// path is the real one from TelnetConnect to TelnetClose, without a kernel connection per
// input. Whatever the bytes, every read stays within its buffer and the stream ends in
// 27517.
#include "wiretalk/socket_layer.h"
#include "wiretalk/telnet_engine.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include <dlfcn.h>

namespace {

using ServeFn = void (*)(const char *bytes, std::size_t length, std::size_t arrival);

// Starts the socket layer on the memory library once, for the whole run.
ServeFn memorySockets()
{
    static const ServeFn serve = [] {
        wiretalk::WSAData data{};
        void *module = dlopen(TELNET_FUZZ_SOCKETS, RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr || wiretalk::SocketStartup(TELNET_FUZZ_SOCKETS, 0x0101, &data) != 0)
            std::abort();
        auto found = reinterpret_cast<ServeFn>(dlsym(module, "MemorySocketsServe"));
        if (found == nullptr)
            std::abort();
        return found;
    }();
    return serve;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2 || size > 65536)
        return 0;
    const ServeFn serve = memorySockets();
    serve(reinterpret_cast<const char *>(data + 2), size - 2, 1 + (data[0] >> 3) * 32);
    const int handle = wiretalk::TelnetConnect("127.0.0.1", 23, 5, nullptr, 0);
    if (handle < 0)
        std::abort();
    wiretalk::TelnetSetOption(handle, wiretalk::kOptionBinary, (data[0] & 1) != 0);
    wiretalk::TelnetSetOption(handle, wiretalk::kOptionLocalEcho, (data[0] & 2) != 0);
    if (data[0] & 4)
        wiretalk::TelnetSetTerminal(handle, nullptr);
    const int readSize = 1 + data[1];

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
    return 0;
}
