// A socket library for tests, loaded through `Library`: it starts (or fails to start as
// told), reports a fixed socket error, formats every address as 9.9.9.9, and lacks every
// other entry point, so the wrappers' results for missing ones come into play.
#include "wiretalk/socket_layer.h"

#include <cstdio>

namespace {

int startupResult = 0;

} // namespace

extern "C" {

__attribute__((visibility("default"))) void FaultSetStartupResult(int result)
{
    startupResult = result;
}

__attribute__((visibility("default"))) int WSAStartup(std::uint16_t, wiretalk::WSAData *data)
{
    if (startupResult != 0)
        return startupResult;
    *data = wiretalk::WSAData{};
    data->wVersion = 0x0101;
    data->wHighVersion = 0x0201;
    std::snprintf(data->szDescription, sizeof data->szDescription, "Fault-injection sockets");
    return 0;
}

__attribute__((visibility("default"))) int WSACleanup()
{
    return 0;
}

__attribute__((visibility("default"))) int WSAGetLastError()
{
    return wiretalk::kWsaENetDown;
}

__attribute__((visibility("default"))) char *inet_ntoa(in_addr)
{
    static char text[] = "9.9.9.9";
    return text;
}
}
