#include "live_data.h"

#include <cstdio>

namespace unitsim {

namespace {

constexpr int kMaxSignal = 65;

} // namespace

double PacketCounts::ratePercent() const
{
    return sent == 0 ? 0.0 : 100.0 * lost / sent;
}

std::string PacketCounts::rateText() const
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", ratePercent());
    return text;
}

LiveData::LiveData(std::uint32_t seed) : seed_(seed)
{
    restart();
}

void LiveData::restart()
{
    state_ = 0x9E3779B97F4A7C15ull ^ seed_;
    signal_ = 30 + static_cast<int>(next(21));
    interfaces_ = {};
    ipStatistics_ = {};
    stations_.clear();
    learnedRoutes = {{"172.20.0.0", "255.255.0.0", "10.0.0.4"}};
    arpCache = {{"192.168.1.254", "00:0A:5E:10:20:30", "Ethernet"},
                {"10.0.0.2", "00:0A:5E:10:20:31", "Radio"}};
}

std::uint32_t LiveData::next(std::uint32_t bound)
{
    // splitmix64: small, fast and the same on every platform.
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<std::uint32_t>(z % bound);
}

int LiveData::nextSignalStrength()
{
    signal_ += static_cast<int>(next(7)) - 3;
    if (signal_ < 0)
        signal_ = 0;
    if (signal_ > kMaxSignal)
        signal_ = kMaxSignal;
    return signal_;
}

const std::array<InterfaceCounters, 3> &LiveData::readInterfaces()
{
    for (InterfaceCounters &counters : interfaces_) {
        const std::uint32_t packetsIn = 20 + next(200);
        const std::uint32_t packetsOut = 20 + next(200);
        auto &v = counters.values;
        v[0] += packetsIn * (64 + next(1000));
        v[1] += packetsIn;
        v[2] += next(5);
        v[3] += next(100) == 0 ? 1 : 0;
        v[4] += next(50) == 0 ? 1 : 0;
        v[5] += next(200) == 0 ? 1 : 0;
        v[6] += packetsOut * (64 + next(1000));
        v[7] += packetsOut;
        v[8] += next(5);
        v[9] += next(100) == 0 ? 1 : 0;
        v[10] += next(50) == 0 ? 1 : 0;
    }
    return interfaces_;
}

void LiveData::resetInterfaces()
{
    interfaces_ = {};
}

std::array<std::uint32_t, 17> LiveData::readIpStatistics()
{
    const std::uint32_t received = 50 + next(500);
    ipStatistics_[0] += received;       // packets received
    for (std::size_t i = 1; i < 6; ++i) // discards of bad packets, now and then
        ipStatistics_[i] += next(200) == 0 ? 1 : 0;
    ipStatistics_[6] += next(10); // fragments received
    ipStatistics_[7] += next(300) == 0 ? 1 : 0;
    ipStatistics_[8] += next(300) == 0 ? 1 : 0;
    ipStatistics_[9] += received / 2; // forwarded
    ipStatistics_[10] += next(100) == 0 ? 1 : 0;
    ipStatistics_[11] += next(20) == 0 ? 1 : 0;
    ipStatistics_[12] += next(100) == 0 ? 1 : 0;
    ipStatistics_[13] += next(400) == 0 ? 1 : 0;
    ipStatistics_[14] += next(5);  // reassembled
    ipStatistics_[15] += next(10); // fragments sent
    ipStatistics_[16] += next(100) == 0 ? 1 : 0;
    return ipStatistics_;
}

PacketCounts LiveData::readStation(const std::string &stationId)
{
    PacketCounts &counts = stations_[stationId];
    const std::uint32_t sent = 100 + next(400);
    // Each reading loses up to about 8 % of its packets, so rates spread over the
    // lower part of the 0..10 % display.
    counts.sent += sent;
    counts.lost += next(sent / 12 + 1);
    return counts;
}

PacketCounts LiveData::totalPackets() const
{
    PacketCounts total;
    for (const auto &[id, counts] : stations_) {
        total.sent += counts.sent;
        total.lost += counts.lost;
    }
    return total;
}

void LiveData::resetPacketCounts()
{
    stations_.clear();
}

} // namespace unitsim
