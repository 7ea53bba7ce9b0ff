// Regulatory domains, the channels they allow, and channel frequencies.
#include "config/radio_channels.h"

#include <gtest/gtest.h>

using namespace linkset;

TEST(RadioChannels, EachDomainOffersItsChannelsInAscendingOrder)
{
    const auto range = [](int first, int last) {
        QStringList channels;
        for (int c = first; c <= last; ++c)
            channels << QString::number(c);
        return channels;
    };
    const struct
    {
        const char *domain;
        QStringList channels;
    } cases[] = {
        {"IEEE", range(1, 11)},
        {"FCC", range(1, 11)},
        {"MKK", {QStringLiteral("14")}},
        {"ETSI", range(1, 13)},
        {"FRENCH", {QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12"), QStringLiteral("13")}},
        {"SPANISH", {QStringLiteral("10"), QStringLiteral("11")}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(channelList(QString::fromLatin1(c.domain)), c.channels) << c.domain;
}

TEST(RadioChannels, DomainsInListOrder)
{
    QStringList names;
    for (const RegulatoryDomain &d : regulatoryDomains())
        names << QString::fromLatin1(d.name.data(), qsizetype(d.name.size()));
    EXPECT_EQ(names, (QStringList{"IEEE", "FCC", "MKK", "ETSI", "FRENCH", "SPANISH"}));
}

TEST(RadioChannels, AnUnknownDomainOffersNoChannel)
{
    for (const char *domain : {"", "ieee", "IEEE ", "JAPAN"})
        EXPECT_TRUE(channelList(QString::fromLatin1(domain)).isEmpty()) << domain;
}

TEST(RadioChannels, FrequencyLabels)
{
    const struct
    {
        const char *channel;
        const char *label;
    } cases[] = {
        {"1", "2412 MHz"},  {"6", "2437 MHz"},   {"11", "2462 MHz"}, {"13", "2472 MHz"},
        {"14", "2484 MHz"}, {" 7 ", "2442 MHz"}, {"07", "2442 MHz"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(frequencyLabel(QString::fromLatin1(c.channel)), QString::fromLatin1(c.label)) << c.channel;
}

TEST(RadioChannels, NoLabelForATextThatIsNotAChannel)
{
    for (const char *channel : {"", "N/A", "six", "0", "15", "-1", "6.5", "2412"})
        EXPECT_EQ(frequencyLabel(QString::fromLatin1(channel)), std::nullopt) << channel;
}
