// The two text helpers of the command exchange.
#include "session/mod_config_script.h"

#include <gtest/gtest.h>

using modConfigScript::PrefixToNetmask;
using modConfigScript::StripLineBreaks;

TEST(PrefixToNetmask, GivesTheDottedMaskOfEveryLength)
{
    const struct
    {
        int prefix;
        const char *mask;
    } cases[] = {
        {0, "0.0.0.0"},          {1, "128.0.0.0"},         {7, "254.0.0.0"},        {8, "255.0.0.0"},
        {9, "255.128.0.0"},      {16, "255.255.0.0"},      {20, "255.255.240.0"},   {24, "255.255.255.0"},
        {25, "255.255.255.128"}, {30, "255.255.255.252"},  {31, "255.255.255.254"}, {32, "255.255.255.255"},
        {33, "255.255.255.255"}, {200, "255.255.255.255"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PrefixToNetmask(c.prefix), QString::fromLatin1(c.mask)) << "prefix " << c.prefix;
}

TEST(StripLineBreaks, TrimsBlanksAndRemovesEveryLineBreak)
{
    const struct
    {
        const char *in;
        const char *out;
    } cases[] = {
        {"\r\nGET=1;01=name\r", "GET=1;01=name"},
        {"  padded  ", "padded"},
        {"\r\n  blank after the break \r", "blank after the break"},
        {"inner\r\nbreak", "innerbreak"},
        {"inner  blanks stay", "inner  blanks stay"},
        {"\r\n\r\n", ""},
        {"", ""},
        {">", ">"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(StripLineBreaks(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
}
