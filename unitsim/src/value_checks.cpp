#include "value_checks.h"

#include "trigger_words.h"

namespace unitsim {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<std::uint32_t> parseDottedQuad(std::string_view text)
{
    std::uint32_t address = 0;
    std::size_t pos = 0;
    for (int octet = 0; octet < 4; ++octet) {
        if (octet > 0) {
            if (pos >= text.size() || text[pos] != '.')
                return std::nullopt;
            ++pos;
        }
        const std::size_t start = pos;
        unsigned value = 0;
        while (pos < text.size() && isDigit(text[pos]) && pos - start < 3) {
            value = value * 10 + static_cast<unsigned>(text[pos] - '0');
            ++pos;
        }
        const std::size_t digits = pos - start;
        if (digits == 0 || value > 255 || (digits > 1 && text[start] == '0'))
            return std::nullopt;
        address = (address << 8) | value;
    }
    if (pos != text.size())
        return std::nullopt;
    return address;
}

std::string formatDottedQuad(std::uint32_t address)
{
    return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 0xFF) + "." +
           std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF);
}

std::optional<std::uint32_t> parseNetmask(std::string_view text)
{
    if (const auto prefix = parseNumber(text, 0, 32))
        return *prefix == 0 ? 0u : ~std::uint32_t{0} << (32 - *prefix);
    const auto mask = parseDottedQuad(text);
    if (!mask)
        return std::nullopt;
    // Contiguous: the inverted mask plus one is a power of two (or zero for /0).
    const std::uint32_t host = ~*mask;
    if ((host & (host + 1)) != 0)
        return std::nullopt;
    return mask;
}

std::optional<long> parseNumber(std::string_view text, long low, long high)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

bool hasControlCharacter(std::string_view text)
{
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return true;
    }
    return false;
}

std::optional<std::string> refuseText(std::string_view text, std::size_t maxLength)
{
    if (text.size() > maxLength)
        return "value longer than " + std::to_string(maxLength) + " characters";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && byte < 0xA0))
            return std::string("control character in value");
        if (c == ';')
            return std::string("field separator in value");
        if (c == '>')
            return std::string("prompt character in value");
    }
    if (!triggerWordsIn(text).empty())
        return std::string("reserved word in value");
    return std::nullopt;
}

std::optional<std::string> refuseWord(std::string_view text, std::size_t maxLength)
{
    if (text.empty())
        return std::string("value missing");
    if (text.find(' ') != std::string_view::npos)
        return std::string("blank in value");
    return refuseText(text, maxLength);
}

} // namespace unitsim
