#include "ui/editors/list_texts.h"

#include "ui_frmTevoHadraConfig.h"

namespace {
constexpr int kListLimit = 5;
} // namespace

const ListTexts kRouteTexts{
    &Ui::frmTevoHadraConfig::lviewRouterRoutes,
    "Add Routes",
    "Edit Network Routes",
    "This I.P. route already exists in the configuration.  Do you wish to continue and update the record?",
    "Are you sure you wish to delete this Network Route?",
    0,
    "",
    ""};
const ListTexts kDhcpServerTexts{
    &Ui::frmTevoHadraConfig::lviewDHCPServers,
    "Add DHCP Server",
    "Edit DHCP Server...",
    "This DHCP Server already exists in the configuration.  Do you wish to continue and update the record?",
    "Are you sure you wish to delete this DHCP Server definition?",
    kListLimit,
    " DHCP Servers",
    "Too Many DHCP Servers"};
const ListTexts kDnsServerTexts{
    &Ui::frmTevoHadraConfig::lviewDNSServers,
    "Add DNS Server",
    "Edit DNS Server...",
    "This DNS Server already exists in the configuration.  Do you wish to continue and update the record?",
    "Are you sure you wish to delete this DNS Server definition?",
    kListLimit,
    " DNS Servers",
    "Too Many DNS Servers"};
const ListTexts kCommunityTexts{
    &Ui::frmTevoHadraConfig::lviewSNMPCommunities,
    "Add Community String",
    "Edit SNMP Community...",
    "This Community already exists in the configuration.  Do you wish to continue and update the record?",
    "Are you sure you wish to delete this Community String?",
    kListLimit,
    " SNMP Communities!",
    "Too Many SNMP Communities!"};
const ListTexts kTrapServerTexts{
    &Ui::frmTevoHadraConfig::lviewTrapServers,
    "Add Trap Server",
    "Edit SNMP Trap Server...",
    "This Trap Server already exists in the configuration.  Do you wish to continue and update the record?",
    "Are you sure you wish to delete this Trap Server definition?",
    kListLimit,
    " Trap Servers!",
    "Too Many SNMP Trap Servers"};
const ListTexts kStationTexts{
    &Ui::frmTevoHadraConfig::lviewStationsAdded,
    "Add Remote Unit",
    "Edit Remote Unit...",
    "This Remote ID already exists in the configuration.  Do you wish to continue and update the record?",
    "Are you sure you wish to Delete this Remote unit definition?",
    0,
    "",
    ""};

QString limitMessage(const ListTexts &texts)
{
    return QStringLiteral("You may only define a maximum of ") + QString::number(texts.limit) +
           QLatin1String(texts.limitWord);
}
