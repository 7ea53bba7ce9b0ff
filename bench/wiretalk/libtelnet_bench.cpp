// libtelnet-bench FILE: the peer. libtelnet's receive path fed the same way: blocks of
// up to 1024 bytes from the socket into telnet_recv, answering negotiation as the
// engine does (BINARY, ECHO, SUPPRESS-GO-AHEAD, TERMINAL-TYPE).
#include "stream_bench.h"

#include <libtelnet.h>

namespace {

struct Session
{
    int socket = -1;
    long long delivered = 0;
};

const telnet_telopt_t options[] = {
    {TELNET_TELOPT_BINARY, TELNET_WILL, TELNET_DO},
    {TELNET_TELOPT_ECHO, TELNET_WONT, TELNET_DO},
    {TELNET_TELOPT_SGA, TELNET_WILL, TELNET_DO},
    {TELNET_TELOPT_TTYPE, TELNET_WILL, TELNET_DO},
    {-1, 0, 0},
};

void onEvent(telnet_t *telnet, telnet_event_t *event, void *data)
{
    auto *session = static_cast<Session *>(data);
    switch (event->type) {
    case TELNET_EV_DATA:
        session->delivered += static_cast<long long>(event->data.size);
        break;
    case TELNET_EV_SEND:
        ::send(session->socket, event->data.buffer, event->data.size, MSG_NOSIGNAL);
        break;
    case TELNET_EV_TTYPE:
        if (event->ttype.cmd == TELNET_TTYPE_SEND)
            telnet_ttype_is(telnet, "ansi");
        break;
    default:
        break;
    }
}

} // namespace

int main(int argc, char **argv)
{
    return stream_bench::run(argc, argv, "libtelnet-bench", [](std::uint16_t port) -> long long {
        Session session;
        session.socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(session.socket, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
            return -1;
        telnet_t *telnet = telnet_init(options, onEvent, 0, &session);
        char buffer[1024];
        ssize_t got = 0;
        while ((got = ::recv(session.socket, buffer, sizeof buffer, 0)) > 0)
            telnet_recv(telnet, buffer, static_cast<size_t>(got));
        telnet_free(telnet);
        ::close(session.socket);
        return got == 0 ? session.delivered : -1;
    });
}
