#include "list_blocks.h"

#include "value_checks.h"

#include <cstdio>

namespace unitsim {

namespace {

using Lines = std::vector<std::string>;

std::string joinFields(const std::vector<std::string> &fields)
{
    std::string joined;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            joined += ';';
        joined += fields[i];
    }
    return joined;
}

// A block of item lines, each "NAME=" followed by its fields. It counts the bytes its
// lines take on the wire (each ends in CR LF) as they are added.
class Block
{
public:
    explicit Block(std::string name) : name_(std::move(name)) { add(name_ + "=1;START"); }
    void item(const std::vector<std::string> &fields) { add(name_ + "=" + joinFields(fields)); }
    Lines finish()
    {
        add(name_ + "=1;END");
        return std::move(lines_);
    }
    std::size_t bytes() const { return bytes_; }

private:
    void add(std::string line)
    {
        bytes_ += line.size() + 2;
        lines_.push_back(std::move(line));
    }

    std::string name_;
    Lines lines_;
    std::size_t bytes_ = 0;
};

std::string parameter(const UnitConfig &config, const std::string &code)
{
    const auto it = config.parameters.find(code);
    return it == config.parameters.end() ? std::string() : it->second;
}

// The route to the network an interface sits on, when its address and mask are known.
void connectedRoute(Block &block, const UnitConfig &config, const char *addressCode, const char *maskCode)
{
    const auto address = parseDottedQuad(parameter(config, addressCode));
    const auto mask = parseNetmask(parameter(config, maskCode));
    if (!address || !mask)
        return;
    block.item({formatDottedQuad(*address & *mask), formatDottedQuad(*mask), parameter(config, addressCode),
                "Direct"});
}

Lines routes(const BlockSource &source)
{
    Block block("IP ROUTE");
    connectedRoute(block, source.config, "10", "11");
    connectedRoute(block, source.config, "12", "13");
    for (const auto &route : source.config.staticRoutes)
        block.item({route.destination, route.netmask, route.gateway, "Static"});
    for (const auto &route : source.live.learnedRoutes)
        block.item({route.destination, route.netmask, route.gateway, "RIP"});
    // Padding for tests of blocks longer than one read: more learned routes.
    constexpr std::size_t kEndLineBytes = 16;
    for (unsigned i = 0; block.bytes() + kEndLineBytes < source.bigListsBytes; ++i) {
        block.item({"10." + std::to_string(100 + i / 256) + "." + std::to_string(i % 256) + ".0",
                    "255.255.255.0", "10.0.0.9", "RIP"});
    }
    return block.finish();
}

Lines communities(const UnitConfig &config)
{
    Block block("SNMP COMMUNITY");
    for (const auto &community : config.communities)
        block.item({community.name, community.access});
    return block.finish();
}

Lines trapServers(const UnitConfig &config)
{
    Block block("SNMP TRAP");
    for (const auto &trap : config.trapServers)
        block.item({trap.address, trap.community});
    return block.finish();
}

template <std::size_t N> std::vector<std::string> numberFields(const std::array<std::uint32_t, N> &values)
{
    std::vector<std::string> fields;
    for (std::uint32_t value : values)
        fields.push_back(std::to_string(value));
    return fields;
}

std::string radioHardwareAddress(const std::string &ethernet)
{
    // The radio's address is the Ethernet one with the last octet one higher.
    if (ethernet.size() < 2)
        return ethernet;
    unsigned last = 0;
    std::sscanf(ethernet.c_str() + ethernet.size() - 2, "%2x", &last);
    char octet[3];
    std::snprintf(octet, sizeof octet, "%02X", (last + 1) & 0xFF);
    return ethernet.substr(0, ethernet.size() - 2) + octet;
}

Lines interfaceStatistics(const BlockSource &source)
{
    const auto &counters = source.live.readInterfaces();
    const UnitConfig &config = source.config;
    const std::string radioStatus = parameter(config, "52") == "1" ? "1" : "2";
    const std::string remote = config.stations.empty() ? "0" : config.stations.front().id;
    const std::string mac = parameter(config, "40");

    // The radio row names its remote device; the others have one field fewer.
    Block block("IFSTATS");
    std::vector<std::string> radio = {"Radio", remote,      "8843",     radioHardwareAddress(mac),
                                      "1500",  radioStatus, radioStatus};
    std::vector<std::string> ethernet = {"Ethernet", "8863", mac, "1500", "1", "1"};
    std::vector<std::string> loopback = {"Loopback", "8049", "00:00:00:00:00:00", "16384", "1", "1"};
    for (auto [row, index] : {std::pair{&radio, 0}, std::pair{&ethernet, 1}, std::pair{&loopback, 2}}) {
        const auto values = numberFields(counters[static_cast<std::size_t>(index)].values);
        row->insert(row->end(), values.begin(), values.end());
        block.item(*row);
    }
    return block.finish();
}

Lines stations(const UnitConfig &config)
{
    Block block("STATIONS");
    for (const auto &station : config.stations)
        block.item({station.id});
    return block.finish();
}

Lines radioAddresses(const UnitConfig &config)
{
    Block block("RADIOIP");
    for (const auto &station : config.stations)
        block.item({station.id, parameter(config, "12"), station.radioAddress});
    return block.finish();
}

Lines ipStatistics(LiveData &live)
{
    Block block("IPSTATS");
    block.item(numberFields(live.readIpStatistics()));
    return block.finish();
}

Lines packetErrorRates(const BlockSource &source)
{
    Block block("PER");
    for (const auto &station : source.config.stations) {
        const PacketCounts counts = source.live.readStation(station.id);
        block.item({station.id, std::to_string(counts.sent), std::to_string(counts.lost), counts.rateText()});
    }
    return block.finish();
}

Lines singleFieldBlock(const std::string &name, const std::vector<std::string> &values)
{
    Block block(name);
    for (const auto &value : values)
        block.item({value});
    return block.finish();
}

Lines arpCache(const LiveData &live)
{
    Block block("ARP");
    for (const auto &entry : live.arpCache)
        block.item({entry.address, entry.hardwareAddress, entry.interfaceName});
    return block.finish();
}

} // namespace

std::optional<std::vector<std::string>> renderTable(int number, const BlockSource &source)
{
    switch (number) {
    case 1:
        return routes(source);
    case 2:
        return communities(source.config);
    case 3:
        return trapServers(source.config);
    case 4:
        return interfaceStatistics(source);
    case 5:
        return stations(source.config);
    case 6:
        return radioAddresses(source.config);
    case 7:
        return ipStatistics(source.live);
    case 8:
        return packetErrorRates(source);
    case 9:
        return singleFieldBlock("DNS", source.config.dnsServers);
    case 10:
        return singleFieldBlock("DHCP RELAY", source.config.dhcpRelays);
    case 11:
        return arpCache(source.live);
    case 12:
        return Lines{};
    default:
        return std::nullopt;
    }
}

std::size_t routeCount(const UnitConfig &config, const LiveData &live)
{
    constexpr std::size_t kConnectedRoutes = 2;
    return kConnectedRoutes + config.staticRoutes.size() + live.learnedRoutes.size();
}

} // namespace unitsim
