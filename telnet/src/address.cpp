// The address parser: dotted text with one to four parts, each decimal or 0x-hex.
// A leading zero never selects octal ("010" is ten).
#include "wiretalk/socket_layer.h"

#include <arpa/inet.h>

namespace wiretalk {

namespace {

bool endsText(char c)
{
    return c == '\0' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Reads one part starting at *text; leaves *text on the character after its digits.
std::uint32_t parsePart(const char *&text)
{
    std::uint32_t value = 0;
    std::uint32_t base = 10;
    if (*text == '0') {
        ++text;
        if (*text == 'x' || *text == 'X') {
            ++text;
            base = 16;
        }
    }
    for (;; ++text) {
        const char c = *text;
        if (c >= '0' && c <= '9') {
            value = value * base + static_cast<std::uint32_t>(c - '0');
            continue;
        }
        if (base == 16) {
            const char upper = (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
            if (upper >= 'A' && upper <= 'F') {
                value = value * 16 + static_cast<std::uint32_t>(upper - 'A' + 10);
                continue;
            }
        }
        return value; // unsigned arithmetic wraps without a check, as intended
    }
}

} // namespace

std::uint32_t ParseAddress(const char *text)
{
    if (text == nullptr)
        return kNotAnAddress;
    std::uint32_t parts[3] = {};
    int stored = 0;
    std::uint32_t value = 0;
    for (;;) {
        value = parsePart(text);
        if (*text != '.' && *text != ':')
            break;
        if (stored == 3 || value > 255)
            return kNotAnAddress;
        parts[stored++] = value;
        ++text;
    }
    if (!endsText(*text))
        return kNotAnAddress;

    std::uint32_t host = 0;
    switch (stored) {
    case 0:
        host = value;
        break;
    case 1:
        if (value > 0xFFFFFFu)
            return kNotAnAddress;
        host = (parts[0] << 24) | value;
        break;
    case 2:
        if (value > 0xFFFFu)
            return kNotAnAddress;
        host = (parts[0] << 24) | (parts[1] << 16) | value;
        break;
    default:
        if (value > 255)
            return kNotAnAddress;
        host = (parts[0] << 24) | (parts[1] << 16) | (parts[2] << 8) | value;
        break;
    }
    return htonl(host); // plain byte order: parsing needs no socket library
}

} // namespace wiretalk
