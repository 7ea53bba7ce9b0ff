// Shared by the two terminal benchmarks: reading the input file and timing one
// program over it, so both are measured exactly the same way.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace bench {

constexpr std::size_t WriteSize = 1024;
constexpr int Runs = 5;

inline bool readFile(const char *path, std::string &bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// Runs `feed` over the whole input in 1024-byte writes, five times, each run after
// `setUp`, and prints the median throughput (MB = 10^6 bytes).
inline void measure(const std::string &bytes, const std::function<void()> &setUp,
                    const std::function<void(const char *, std::size_t)> &feed,
                    const std::function<void()> &tearDown, const char *label)
{
    std::vector<double> rates;
    for (int run = 0; run < Runs; ++run) {
        setUp();
        const auto start = std::chrono::steady_clock::now();
        for (std::size_t offset = 0; offset < bytes.size(); offset += WriteSize)
            feed(bytes.data() + offset, std::min(WriteSize, bytes.size() - offset));
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        tearDown();
        rates.push_back(static_cast<double>(bytes.size()) / 1e6 / elapsed.count());
    }
    std::sort(rates.begin(), rates.end());
    std::printf("%s bytes=%zu MBps=%.1f\n", label, bytes.size(), rates[Runs / 2]);
}

} // namespace bench
