// The unit's changing data: signal strength on a seeded random walk, interface and IP
// counters that grow with every reading, packet counts per remote station, and the
// tables the unit learns at run time (routes heard by RIP, the ARP cache). Every value
// advances only when it is read, so a given seed always gives the same sequence.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace unitsim {

struct InterfaceCounters
{
    // in octets, in unicast, in non-unicast, in discards, in errors, in unknown protocols,
    // then out octets, out unicast, out non-unicast, out discards, out errors
    std::array<std::uint32_t, 11> values{};
};

struct PacketCounts
{
    std::uint32_t sent = 0;
    std::uint32_t lost = 0;
    double ratePercent() const;
    std::string rateText() const; // the rate with two decimals, as the unit reports it
};

struct LearnedRoute
{
    std::string destination;
    std::string netmask;
    std::string gateway;
};

struct ArpEntry
{
    std::string address;
    std::string hardwareAddress;
    std::string interfaceName;
};

class LiveData
{
public:
    explicit LiveData(std::uint32_t seed);

    // Back to the state after power-on: counters zero, learned tables refilled.
    void restart();

    int nextSignalStrength(); // 0..65

    // Radio, Ethernet and loopback counters after one more reading.
    const std::array<InterfaceCounters, 3> &readInterfaces();
    void resetInterfaces();

    std::array<std::uint32_t, 17> readIpStatistics();

    PacketCounts readStation(const std::string &stationId);
    PacketCounts totalPackets() const;
    void resetPacketCounts();

    std::vector<LearnedRoute> learnedRoutes;
    std::vector<ArpEntry> arpCache;

private:
    std::uint32_t next(std::uint32_t bound); // 0..bound-1

    std::uint32_t seed_;
    std::uint64_t state_ = 0;
    int signal_ = 0;
    std::array<InterfaceCounters, 3> interfaces_{};
    std::array<std::uint32_t, 17> ipStatistics_{};
    std::map<std::string, PacketCounts> stations_;
};

} // namespace unitsim
