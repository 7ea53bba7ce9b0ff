#include "forms/update_review.h"

#include "forms/record_fields.h"

#include <algorithm>

namespace forms {

namespace {

struct CodeSetting
{
    QStringView code;
    ReviewedSetting setting;
};

constexpr char kGeneral[] = "General";
constexpr char kEthernetRadio[] = "Ethernet/Radio";
constexpr char kIPRouting[] = "IP Routing";
constexpr char kDHCP[] = "DHCP";
constexpr char kSNMPDNS[] = "SNMP/DNS";
constexpr char kStatistics[] = "Statistics";
constexpr char kDiagnostics[] = "Diagnostics";
constexpr char kUtilities[] = "Utilities/Tools";

// Every code an update writes, with the tab, label and control of its setting. A list's add
// and remove codes share their setting.
const CodeSetting kSettings[] = {
    {u"06", {kUtilities, "New Password", "txtPassword_1"}},
    {u"41", {kEthernetRadio, "Radio Type", "optRadioType_0"}},
    {u"10", {kEthernetRadio, "Network IP Address", "txtEthernetIP"}},
    {u"11", {kEthernetRadio, "Network Netmask", "cmboNetmask_0"}},
    {u"12", {kEthernetRadio, "Radio IP Address", "txtRadioIP"}},
    {u"16", {kEthernetRadio, "Forwarding Mode", "optForwardingMode_0"}},
    {u"30", {kDHCP, "DHCP Mode", "optDHCPMode_0"}},
    {u"35", {kIPRouting, "RIP Routing", "chkRoutingMode_1"}},
    {u"17", {kIPRouting, "RIP Activity", "optRIPActive_0"}},
    {u"18", {kIPRouting, "RIP Default Route", "optRIPDefaultRoute_0"}},
    {u"19", {kIPRouting, "RIP Version", "optRIPVersion_0"}},
    {u"1B", {kIPRouting, "RIP Multicast", "optRIPMulticast_0"}},
    {u"1C", {kIPRouting, "RIP Static Routes Updating", "optRIPStaticRouteUpdate_0"}},
    {u"33", {kIPRouting, "RIP Interval", "cmbRIPInterval"}},
    {u"34", {kIPRouting, "RIP Expire", "cmbRIPExpire"}},
    {u"01", {kSNMPDNS, "System Name", "txtSNMPName"}},
    {u"02", {kSNMPDNS, "System Contact", "txtSNMPContact"}},
    {u"03", {kSNMPDNS, "System Location", "txtSNMPLocation"}},
    {u"47", {kEthernetRadio, "Local ID", "txtLocalID"}},
    {u"1F", {kIPRouting, "Static Routes", "lviewRouterRoutes"}},
    {u"20", {kIPRouting, "Static Routes", "lviewRouterRoutes"}},
    {u"50", {kEthernetRadio, "Remote Station IDs", "lviewStationsAdded"}},
    {u"51", {kEthernetRadio, "Remote Station IDs", "lviewStationsAdded"}},
    {u"23", {kSNMPDNS, "SNMP Communities", "lviewSNMPCommunities"}},
    {u"24", {kSNMPDNS, "SNMP Communities", "lviewSNMPCommunities"}},
    {u"25", {kSNMPDNS, "Trap Servers", "lviewTrapServers"}},
    {u"26", {kSNMPDNS, "Trap Servers", "lviewTrapServers"}},
    {u"21", {kSNMPDNS, "DNS Servers", "lviewDNSServers"}},
    {u"22", {kSNMPDNS, "DNS Servers", "lviewDNSServers"}},
    {u"15", {kSNMPDNS, "DNS Domain Name", "txtDNSDomainName"}},
    {u"31", {kDHCP, "DHCP Servers", "lviewDHCPServers"}},
    {u"32", {kDHCP, "DHCP Servers", "lviewDHCPServers"}},
    {u"43", {kEthernetRadio, "Radio Channel", "cmboRadioChannel"}},
    {u"58", {kDiagnostics, "RSSI Threshold Level", "cmbRSSIThreshold"}},
};

const ReviewedSetting kStationRadioAddress{kEthernetRadio, "Remote Station Radio Address",
                                           "lviewStationsAdded"};

// The list codes: an addition writes the item, a removal takes it away.
constexpr QStringView kAdditionCodes[] = {u"1F", u"50", u"23", u"25", u"21", u"31"};
constexpr QStringView kRemovalCodes[] = {u"20", u"51", u"24", u"26", u"22", u"32"};

bool isOneOf(QStringView code, const auto &codes)
{
    return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

// A remote station's entry holds its ID and addresses; the unit's own address is one value.
bool isStationEntry(QStringView code, const QString &value)
{
    return code == u"12" && value.contains(QLatin1Char(' '));
}

// The option a value selects, by the captions of its option buttons, index 0 first.
struct OptionCaptions
{
    QStringView code;
    const char *captions[2];
};

const OptionCaptions kOptions[] = {
    {u"41", {"Station", "Master"}},       {u"16", {"Bridging", "Routing"}},
    {u"30", {"None", "Relay"}},           {u"35", {"Disabled", "Enabled"}},
    {u"17", {"Quiet", "Active"}},         {u"18", {"No", "Yes"}},
    {u"19", {"Version 1", "Version 2"}},  {u"1B", {"Broadcast", "Multicast"}},
    {u"1C", {"No Updating", "Updating"}},
};

// How the review shows a setting's value: an option by its caption, anything else as it is.
QString shown(QStringView code, const QString &value)
{
    for (const OptionCaptions &option : kOptions) {
        if (option.code != code)
            continue;
        // The RIP version is the number of the version; the other options are their index.
        const int index = code == u"19" ? value.toInt() - 1 : value.toInt();
        if (index == 0 || index == 1)
            return QLatin1String(option.captions[index]);
    }
    return value;
}

// The retrieved station with the same ID as the station entry, as its fields joined by blanks.
QString retrievedStation(const QString &entryValue, const ConfigRecord &retrieved)
{
    const QString id = entryValue.section(QLatin1Char(' '), 0, 0);
    for (const QStringList &station : retrieved.remoteStations)
        if (station.value(0) == id)
            return station.join(QLatin1Char(' '));
    return QString();
}

ReviewRow rowOf(const UpdateEntry &entry, const ConfigRecord &retrieved)
{
    const ReviewedSetting *setting = reviewedSetting(entry.code, entry.value);
    ReviewRow row{setting ? QLatin1String(setting->tab) : QString(),
                  setting ? QLatin1String(setting->setting) : entry.code, QString(), QString()};
    if (entry.code == u"06") {
        row.retrieved = QStringLiteral("(hidden)");
        row.toWrite = QStringLiteral("(changed)");
    } else if (isOneOf(entry.code, kAdditionCodes)) {
        row.toWrite = entry.value;
    } else if (isOneOf(entry.code, kRemovalCodes)) {
        row.retrieved = entry.value;
    } else if (isStationEntry(entry.code, entry.value)) {
        row.retrieved = retrievedStation(entry.value, retrieved);
        row.toWrite = entry.value;
    } else {
        const ScalarField field = scalarFieldOf(entry.code);
        row.retrieved = field ? shown(entry.code, retrieved.*field) : QString();
        row.toWrite = shown(entry.code, entry.value);
    }
    return row;
}

} // namespace

const ReviewedSetting *reviewedSetting(QStringView code, const QString &value)
{
    if (isStationEntry(code, value))
        return &kStationRadioAddress;
    for (const CodeSetting &known : kSettings)
        if (known.code == code)
            return &known.setting;
    return nullptr;
}

const QList<QString> &reviewTabs()
{
    static const QList<QString> tabs{QLatin1String(kGeneral),     QLatin1String(kEthernetRadio),
                                     QLatin1String(kIPRouting),   QLatin1String(kDHCP),
                                     QLatin1String(kSNMPDNS),     QLatin1String(kStatistics),
                                     QLatin1String(kDiagnostics), QLatin1String(kUtilities)};
    return tabs;
}

QList<ReviewRow> reviewRows(const UpdateList &list, const ConfigRecord &retrieved)
{
    QList<ReviewRow> rows;
    for (const UpdateEntry &entry : list.entries)
        rows << rowOf(entry, retrieved);
    // A tab the table does not know (none today) sorts last rather than being dropped.
    const auto tabIndex = [](const ReviewRow &row) {
        const qsizetype index = reviewTabs().indexOf(row.tab);
        return index < 0 ? reviewTabs().size() : index;
    };
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const ReviewRow &a, const ReviewRow &b) { return tabIndex(a) < tabIndex(b); });
    return rows;
}

QString reviewValue(const QString &value)
{
    return value.isEmpty() ? QLatin1String(kNoValue) : value;
}

QString reviewText(const QList<ReviewRow> &rows)
{
    QString text;
    QString tab;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const ReviewRow &row = rows[i];
        if (i == 0 || row.tab != tab) {
            tab = row.tab;
            text += tab + QLatin1String(":\n");
        }
        text += QLatin1String("  ") + row.setting + QLatin1String(": ") + reviewValue(row.retrieved) +
                QLatin1String(" -> ") + reviewValue(row.toWrite) + QLatin1Char('\n');
    }
    return text;
}

} // namespace forms
