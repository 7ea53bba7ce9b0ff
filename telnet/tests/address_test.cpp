// The address parser, the dotted form and the error texts.
#include "wiretalk/socket_layer.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

namespace wiretalk {
namespace {

struct AddressCase
{
    const char *text;
    const char *expected; // dotted, or nullptr for "not an address"
};

TEST(ParseAddress, ParsesAsTheTableSaysAndFormatsBack)
{
    const AddressCase cases[] = {
        {"192.168.1.10", "192.168.1.10"},
        {"10.1", "10.0.0.1"},
        {"0x7f.1", "127.0.0.1"},
        {"127:0:0:1", "127.0.0.1"},
        {"010.0.0.1", "10.0.0.1"}, // a leading zero never means octal
        {"0X0A.0xff.0.1", "10.255.0.1"},
        {"1.2.3.4 ", "1.2.3.4"},
        {"1.2.3.4\t", "1.2.3.4"},
        {"1.2.3.4\r\n", "1.2.3.4"},
        {"1.2.65535", "1.2.255.255"},
        {"3232235786", "192.168.1.10"},
        {"1.2.3.4.5", nullptr},
        {"256.1.1.1", nullptr},
        {"1.2.3.256", nullptr},
        {"1.2.3.4x", nullptr},
        {"1.2.65536", nullptr},
        {"1.16777216", nullptr},
        {"localhost", nullptr},
        {"a.b.c.d", nullptr},
        {"-1", nullptr},
    };
    for (const AddressCase &c : cases) {
        SCOPED_TRACE(c.text);
        const std::uint32_t parsed = ParseAddress(c.text);
        if (c.expected == nullptr) {
            EXPECT_EQ(parsed, kNotAnAddress);
        } else {
            in_addr expected{};
            ASSERT_EQ(inet_pton(AF_INET, c.expected, &expected), 1);
            EXPECT_EQ(parsed, expected.s_addr); // network order: the first part first
            EXPECT_EQ(DottedAddress(parsed), c.expected);
        }
    }
    EXPECT_EQ(ParseAddress(nullptr), kNotAnAddress);
}

TEST(ErrorMessage, EveryCodeOfTheRangeButOneHasItsText)
{
    EXPECT_STREQ(ErrorMessage(27501), "Network subsystem failed to initialize");
    EXPECT_STREQ(ErrorMessage(27505), "Invalid handle passed to function");
    EXPECT_STREQ(ErrorMessage(27517), "Connection to server is closed");
    EXPECT_STREQ(ErrorMessage(27521), "Unsupported option");
    EXPECT_EQ(ErrorMessage(27510), nullptr);
    EXPECT_EQ(ErrorMessage(27502), nullptr);
    int withText = 0;
    for (int code = 27501; code <= 27521; ++code)
        withText += ErrorMessage(code) != nullptr;
    EXPECT_EQ(withText, 19);
}

} // namespace
} // namespace wiretalk
