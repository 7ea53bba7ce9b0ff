// The unit's parameter codes: which can be read, written or triggered, and what a
// written scalar value must look like.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace unitsim {

enum class Access
{
    ReadWrite,
    ReadOnly,
    WriteOnly, // list additions and removals, the password, a station's radio address
    Action     // written with "1" to make the unit act
};

enum class ValueKind
{
    None,
    Text,
    Address,
    Netmask,
    Number,
    Channel
};

struct ParameterRule
{
    std::string_view code;
    Access access;
    ValueKind kind;
    long low = 0;
    long high = 0;
};

// nullptr for a code the unit does not know. The code is compared as written, so
// callers pass it in capitals.
const ParameterRule *findParameterRule(std::string_view code);

// Checks a scalar value against its rule (Text, Address, Netmask, Number). Channels are
// checked against the regulatory domain elsewhere. Returns a reason when refused.
std::optional<std::string> refuseScalar(const ParameterRule &rule, std::string_view value);

// Channels the regulatory domain (code 42: 1 IEEE, 2 FCC, 3 MKK, 4 ETSI, 5 FRENCH,
// 6 SPANISH) allows.
struct ChannelRange
{
    long first;
    long last;
};
ChannelRange channelsOfDomain(long domain);

} // namespace unitsim
