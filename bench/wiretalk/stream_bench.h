// Shared by the telnet receive-path benchmarks: a thread serves a file as server output
// over one TCP connection on 127.0.0.1, the client under test reads it to the end, and
// the median of five runs is printed as one line with MBps=<number> (MB = 10^6 bytes
// of the file).
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace stream_bench {

// Reads the whole stream from 127.0.0.1:port; returns the data bytes delivered, or -1.
using Client = std::function<long long(std::uint16_t port)>;

inline std::vector<char> readFile(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Serves bytes to the first connection, then drains what the client sends back (its
// negotiation replies) until it closes, so the close is orderly on both sides.
inline void serve(int listener, const std::vector<char> &bytes)
{
    const int connection = ::accept(listener, nullptr, nullptr);
    if (connection < 0)
        return;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t sent = ::send(connection, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent <= 0)
            break;
        done += static_cast<size_t>(sent);
    }
    ::shutdown(connection, SHUT_WR);
    char sink[4096];
    while (::recv(connection, sink, sizeof sink, 0) > 0) {
    }
    ::close(connection);
}

inline int listenOnLoopback(std::uint16_t *port)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(listener, 1) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return -1;
    *port = ntohs(address.sin_port);
    return listener;
}

inline int run(int argc, char **argv, const char *name, const Client &client)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", name);
        return 2;
    }
    const std::vector<char> bytes = readFile(argv[1]);
    if (bytes.empty()) {
        std::fprintf(stderr, "%s: cannot read %s\n", name, argv[1]);
        return 1;
    }
    std::vector<double> rates;
    long long delivered = 0;
    for (int i = 0; i < 5; ++i) {
        std::uint16_t port = 0;
        const int listener = listenOnLoopback(&port);
        if (listener < 0) {
            std::perror("listen");
            return 1;
        }
        std::thread server([&] { serve(listener, bytes); });
        const auto start = std::chrono::steady_clock::now();
        delivered = client(port);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        server.join();
        ::close(listener);
        if (delivered < 0) {
            std::fprintf(stderr, "%s: the stream could not be read\n", name);
            return 1;
        }
        rates.push_back(static_cast<double>(bytes.size()) / elapsed.count() / 1e6);
    }
    std::sort(rates.begin(), rates.end());
    std::printf("%s %s bytes=%zu delivered=%lld MBps=%.1f\n", name, argv[1], bytes.size(), delivered,
                rates[2]);
    return 0;
}

} // namespace stream_bench
