#include "command_interpreter.h"

#include "list_blocks.h"
#include "parameter_rules.h"
#include "state_file.h"
#include "trigger_words.h"
#include "value_checks.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>

namespace unitsim {

namespace {

constexpr std::size_t kMaxListEntries = 5;
constexpr std::size_t kMaxRoutes = 14; // keeps the routes block within one 1024-byte read
constexpr std::size_t kMaxWordLength = 32;
constexpr std::size_t kMaxPasswordLength = 32;
constexpr long kMaxStationId = 16384;

CommandResult reply(std::vector<std::string> lines)
{
    CommandResult result;
    result.lines = std::move(lines);
    return result;
}

CommandResult ok()
{
    return reply({"OK"});
}

CommandResult error(const std::string &reason)
{
    return reply({"ERROR " + reason});
}

// A reply without a prompt that ends the session or restarts the unit.
CommandResult ending(CommandResult::Effect effect, std::vector<std::string> lines = {})
{
    CommandResult result = reply(std::move(lines));
    result.prompt = false;
    result.effect = effect;
    return result;
}

std::string_view trimFront(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

std::string_view trim(std::string_view text)
{
    text = trimFront(text);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Matches command words at the start of the line, in any case, separated by one or
// more blanks. On success `rest` is the text after them, without its leading blanks.
bool matchWords(std::string_view line, std::initializer_list<std::string_view> words, std::string_view &rest)
{
    std::string_view text = trimFront(line);
    for (std::string_view word : words) {
        if (text.size() < word.size() || toUpper(text.substr(0, word.size())) != word)
            return false;
        text.remove_prefix(word.size());
        if (!text.empty() && text.front() != ' ' && text.front() != '\t')
            return false;
        text = trimFront(text);
    }
    rest = text;
    return true;
}

bool isCommand(std::string_view line, std::initializer_list<std::string_view> words)
{
    std::string_view rest;
    return matchWords(line, words, rest) && trim(rest).empty();
}

// Splits at single blanks; two blanks in a row give an empty field.
std::vector<std::string> fieldsOf(std::string_view value)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const auto blank = value.find(' ', start);
        fields.emplace_back(value.substr(start, blank - start));
        if (blank == std::string_view::npos)
            return fields;
        start = blank + 1;
    }
}

std::vector<std::string> nonEmptyFieldsOf(std::string_view value)
{
    auto fields = fieldsOf(value);
    std::erase(fields, std::string());
    return fields;
}

std::optional<std::string> normalisedAccess(const std::string &access)
{
    const std::string upper = toUpper(access);
    if (upper == "R" || upper == "READ")
        return "read";
    if (upper == "W" || upper == "WRITE" || upper == "RW")
        return "write";
    return std::nullopt;
}

template <typename T, typename SameKey>
CommandResult addEntry(std::vector<T> &list, T entry, std::size_t limit, SameKey sameKey)
{
    if (std::any_of(list.begin(), list.end(), [&](const T &existing) { return sameKey(existing, entry); }))
        return error("entry already present");
    if (list.size() >= limit)
        return error("list full");
    list.push_back(std::move(entry));
    return ok();
}

template <typename T, typename Matches> CommandResult removeEntry(std::vector<T> &list, Matches matches)
{
    const auto it = std::find_if(list.begin(), list.end(), matches);
    if (it == list.end())
        return error("no such entry");
    list.erase(it);
    return ok();
}

} // namespace

CommandInterpreter::CommandInterpreter(const UnitOptions &options)
    : profile_(profileFor(options.model)), options_(options),
      versionText_(options.versionText.empty() ? profile_.versionText : options.versionText),
      live_(options.seed)
{
    factory_ = profile_.defaults;
    if (options.remoteUnits > 0) {
        factory_.stations.clear();
        const std::size_t count = std::min<std::size_t>(options.remoteUnits, profile_.maxStations);
        for (std::size_t i = 0; i < count; ++i)
            factory_.stations.push_back(Station{std::to_string(101 + i), ""});
    }
    factory_.parameters["04"] = versionText_;
    factory_.user = options.user;
    factory_.password = options.password;
    saved_ = factory_;
    if (!options.stateFile.empty()) {
        if (auto stored = loadStateFile(options.stateFile, profile_.name)) {
            saved_ = std::move(*stored);
            saved_.parameters["04"] = versionText_;
        }
    }
    running_ = saved_;
}

bool CommandInterpreter::acceptsLogin(std::string_view user, std::string_view password) const
{
    return user == running_.user && password == running_.password;
}

bool CommandInterpreter::acceptsPassword(std::string_view password) const
{
    return password == running_.password;
}

void CommandInterpreter::restart()
{
    running_ = saved_;
    live_.restart();
}

bool CommandInterpreter::lacks(const std::string &code) const
{
    return profile_.lackedCodes.count(code) != 0;
}

CommandResult CommandInterpreter::execute(std::string_view line, FrontEnd from)
{
    std::string_view rest;
    if (trim(line).empty())
        return reply({});
    if (matchWords(line, {"GET"}, rest))
        return get(toUpper(trim(rest)));
    if (matchWords(line, {"SET"}, rest)) {
        const auto equals = rest.find('=');
        if (equals == std::string_view::npos)
            return error("expected code and value");
        return set(toUpper(trim(rest.substr(0, equals))), rest.substr(equals + 1));
    }
    if (isCommand(line, {"MODE", "BRIDGE"}))
        return set("16", "0");
    if (isCommand(line, {"MODE", "ROUTE"}))
        return set("16", "1");
    if (isCommand(line, {"IP", "RIP"}))
        return ripStatus();
    if (isCommand(line, {"IP", "RIP", "ENABLE"}))
        return set("35", "1");
    if (isCommand(line, {"IP", "RIP", "DISABLE"}))
        return set("35", "0");
    if (matchWords(line, {"RADIO", "CHANNEL"}, rest))
        return set("43", rest);
    if (matchWords(line, {"IP", "ROUTE", "ADD"}, rest))
        return set("1F", rest);
    if (matchWords(line, {"IP", "ROUTE", "DEL"}, rest))
        return set("20", rest);
    if (matchWords(line, {"IP", "DNS", "SERVER", "ADD"}, rest))
        return set("21", rest);
    if (matchWords(line, {"IP", "DNS", "SERVER", "DEL"}, rest))
        return set("22", rest);
    if (matchWords(line, {"IP", "ADDRESS", "ETHERNET"}, rest))
        return changeEthernetAddress(rest, from);
    if (isCommand(line, {"ARP", "FLUSH"})) {
        live_.arpCache.clear();
        return ok();
    }
    if (isCommand(line, {"CAPABILITY"}))
        return capability();
    if (isCommand(line, {"RADIO", "RSSI"}))
        return signalStrength();
    if (matchWords(line, {"TABLE"}, rest))
        return table(rest);
    if (isCommand(line, {"EXIT"}))
        return ending(CommandResult::Effect::EndSession, {"Goodbye."});
    return error("unknown command");
}

std::optional<std::string> CommandInterpreter::parameterValue(std::string_view code) const
{
    const std::string key(code);
    const ParameterRule *rule = findParameterRule(key);
    if (!rule || rule->access == Access::WriteOnly || rule->access == Access::Action)
        return std::nullopt;
    if (lacks(key))
        return "N/A";
    if (key == "48")
        return running_.stations.empty() ? "N/A" : running_.stations.front().id;
    if (key == "49")
        return live_.totalPackets().rateText();
    const auto it = running_.parameters.find(key);
    return it == running_.parameters.end() ? "N/A" : it->second;
}

CommandResult CommandInterpreter::get(std::string_view code)
{
    const ParameterRule *rule = findParameterRule(code);
    if (!rule)
        return error("unknown parameter code");
    const auto value = parameterValue(code);
    if (!value)
        return error("parameter is write only");
    std::string line = "GET=1;" + std::string(code) + "=" + *value;
    // The address and serial number replies carry their companions, which the
    // utility never asks for by themselves.
    for (auto [asked, companion] : {std::pair{"05", "40"}, std::pair{"29", "2A"}}) {
        if (code == asked)
            line += std::string(";") + companion + "=" + *parameterValue(companion);
    }
    return reply({line});
}

CommandResult CommandInterpreter::set(const std::string &code, std::string_view rawValue)
{
    const ParameterRule *rule = findParameterRule(code);
    if (!rule)
        return error("unknown parameter code");
    if (code == options_.faults.refuseWritesOfCode)
        return error("write refused");
    if (rule->access == Access::ReadOnly)
        return error("parameter is read only");
    if (lacks(code))
        return error("not available on this model");
    // The password is taken exactly as written; other values lose surrounding blanks.
    const std::string value(code == "06" ? rawValue : trim(rawValue));
    if (rule->access == Access::Action)
        return action(code, value);
    if (rule->access == Access::WriteOnly || (code == "12" && value.find(' ') != std::string::npos))
        return listWrite(code, value);
    return setScalar(code, value);
}

CommandResult CommandInterpreter::setScalar(const std::string &code, const std::string &value)
{
    const ParameterRule &rule = *findParameterRule(code);
    if (auto reason = refuseScalar(rule, value))
        return error(*reason);
    std::string stored = value;
    if (rule.kind == ValueKind::Number)
        stored = std::to_string(*parseNumber(value, rule.low, rule.high));

    if (code == "16" && stored == "0" && !profile_.bridgingAllowed)
        return error("bridging not available on this model");
    if (code == "41" && !profile_.fixedRadioType.empty() && stored != profile_.fixedRadioType)
        return error("radio type fixed on this model");
    if (code == "43") {
        const auto domain = parseNumber(running_.parameters["42"], 1, 6).value_or(1);
        const ChannelRange range = channelsOfDomain(domain);
        const auto channel = parseNumber(value, range.first, range.last);
        if (!channel)
            return error("channel not allowed in the regulatory domain");
        stored = std::to_string(*channel);
    }
    if (code == "42") {
        // A channel the new domain does not allow moves to the domain's first one.
        const ChannelRange range = channelsOfDomain(*parseNumber(stored, 1, 6));
        const auto channel = parseNumber(running_.parameters["43"], 1, 14).value_or(0);
        if (channel < range.first || channel > range.last)
            running_.parameters["43"] = std::to_string(range.first);
    }
    const auto sameId = [&](const Station &station) { return station.id == stored; };
    if (code == "47" && std::any_of(running_.stations.begin(), running_.stations.end(), sameId))
        return error("identifier used by a remote unit");
    if (code == "48") {
        // The remote master of a station is its only remote unit.
        if (running_.stations.empty())
            running_.stations.push_back({stored, ""});
        else
            running_.stations.front().id = stored;
        return ok();
    }
    running_.parameters[code] = stored;
    return ok();
}

std::optional<std::string> CommandInterpreter::refuseStation(const std::string &id)
{
    const auto number = parseNumber(id, 1, kMaxStationId);
    if (!number)
        return std::string("not a valid remote unit identifier");
    if (std::to_string(*number) == running_.parameters["47"])
        return std::string("identifier is the local one");
    return std::nullopt;
}

CommandResult CommandInterpreter::listWrite(const std::string &code, const std::string &value)
{
    const auto words = nonEmptyFieldsOf(value);
    const auto wordCount = [&](std::size_t n) { return words.size() == n; };
    UnitConfig &c = running_;

    if (code == "06") {
        if (value.size() > kMaxPasswordLength)
            return error("value too long");
        // Never sent back, so only characters that cannot be typed are refused.
        if (hasControlCharacter(value))
            return error("control character in value");
        c.password = value;
        return ok();
    }
    if (code == "1F" || code == "20") {
        if (!wordCount(3) || !parseDottedQuad(words[0]) || !parseNetmask(words[1]) ||
            !parseDottedQuad(words[2]))
            return error("expected destination, netmask and gateway");
        const StaticRoute route{words[0], words[1], words[2]};
        if (code == "20")
            return removeEntry(c.staticRoutes, [&](const StaticRoute &r) { return r == route; });
        if (routeCount(c, live_) >= kMaxRoutes)
            return error("routing table full");
        return addEntry(c.staticRoutes, route, kMaxRoutes, [](const StaticRoute &a, const StaticRoute &b) {
            return a.destination == b.destination && a.netmask == b.netmask;
        });
    }
    if (code == "21" || code == "22" || code == "31" || code == "32") {
        if (!wordCount(1) || !parseDottedQuad(words[0]))
            return error("not a valid address");
        auto &list = (code == "21" || code == "22") ? c.dnsServers : c.dhcpRelays;
        if (code == "22" || code == "32")
            return removeEntry(list, [&](const std::string &s) { return s == words[0]; });
        return addEntry(list, words[0], kMaxListEntries, std::equal_to<>());
    }
    if (code == "23" || code == "24") {
        if (words.empty() || words.size() > 2 || (code == "23" && words.size() != 2))
            return error("expected community name and access");
        if (auto reason = refuseWord(words[0], kMaxWordLength))
            return error(*reason);
        const auto access = words.size() == 2 ? normalisedAccess(words[1]) : std::optional<std::string>();
        if (words.size() == 2 && !access)
            return error("access must be read or write");
        if (code == "24") {
            return removeEntry(c.communities, [&](const Community &existing) {
                return existing.name == words[0] && (!access || existing.access == *access);
            });
        }
        return addEntry(c.communities, Community{words[0], *access}, kMaxListEntries,
                        [](const Community &a, const Community &b) { return a.name == b.name; });
    }
    if (code == "25" || code == "26") {
        if (!wordCount(2) || !parseDottedQuad(words[0]))
            return error("expected address and community");
        if (auto reason = refuseWord(words[1], kMaxWordLength))
            return error(*reason);
        const TrapServer trap{words[0], words[1]};
        if (code == "26")
            return removeEntry(c.trapServers, [&](const TrapServer &t) { return t == trap; });
        return addEntry(c.trapServers, trap, kMaxListEntries, std::equal_to<>());
    }
    if (code == "50" || code == "51") {
        if (!wordCount(1))
            return error("expected one remote unit identifier");
        if (auto reason = refuseStation(words[0]))
            return error(*reason);
        const std::string id = std::to_string(*parseNumber(words[0], 1, kMaxStationId));
        if (code == "51")
            return removeEntry(c.stations, [&](const Station &s) { return s.id == id; });
        return addEntry(c.stations, Station{id, ""}, profile_.maxStations,
                        [](const Station &a, const Station &b) { return a.id == b.id; });
    }
    // Code 12 with fields: a remote unit's identifier, optionally this unit's own radio
    // address (as the station list shows it), and the remote unit's radio address.
    const auto fields = fieldsOf(value);
    std::vector<std::string> addresses(fields.begin() + 1, fields.end());
    std::erase(addresses, std::string());
    if (addresses.empty() || addresses.size() > 2 || !parseDottedQuad(addresses.back()) ||
        (addresses.size() == 2 && !parseDottedQuad(addresses.front())))
        return error("expected remote unit identifier and radio address");
    const auto id = parseNumber(fields[0], 1, kMaxStationId);
    const auto station = std::find_if(c.stations.begin(), c.stations.end(),
                                      [&](const Station &s) { return id && s.id == std::to_string(*id); });
    if (station == c.stations.end())
        return error("no such remote unit");
    station->radioAddress = addresses.back();
    return ok();
}

CommandResult CommandInterpreter::action(const std::string &code, std::string_view value)
{
    if (value != "1")
        return error("action needs the value 1");
    if (code == "1D") {
        live_.learnedRoutes.clear();
    } else if (code == "1E") {
        running_.staticRoutes.clear();
        live_.learnedRoutes.clear();
    } else if (code == "53") {
        live_.resetPacketCounts();
    } else if (code == "63") {
        live_.resetInterfaces();
    } else if (code == "60") {
        saved_ = running_;
        if (!options_.stateFile.empty() && !saveStateFile(options_.stateFile, profile_.name, saved_))
            return error("storage failure");
    } else if (code == "61") {
        UnitConfig defaults = factory_;
        defaults.user = running_.user;
        defaults.password = running_.password;
        running_ = std::move(defaults);
    } else if (code == "62") {
        restart();
        return ending(CommandResult::Effect::Reboot);
    }
    return ok();
}

CommandResult CommandInterpreter::changeEthernetAddress(std::string_view value, FrontEnd from)
{
    if (options_.faults.refuseWritesOfCode == "10")
        return error("write refused");
    const auto words = nonEmptyFieldsOf(value);
    if (words.size() != 2 || !parseDottedQuad(words[0]) || !parseNetmask(words[1]))
        return error("expected address and netmask");
    running_.parameters["10"] = words[0];
    running_.parameters["11"] = words[1];
    if (from == FrontEnd::Serial)
        return ok();
    // The telnet session was bound to the old address: it drops without a reply.
    return ending(CommandResult::Effect::DropSession);
}

CommandResult CommandInterpreter::ripStatus()
{
    if (lacks("35"))
        return error("not available on this model");
    return reply({running_.parameters["35"] == "1" ? "RIP Enabled" : "RIP Disabled"});
}

CommandResult CommandInterpreter::capability()
{
    std::string line = "CAPABILITY=";
    for (std::size_t i = 0; i < profile_.capabilities.size(); ++i)
        line += (i > 0 ? ";" : "") + profile_.capabilities[i];
    return reply({line});
}

CommandResult CommandInterpreter::signalStrength()
{
    if (!profile_.has("RSSI"))
        return error("not available on this model");
    return reply({"RADIO RSSI=0;" + std::to_string(live_.nextSignalStrength())});
}

CommandResult CommandInterpreter::table(std::string_view number)
{
    const auto index = parseNumber(trim(number), 0, 99);
    const auto lines = index
                           ? renderTable(static_cast<int>(*index), {running_, live_, options_.bigListsBytes})
                           : std::nullopt;
    if (!lines)
        return error("no list with that number");
    return reply(*lines);
}

} // namespace unitsim
