#include "forms/record_fields.h"

#include <utility>

namespace forms {

namespace {

const std::pair<QStringView, ScalarField> kScalarFields[] = {
    {u"01", &ConfigRecord::systemName},
    {u"02", &ConfigRecord::systemContact},
    {u"03", &ConfigRecord::systemLocation},
    {u"10", &ConfigRecord::ethernetAddress},
    {u"11", &ConfigRecord::ethernetNetmask},
    {u"12", &ConfigRecord::radioAddress},
    {u"13", &ConfigRecord::radioNetmask},
    {u"14", &ConfigRecord::routingMode},
    {u"15", &ConfigRecord::dnsDomainName},
    {u"16", &ConfigRecord::forwardingMode},
    {u"17", &ConfigRecord::ripActive},
    {u"18", &ConfigRecord::ripDefaultRoute},
    {u"19", &ConfigRecord::ripVersion},
    {u"1B", &ConfigRecord::ripMulticast},
    {u"1C", &ConfigRecord::ripStaticRouteUpdates},
    {u"27", &ConfigRecord::routerAddress},
    {u"28", &ConfigRecord::routerNetmask},
    {u"29", &ConfigRecord::radiusAddress},
    {u"2A", &ConfigRecord::radiusNetmask},
    {u"30", &ConfigRecord::dhcpMode},
    {u"33", &ConfigRecord::ripInterval},
    {u"34", &ConfigRecord::ripExpire},
    {u"35", &ConfigRecord::ripEnabled},
    {u"41", &ConfigRecord::radioType},
    {u"43", &ConfigRecord::radioChannel},
    {u"45", &ConfigRecord::radioSpeed},
    {u"47", &ConfigRecord::localId},
    {u"58", &ConfigRecord::rssiThreshold},
};

} // namespace

ScalarField scalarFieldOf(QStringView code)
{
    for (const auto &[fieldCode, field] : kScalarFields)
        if (fieldCode == code)
            return field;
    return nullptr;
}

} // namespace forms
