// Checks of the values a unit accepts, as a unit checks them before it applies a write.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace unitsim {

// Four decimal octets 0..255 separated by dots, no leading zeros, nothing else.
std::optional<std::uint32_t> parseDottedQuad(std::string_view text);
std::string formatDottedQuad(std::uint32_t address);

// A netmask as the utility writes one: a dotted quad with contiguous leading one bits,
// or a prefix length 0..32. Returns the mask as a number.
std::optional<std::uint32_t> parseNetmask(std::string_view text);

// A decimal number without sign within [low, high].
std::optional<long> parseNumber(std::string_view text, long low, long high);

// True when the text holds a C0 control character or DEL.
bool hasControlCharacter(std::string_view text);

// Text the unit can store and report back: printable, at most maxLength bytes, none of
// the characters that end a field or a reply (";", ">"), no trigger word of the
// utility's reply parser. Returns a reason in neutral words when refused.
std::optional<std::string> refuseText(std::string_view text, std::size_t maxLength);

// A single word (no blanks) that is acceptable text.
std::optional<std::string> refuseWord(std::string_view text, std::size_t maxLength);

} // namespace unitsim
