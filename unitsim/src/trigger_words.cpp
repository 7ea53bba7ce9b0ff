#include "trigger_words.h"

#include <array>

namespace unitsim {

namespace {

constexpr std::array<std::string_view, 20> kTriggers = {
    "USERNAME", "PASSWORD",    "SESSION ALREADY", "GET=1;",
    "ROUTE=",   "SNMP TRAP=",  "SNMP COMMUNITY=", "IFSTATS=",
    "IPSTATS=", "STATIONS=",   "RADIOIP=",        "PER=",
    "DNS=",     "DHCP RELAY=", "CAPABILITY=",     "RADIO RSSI=",
    "RIP:",     "RIP ENABLED", "RIP DISABLED",    ">"};

} // namespace

std::string toUpper(std::string_view text)
{
    std::string upper(text);
    for (char &c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::vector<std::string> triggerWordsIn(std::string_view text)
{
    const std::string upper = toUpper(text);
    std::vector<std::string> found;
    for (std::string_view trigger : kTriggers) {
        if (upper.find(trigger) != std::string::npos)
            found.emplace_back(trigger);
    }
    return found;
}

} // namespace unitsim
