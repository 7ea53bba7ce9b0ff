#include "parameter_rules.h"

#include "value_checks.h"

namespace unitsim {

namespace {

constexpr std::size_t kMaxTextLength = 63;

constexpr ParameterRule kRules[] = {
    {"01", Access::ReadWrite, ValueKind::Text},
    {"02", Access::ReadWrite, ValueKind::Text},
    {"03", Access::ReadWrite, ValueKind::Text},
    {"04", Access::ReadOnly, ValueKind::None},
    {"05", Access::ReadOnly, ValueKind::None},
    {"06", Access::WriteOnly, ValueKind::None},
    {"10", Access::ReadWrite, ValueKind::Address},
    {"11", Access::ReadWrite, ValueKind::Netmask},
    {"12", Access::ReadWrite, ValueKind::Address},
    {"13", Access::ReadWrite, ValueKind::Netmask},
    {"14", Access::ReadWrite, ValueKind::Number, 1, 3},
    {"15", Access::ReadWrite, ValueKind::Text},
    {"16", Access::ReadWrite, ValueKind::Number, 0, 1},
    {"17", Access::ReadWrite, ValueKind::Number, 0, 1},
    {"18", Access::ReadWrite, ValueKind::Number, 0, 1},
    {"19", Access::ReadWrite, ValueKind::Number, 1, 2},
    {"1B", Access::ReadWrite, ValueKind::Number, 0, 1},
    {"1C", Access::ReadWrite, ValueKind::Number, 0, 1},
    {"1D", Access::Action, ValueKind::None},
    {"1E", Access::Action, ValueKind::None},
    {"1F", Access::WriteOnly, ValueKind::None},
    {"20", Access::WriteOnly, ValueKind::None},
    {"21", Access::WriteOnly, ValueKind::None},
    {"22", Access::WriteOnly, ValueKind::None},
    {"23", Access::WriteOnly, ValueKind::None},
    {"24", Access::WriteOnly, ValueKind::None},
    {"25", Access::WriteOnly, ValueKind::None},
    {"26", Access::WriteOnly, ValueKind::None},
    {"27", Access::ReadWrite, ValueKind::Address},
    {"28", Access::ReadWrite, ValueKind::Netmask},
    {"29", Access::ReadWrite, ValueKind::Address},
    {"2A", Access::ReadWrite, ValueKind::Netmask},
    {"30", Access::ReadWrite, ValueKind::Number, 0, 1},
    {"31", Access::WriteOnly, ValueKind::None},
    {"32", Access::WriteOnly, ValueKind::None},
    {"33", Access::ReadWrite, ValueKind::Number, 1, 600},
    {"34", Access::ReadWrite, ValueKind::Number, 1, 600},
    {"35", Access::ReadWrite, ValueKind::Number, 0, 1},
    {"40", Access::ReadOnly, ValueKind::None},
    {"41", Access::ReadWrite, ValueKind::Number, 0, 1},
    {"42", Access::ReadWrite, ValueKind::Number, 1, 6},
    {"43", Access::ReadWrite, ValueKind::Channel},
    {"44", Access::ReadWrite, ValueKind::Number, 0, 30},
    {"45", Access::ReadWrite, ValueKind::Number, 1, 14},
    {"46", Access::ReadWrite, ValueKind::Number, 1, 2},
    {"47", Access::ReadWrite, ValueKind::Number, 1, 16384},
    {"48", Access::ReadWrite, ValueKind::Number, 1, 16384},
    {"49", Access::ReadOnly, ValueKind::None},
    {"4A", Access::ReadWrite, ValueKind::Number, 0, 15},
    {"50", Access::WriteOnly, ValueKind::None},
    {"51", Access::WriteOnly, ValueKind::None},
    {"52", Access::ReadWrite, ValueKind::Number, 0, 1},
    {"53", Access::Action, ValueKind::None},
    {"58", Access::ReadWrite, ValueKind::Number, 0, 65},
    {"60", Access::Action, ValueKind::None},
    {"61", Access::Action, ValueKind::None},
    {"62", Access::Action, ValueKind::None},
    {"63", Access::Action, ValueKind::None},
};

} // namespace

const ParameterRule *findParameterRule(std::string_view code)
{
    for (const ParameterRule &rule : kRules) {
        if (rule.code == code)
            return &rule;
    }
    return nullptr;
}

std::optional<std::string> refuseScalar(const ParameterRule &rule, std::string_view value)
{
    switch (rule.kind) {
    case ValueKind::Text:
        return refuseText(value, kMaxTextLength);
    case ValueKind::Address:
        if (!parseDottedQuad(value))
            return std::string("not a valid address");
        return std::nullopt;
    case ValueKind::Netmask:
        if (!parseNetmask(value))
            return std::string("not a valid netmask");
        return std::nullopt;
    case ValueKind::Number:
        if (!parseNumber(value, rule.low, rule.high))
            return "number out of range " + std::to_string(rule.low) + " to " + std::to_string(rule.high);
        return std::nullopt;
    case ValueKind::Channel:
    case ValueKind::None:
        break;
    }
    return std::nullopt;
}

ChannelRange channelsOfDomain(long domain)
{
    switch (domain) {
    case 3:
        return {14, 14};
    case 4:
        return {1, 13};
    case 5:
        return {10, 13};
    case 6:
        return {10, 11};
    default:
        return {1, 11};
    }
}

} // namespace unitsim
