// The configuration of a unit: parameter values by code and the list settings. A unit
// holds three: the model's factory defaults, the saved one and the running one.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace unitsim {

struct StaticRoute
{
    std::string destination;
    std::string netmask; // as written: a dotted quad or a prefix length
    std::string gateway;
    bool operator==(const StaticRoute &) const = default;
};

struct Community
{
    std::string name;
    std::string access; // "read" or "write"
    bool operator==(const Community &) const = default;
};

struct TrapServer
{
    std::string address;
    std::string community;
    bool operator==(const TrapServer &) const = default;
};

struct Station
{
    std::string id;
    std::string radioAddress; // empty until one is configured
    bool operator==(const Station &) const = default;
};

struct UnitConfig
{
    std::map<std::string, std::string> parameters; // code -> value; codes the model lacks are absent
    std::vector<StaticRoute> staticRoutes;
    std::vector<std::string> dnsServers;
    std::vector<std::string> dhcpRelays;
    std::vector<Community> communities;
    std::vector<TrapServer> trapServers;
    std::vector<Station> stations;
    std::string user;
    std::string password;
    bool operator==(const UnitConfig &) const = default;
};

} // namespace unitsim
