#include "state_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace unitsim {

namespace {

constexpr const char *kHeader = "linkset-unitsim state 1";

std::vector<std::string> words(const std::string &text)
{
    std::istringstream in(text);
    std::vector<std::string> result;
    for (std::string word; in >> word;)
        result.push_back(word);
    return result;
}

// Applies one line to the configuration; false when the line is malformed.
bool applyLine(const std::string &line, const std::string &modelName, UnitConfig &config)
{
    const auto blank = line.find(' ');
    const std::string key = line.substr(0, blank);
    const std::string rest = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    const auto w = words(rest);
    if (key == "model")
        return rest == modelName;
    if (key == "user") {
        config.user = rest;
        return true;
    }
    if (key == "password") {
        config.password = rest;
        return true;
    }
    if (key == "param") {
        if (rest.size() < 3 || rest[2] != ' ')
            return false;
        config.parameters[rest.substr(0, 2)] = rest.substr(3);
        return true;
    }
    if (key == "route" && w.size() == 3) {
        config.staticRoutes.push_back({w[0], w[1], w[2]});
        return true;
    }
    if (key == "dns" && w.size() == 1) {
        config.dnsServers.push_back(w[0]);
        return true;
    }
    if (key == "dhcp" && w.size() == 1) {
        config.dhcpRelays.push_back(w[0]);
        return true;
    }
    if (key == "community" && w.size() == 2) {
        config.communities.push_back({w[0], w[1]});
        return true;
    }
    if (key == "trap" && w.size() == 2) {
        config.trapServers.push_back({w[0], w[1]});
        return true;
    }
    if (key == "station" && (w.size() == 1 || w.size() == 2)) {
        config.stations.push_back({w[0], w.size() == 2 ? w[1] : std::string()});
        return true;
    }
    return false;
}

} // namespace

std::optional<UnitConfig> loadStateFile(const std::string &path, const std::string &modelName)
{
    std::ifstream in(path);
    if (!in) {
        if (!std::filesystem::exists(path))
            return std::nullopt;
        throw std::invalid_argument("cannot read state file " + path);
    }
    UnitConfig config;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const bool valid = number == 1 ? line == kHeader : applyLine(line, modelName, config);
        if (!valid) {
            throw std::invalid_argument("state file " + path + " line " + std::to_string(number) +
                                        ": not a setting of a " + modelName + " unit");
        }
    }
    if (number == 0)
        throw std::invalid_argument("state file " + path + " is empty");
    return config;
}

bool saveStateFile(const std::string &path, const std::string &modelName, const UnitConfig &config)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << kHeader << '\n' << "model " << modelName << '\n';
        out << "user " << config.user << '\n' << "password " << config.password << '\n';
        for (const auto &[code, value] : config.parameters)
            out << "param " << code << ' ' << value << '\n';
        for (const auto &route : config.staticRoutes)
            out << "route " << route.destination << ' ' << route.netmask << ' ' << route.gateway << '\n';
        for (const auto &server : config.dnsServers)
            out << "dns " << server << '\n';
        for (const auto &server : config.dhcpRelays)
            out << "dhcp " << server << '\n';
        for (const auto &community : config.communities)
            out << "community " << community.name << ' ' << community.access << '\n';
        for (const auto &trap : config.trapServers)
            out << "trap " << trap.address << ' ' << trap.community << '\n';
        for (const auto &station : config.stations)
            out << "station " << station.id << (station.radioAddress.empty() ? "" : " ")
                << station.radioAddress << '\n';
        out.flush();
        if (!out)
            return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

} // namespace unitsim
