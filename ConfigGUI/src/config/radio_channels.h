#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <string_view>

namespace linkset {

// A regulatory domain and the consecutive radio channels it allows.
struct RegulatoryDomain
{
    std::string_view name;
    int firstChannel;
    int lastChannel;
};

// The domains in the order the domain list shows them.
std::span<const RegulatoryDomain> regulatoryDomains();

// The channels `domain` allows, as decimal texts in ascending order; empty for an unknown domain.
QStringList channelList(const QString &domain);

// The centre-frequency label of a channel ("2437 MHz" for "6", "2484 MHz" for "14"). Empty for a
// text that is not a channel number from 1 to 14: the label then keeps what it shows.
std::optional<QString> frequencyLabel(const QString &channel);

} // namespace linkset
