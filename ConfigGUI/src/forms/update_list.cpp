#include "forms/update_list.h"

#include "forms/record_fields.h"

namespace forms {

namespace {

// A list setting: the codes that add and remove its items, the value an item is written
// with (empty for an item that takes no part), and the messages around that value.
struct ListRule
{
    QStringView addCode;
    QStringView removeCode;
    ListSetting ConfigRecord::*list;
    QString (*value)(const QStringList &item);
    const char *addPrefix;
    const char *addSuffix;
    const char *removePrefix;
    const char *removeSuffix;
};

QString allFields(const QStringList &item)
{
    return item.join(QLatin1Char(' '));
}

// Only the routes the operator made take part; the others are the unit's own.
QString staticRoute(const QStringList &item)
{
    return item.value(3) == QLatin1String("Static") ? item.mid(0, 3).join(QLatin1Char(' ')) : QString();
}

// A remote unit is added and removed by its ID...
QString stationId(const QStringList &item)
{
    return item.value(0);
}

// ...and its radio address, when it has one, is set with all its fields.
QString stationWithRadioAddress(const QStringList &item)
{
    return item.value(2).isEmpty() ? QString() : allFields(item);
}

const ListRule kRoutes{u"1F",
                       u"20",
                       &ConfigRecord::staticRoutes,
                       staticRoute,
                       "Adding Route to Network: ",
                       "",
                       "Removing Route from Network: ",
                       ""};
const ListRule kStations{u"50",
                         u"51",
                         &ConfigRecord::remoteStations,
                         stationId,
                         "Adding Remote Unit ",
                         " to list..",
                         "Removing Remote Unit ",
                         " from list.."};
const ListRule kStationAddresses{u"12",
                                 u"",
                                 &ConfigRecord::remoteStations,
                                 stationWithRadioAddress,
                                 "Configuring Remote Radio address ",
                                 " to device..",
                                 "",
                                 ""};
const ListRule kCommunities{u"23",
                            u"24",
                            &ConfigRecord::snmpCommunities,
                            allFields,
                            "Adding SNMP Community: ",
                            "..",
                            "Removing SNMP Community: ",
                            ".."};
const ListRule kTrapServers{u"25",
                            u"26",
                            &ConfigRecord::trapServers,
                            allFields,
                            "Adding SNMP Trap Server: ",
                            "..",
                            "Removing SNMP Trap Server: ",
                            ".."};
const ListRule kDnsServers{
    u"21", u"22", &ConfigRecord::dnsServers, allFields, "Adding DNS Server: ", "..", "Removing DNS Server: ",
    ".."};
const ListRule kDhcpServers{u"31",
                            u"32",
                            &ConfigRecord::dhcpRelayServers,
                            allFields,
                            "Adding DHCP Server: ",
                            "..",
                            "Removing DHCP Server: ",
                            ".."};

const ListRule *const kListRules[] = {&kRoutes,      &kStations,   &kStationAddresses, &kCommunities,
                                      &kTrapServers, &kDnsServers, &kDhcpServers};

// The values of a list's items that take part, each once, in list order.
QStringList valuesOf(const ListRule &rule, const ConfigRecord &record)
{
    QStringList values;
    for (const QStringList &item : record.*rule.list) {
        const QString value = rule.value(item);
        if (!value.isEmpty() && !values.contains(value))
            values << value;
    }
    return values;
}

class Builder
{
public:
    Builder(const ConfigRecord &retrieved, const ConfigRecord &current)
        : retrieved_(retrieved), current_(current)
    {}

    void password()
    {
        if (!current_.newPassword.isEmpty())
            add(QStringLiteral("Setting new password..."), u"06", passwordValue(current_.newPassword));
    }

    // A setting whose message names the option chosen: `whenMatch` for `match`, else `otherwise`.
    void option(QStringView code, const char *match, const char *whenMatch, const char *otherwise)
    {
        if (const QString *value = changed(code))
            add(QLatin1String(*value == QLatin1String(match) ? whenMatch : otherwise), code, *value);
    }

    // A setting whose message shows the new value between `prefix` and `suffix`.
    void valued(QStringView code, const char *prefix, const char *suffix)
    {
        if (const QString *value = changed(code))
            add(QLatin1String(prefix) + *value + QLatin1String(suffix), code, *value);
    }

    void fixed(QStringView code, const char *message)
    {
        if (const QString *value = changed(code))
            add(QLatin1String(message), code, *value);
    }

    void removed(const ListRule &rule)
    {
        const QStringList now = valuesOf(rule, current_);
        for (const QString &value : valuesOf(rule, retrieved_))
            if (!now.contains(value))
                add(QLatin1String(rule.removePrefix) + value + QLatin1String(rule.removeSuffix),
                    rule.removeCode, value);
    }

    void added(const ListRule &rule)
    {
        const QStringList before = valuesOf(rule, retrieved_);
        for (const QString &value : valuesOf(rule, current_))
            if (!before.contains(value))
                add(QLatin1String(rule.addPrefix) + value + QLatin1String(rule.addSuffix), rule.addCode,
                    value);
    }

    void noteStationsWithoutRadioAddress()
    {
        if (retrieved_.radioAddress == current_.radioAddress)
            return;
        for (const QStringList &station : current_.remoteStations)
            if (station.value(2).isEmpty())
                list_.stationWithoutRadioAddress = true;
    }

    UpdateList take() { return std::move(list_); }

private:
    const QString *changed(QStringView code) const
    {
        const ScalarField field = scalarFieldOf(code);
        return retrieved_.*field == current_.*field ? nullptr : &(current_.*field);
    }

    void add(const QString &message, QStringView code, const QString &value)
    {
        list_.entries.append({message, code.toString(), value});
    }

    const ConfigRecord &retrieved_;
    const ConfigRecord &current_;
    UpdateList list_;
};

} // namespace

QString passwordValue(const QString &newPassword)
{
    return newPassword == QLatin1String("None") ? QString() : newPassword;
}

UpdateList compareRecords(const ConfigRecord &retrieved, const ConfigRecord &current)
{
    Builder b(retrieved, current);
    b.password();
    b.option(u"41", "0", "Setting Radio Type to Station...", "Setting Radio Type to Master...");
    b.valued(u"10", "Updating Network IP address to ", "..");
    b.valued(u"11", "Updating Network Netmask to ", "..");
    b.valued(u"12", "Updating Radio IP address to ", "..");
    b.option(u"16", "0", "Setting Forwarding Mode to Bridging...", "Setting Forwarding Mode to Routing...");
    b.option(u"30", "0", "Setting DHCP Mode to None...", "Setting DHCP Mode to Relay...");
    b.option(u"35", "1", "Enabling RIP ...", "Disabling RIP ...");
    b.option(u"17", "0", "Setting RIP to Quiet...", "Setting RIP to Active...");
    b.option(u"18", "0", "Deactivating RIP default routing..", "Activating RIP default routing..");
    b.option(u"19", "1", "Changing RIP Version to 1..", "Changing RIP Version to 2..");
    b.option(u"1B", "0", "Activating RIP Broadcasting..", "Activating RIP Multicasting..");
    b.option(u"1C", "0", "Deactivating RIP Static Route Updating..",
             "Activating RIP Static Route Updating..");
    b.fixed(u"33", "Changing RIP Interval Setting..");
    b.fixed(u"34", "Changing RIP Expire Setting..");
    b.fixed(u"01", "Changing System Name..");
    b.fixed(u"02", "Changing System Contact info..");
    b.fixed(u"03", "Changing System Location info..");
    b.valued(u"47", "Setting Local ID to ", "..");
    b.removed(kRoutes);
    b.removed(kStations);
    b.added(kStations);
    b.added(kStationAddresses);
    b.added(kRoutes);
    for (const ListRule *rule : {&kCommunities, &kTrapServers, &kDnsServers}) {
        b.removed(*rule);
        b.added(*rule);
    }
    b.fixed(u"15", "Changing DNS Name...");
    b.removed(kDhcpServers);
    b.added(kDhcpServers);
    b.valued(u"43", "Changing Radio Channel to ", " ..");
    b.valued(u"58", "Updating RSSI threshold to ", "..");
    b.noteStationsWithoutRadioAddress();
    return b.take();
}

bool entryValidated(const UpdateEntry &entry, const ConfigRecord &record)
{
    if (entry.code == QLatin1String("06"))
        return true;
    // Code 12 also carries the unit's own radio address: one address, where a remote unit's
    // entry holds its ID and addresses.
    if (entry.code == QLatin1String("12") && !entry.value.contains(QLatin1Char(' ')))
        return record.radioAddress == entry.value;
    for (const ListRule *rule : kListRules) {
        const bool addition = entry.code == rule->addCode;
        if (addition || entry.code == rule->removeCode)
            return valuesOf(*rule, record).contains(entry.value) == addition;
    }
    const ScalarField field = scalarFieldOf(entry.code);
    return field != nullptr && record.*field == entry.value;
}

} // namespace forms
