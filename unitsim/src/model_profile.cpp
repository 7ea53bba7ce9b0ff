#include "model_profile.h"

#include "trigger_words.h"

#include <algorithm>

namespace unitsim {

namespace {

// Values every model starts from; each profile overrides and removes what differs.
std::map<std::string, std::string> commonParameters()
{
    return {
        {"01", "Radio Unit"},
        {"02", "Network Operations"},
        {"03", "Equipment Room"},
        {"05", "SN0000000"},
        {"10", "192.168.1.1"},
        {"11", "255.255.255.0"},
        {"12", "10.0.0.1"},
        {"13", "255.255.255.0"},
        {"14", "1"},
        {"15", "example.net"},
        {"16", "1"},
        {"17", "1"},
        {"18", "0"},
        {"19", "2"},
        {"1B", "1"},
        {"1C", "0"},
        {"27", "192.168.1.254"},
        {"28", "255.255.255.0"},
        {"29", "192.168.1.10"},
        {"2A", "255.255.255.0"},
        {"30", "0"},
        {"33", "30"},
        {"34", "180"},
        {"35", "1"},
        {"40", "00:0A:5E:00:00:01"},
        {"41", "1"},
        {"42", "2"},
        {"43", "6"},
        {"44", "17"},
        {"45", "11"},
        {"46", "1"},
        {"47", "1"},
        {"4A", "7"},
        {"52", "1"},
        {"58", "25"},
    };
}

UnitConfig commonLists()
{
    UnitConfig config;
    config.staticRoutes = {{"0.0.0.0", "0.0.0.0", "192.168.1.254"},
                           {"172.16.0.0", "255.255.0.0", "10.0.0.2"}};
    config.dnsServers = {"192.0.2.53", "198.51.100.53"};
    config.communities = {{"public", "read"}, {"private", "write"}};
    config.trapServers = {{"192.168.1.30", "public"}};
    return config;
}

// The common configuration with the model's own values, lists and missing codes.
ModelProfile withDefaults(ModelProfile profile, const std::map<std::string, std::string> &values,
                          const std::vector<Station> &stations)
{
    profile.defaults = commonLists();
    profile.defaults.parameters = commonParameters();
    for (const auto &[code, value] : values)
        profile.defaults.parameters[code] = value;
    for (const auto &code : profile.lackedCodes)
        profile.defaults.parameters.erase(code);
    profile.defaults.stations = stations;
    return profile;
}

ModelProfile makeHadra()
{
    ModelProfile p = withDefaults(
        {Model::Hadra, "hadra", "Hadra v2.4", {"RIP", "OSPF", "RSSI"}, {"48"}, "1", false, 20, {}},
        {{"01", "Hadra Base"},
         {"03", "North Tower"},
         {"05", "HD2401175"},
         {"40", "00:0A:5E:24:01:17"},
         {"30", "1"}},
        {{"101", "10.0.0.2"}, {"102", "10.0.0.4"}, {"103", "10.0.0.5"}});
    p.defaults.dhcpRelays = {"192.168.1.20"};
    return p;
}

ModelProfile makeTevo()
{
    ModelProfile p = withDefaults(
        {Model::Tevo, "tevo", "Tevo v2.4", {"RIP", "RSSI"}, {"27", "28", "29", "2A"}, "0", true, 1, {}},
        {{"01", "Tevo Station"},
         {"03", "Field Site 7"},
         {"05", "TV2402311"},
         {"40", "00:0A:5E:24:02:31"},
         {"10", "192.168.2.1"},
         {"12", "10.0.0.2"},
         {"15", "Not Defined"},
         {"16", "0"},
         {"35", "0"},
         {"41", "0"},
         {"47", "101"}},
        {{"1", "10.0.0.1"}});
    p.defaults.staticRoutes = {{"0.0.0.0", "0.0.0.0", "10.0.0.1"}};
    return p;
}

ModelProfile makeQdv()
{
    return withDefaults({Model::Qdv,
                         "qdv",
                         "QDV v2.4",
                         {"RSSI"},
                         {"17", "18", "19", "1B", "1C", "29", "2A", "33", "34", "35", "48"},
                         "",
                         true,
                         20,
                         {}},
                        {{"01", "QDV Unit"},
                         {"03", "Lab Bench"},
                         {"05", "QD2403042"},
                         {"40", "00:0A:5E:24:03:04"},
                         {"10", "192.168.3.1"},
                         {"12", "10.0.0.3"},
                         {"42", "4"},
                         {"47", "50"}},
                        {{"51", "10.0.0.6"}});
}

} // namespace

bool ModelProfile::has(const std::string &capability) const
{
    return std::find(capabilities.begin(), capabilities.end(), capability) != capabilities.end();
}

const ModelProfile &profileFor(Model model)
{
    static const ModelProfile hadra = makeHadra();
    static const ModelProfile tevo = makeTevo();
    static const ModelProfile qdv = makeQdv();
    switch (model) {
    case Model::Tevo:
        return tevo;
    case Model::Qdv:
        return qdv;
    case Model::Hadra:
        break;
    }
    return hadra;
}

bool modelFromName(const std::string &name, Model &model)
{
    const std::string upper = toUpper(name);
    for (Model m : {Model::Hadra, Model::Tevo, Model::Qdv}) {
        if (toUpper(profileFor(m).name) == upper) {
            model = m;
            return true;
        }
    }
    return false;
}

} // namespace unitsim
