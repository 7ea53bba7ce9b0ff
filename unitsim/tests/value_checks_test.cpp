#include "value_checks.h"

#include <gtest/gtest.h>

namespace unitsim {
namespace {

TEST(ValueChecks, DottedQuads)
{
    const struct
    {
        const char *text;
        bool valid;
    } cases[] = {
        {"0.0.0.0", true},    {"255.255.255.255", true}, {"192.168.1.1", true},
        {"256.1.1.1", false}, {"1.2.3", false},          {"1.2.3.4.5", false},
        {"01.2.3.4", false},  {"1..2.3", false},         {"1.2.3.4 ", false},
        {"", false},          {"1.2.3.-4", false},       {"1234.1.1.1", false},
        {"a.b.c.d", false},   {"10.0.0.1x", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseDottedQuad(c.text).has_value(), c.valid) << c.text;
    EXPECT_EQ(parseDottedQuad("192.168.1.2"), 0xC0A80102u);
    EXPECT_EQ(formatDottedQuad(0xC0A80102u), "192.168.1.2");
}

TEST(ValueChecks, NetmasksAsQuadsOrPrefixLengths)
{
    const struct
    {
        const char *text;
        std::optional<std::uint32_t> mask;
    } cases[] = {
        {"255.255.255.0", 0xFFFFFF00u},
        {"0.0.0.0", 0u},
        {"255.255.255.255", 0xFFFFFFFFu},
        {"24", 0xFFFFFF00u},
        {"0", 0u},
        {"32", 0xFFFFFFFFu},
        {"1", 0x80000000u},
        {"33", std::nullopt},
        {"255.0.255.0", std::nullopt},
        {"0.255.255.255", std::nullopt},
        {"255.255.254.1", std::nullopt},
        {"-1", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseNetmask(c.text), c.mask) << c.text;
}

TEST(ValueChecks, NumbersInRange)
{
    EXPECT_EQ(parseNumber("600", 1, 600), 600);
    EXPECT_EQ(parseNumber("0007", 1, 600), 7);
    EXPECT_FALSE(parseNumber("601", 1, 600));
    EXPECT_FALSE(parseNumber("0", 1, 600));
    EXPECT_FALSE(parseNumber("+5", 0, 9));
    EXPECT_FALSE(parseNumber("", 0, 9));
    EXPECT_FALSE(parseNumber("99999999999999999999", 0, 9)); // no overflow into range
}

TEST(ValueChecks, TextThatCannotBeReportedBackIsRefused)
{
    EXPECT_FALSE(refuseText("North Tower 3", 63));
    EXPECT_FALSE(refuseText("", 63));
    EXPECT_FALSE(refuseText("Caf\xE9", 63)); // Latin-1 letters are fine
    for (const char *bad : {"a;b", "a>b", "tab\there", "bell\a", "Username list", "get=1;x", "rip: on",
                            "dns=x", "Session Already", "\x85"})
        EXPECT_TRUE(refuseText(bad, 63)) << bad;
    EXPECT_TRUE(refuseText(std::string(64, 'x'), 63));
    EXPECT_TRUE(refuseWord("two words", 32));
    EXPECT_TRUE(refuseWord("", 32));
    EXPECT_FALSE(refuseWord("public", 32));
}

} // namespace
} // namespace unitsim
