#include "config/radio_channels.h"

#include <array>

namespace linkset {
namespace {

constexpr std::array kDomains{
    RegulatoryDomain{"IEEE", 1, 11}, RegulatoryDomain{"FCC", 1, 11},     RegulatoryDomain{"MKK", 14, 14},
    RegulatoryDomain{"ETSI", 1, 13}, RegulatoryDomain{"FRENCH", 10, 13}, RegulatoryDomain{"SPANISH", 10, 11},
};

// Channels 1 to 13 lie 5 MHz apart from 2412 MHz; channel 14 stands apart.
constexpr int kFirstChannelMHz = 2412;
constexpr int kChannelStepMHz = 5;
constexpr int kChannel14MHz = 2484;

} // namespace

std::span<const RegulatoryDomain> regulatoryDomains()
{
    return kDomains;
}

QStringList channelList(const QString &domain)
{
    QStringList channels;
    for (const RegulatoryDomain &d : kDomains) {
        if (domain != QLatin1String(d.name.data(), qsizetype(d.name.size())))
            continue;
        for (int channel = d.firstChannel; channel <= d.lastChannel; ++channel)
            channels << QString::number(channel);
    }
    return channels;
}

std::optional<QString> frequencyLabel(const QString &channel)
{
    bool ok = false;
    const int number = channel.trimmed().toInt(&ok, 10);
    if (!ok || number < 1 || number > 14)
        return std::nullopt;
    const int megahertz = number == 14 ? kChannel14MHz : kFirstChannelMHz + kChannelStepMHz * (number - 1);
    return QString::number(megahertz) + QStringLiteral(" MHz");
}

} // namespace linkset
