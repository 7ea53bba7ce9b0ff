// The answers to "Table N": list blocks framed by NAME=1;START and NAME=1;END.
//   1 IP ROUTE   2 SNMP COMMUNITY   3 SNMP TRAP   4 IFSTATS   5 STATIONS   6 RADIOIP
//   7 IPSTATS    8 PER              9 DNS        10 DHCP RELAY 11 ARP     12 (empty)
#pragma once

#include "live_data.h"
#include "unit_config.h"

#include <optional>
#include <string>
#include <vector>

namespace unitsim {

struct BlockSource
{
    const UnitConfig &config;
    LiveData &live;
    std::size_t bigListsBytes = 0; // pad the routes block to about this size
};

// The lines of table `number` (without line ends); nullopt for an unknown table.
std::optional<std::vector<std::string>> renderTable(int number, const BlockSource &source);

// Number of routes the routing table shows without padding: connected, static, learned.
std::size_t routeCount(const UnitConfig &config, const LiveData &live);

} // namespace unitsim
