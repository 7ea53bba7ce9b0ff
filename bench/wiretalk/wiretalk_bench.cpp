// wiretalk-bench FILE: the engine's receive path (TelnetRead in reads of up to 1024
// bytes) on a blocking-mode session opened with TelnetConnect.
#include "stream_bench.h"

#include "wiretalk/socket_layer.h"
#include "wiretalk/telnet_engine.h"

int main(int argc, char **argv)
{
    return stream_bench::run(argc, argv, "wiretalk-bench", [](std::uint16_t port) -> long long {
        const int handle = wiretalk::TelnetConnect("127.0.0.1", port, 60, nullptr, 0);
        if (handle < 0)
            return -1;
        char buffer[1024];
        long long total = 0;
        int got = 0;
        while ((got = wiretalk::TelnetRead(handle, buffer, sizeof buffer)) >= 0)
            total += got;
        const bool ended = wiretalk::TelnetLastError() == wiretalk::kErrClosed;
        wiretalk::TelnetClose(handle);
        return ended ? total : -1;
    });
}
