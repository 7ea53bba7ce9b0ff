// The update list built from two configuration records, the validation of its entries, the
// lines of a saved file: rules that need no unit.
#include "forms/configuration_file.h"
#include "forms/update_list.h"
#include "sample_records.h"

#include <gtest/gtest.h>

using forms::ConfigRecord;
using forms::UpdateEntry;

namespace {

QList<UpdateEntry> changes(const ConfigRecord &current)
{
    return forms::compareRecords(retrievedUnit(), current).entries;
}

QStringList codesOf(const QList<UpdateEntry> &entries)
{
    QStringList codes;
    for (const UpdateEntry &entry : entries)
        codes << entry.code;
    return codes;
}

} // namespace

TEST(UpdateList, SameRecordsGiveNoEntries)
{
    EXPECT_TRUE(changes(retrievedUnit()).isEmpty());
}

// One changed setting at a time: the entry's message, code and value.
TEST(UpdateList, EachScalarSettingGivesItsMessage)
{
    struct Case
    {
        QString ConfigRecord::*field;
        QString value;
        UpdateEntry expected;
    };
    const Case cases[] = {
        {&ConfigRecord::radioType, "0", {"Setting Radio Type to Station...", "41", "0"}},
        {&ConfigRecord::ethernetAddress,
         "192.168.9.1",
         {"Updating Network IP address to 192.168.9.1..", "10", "192.168.9.1"}},
        {&ConfigRecord::ethernetNetmask,
         "255.255.0.0",
         {"Updating Network Netmask to 255.255.0.0..", "11", "255.255.0.0"}},
        {&ConfigRecord::forwardingMode, "0", {"Setting Forwarding Mode to Bridging...", "16", "0"}},
        {&ConfigRecord::dhcpMode, "0", {"Setting DHCP Mode to None...", "30", "0"}},
        {&ConfigRecord::ripEnabled, "0", {"Disabling RIP ...", "35", "0"}},
        {&ConfigRecord::ripActive, "0", {"Setting RIP to Quiet...", "17", "0"}},
        {&ConfigRecord::ripDefaultRoute, "1", {"Activating RIP default routing..", "18", "1"}},
        {&ConfigRecord::ripVersion, "1", {"Changing RIP Version to 1..", "19", "1"}},
        {&ConfigRecord::ripMulticast, "0", {"Activating RIP Broadcasting..", "1B", "0"}},
        {&ConfigRecord::ripStaticRouteUpdates, "1", {"Activating RIP Static Route Updating..", "1C", "1"}},
        {&ConfigRecord::ripInterval, "45", {"Changing RIP Interval Setting..", "33", "45"}},
        {&ConfigRecord::ripExpire, "200", {"Changing RIP Expire Setting..", "34", "200"}},
        {&ConfigRecord::systemName, "Mast 2", {"Changing System Name..", "01", "Mast 2"}},
        {&ConfigRecord::systemContact, "Ops", {"Changing System Contact info..", "02", "Ops"}},
        {&ConfigRecord::systemLocation, "Roof", {"Changing System Location info..", "03", "Roof"}},
        {&ConfigRecord::localId, "7", {"Setting Local ID to 7..", "47", "7"}},
        {&ConfigRecord::dnsDomainName, "corp.example", {"Changing DNS Name...", "15", "corp.example"}},
        {&ConfigRecord::radioChannel, "11", {"Changing Radio Channel to 11 ..", "43", "11"}},
        {&ConfigRecord::rssiThreshold, "30", {"Updating RSSI threshold to 30..", "58", "30"}},
    };
    for (const Case &c : cases) {
        ConfigRecord current = retrievedUnit();
        current.*c.field = c.value;
        EXPECT_EQ(changes(current), QList<UpdateEntry>{c.expected}) << qPrintable(c.expected.code);
    }
}

// The other branch of every two-way message.
TEST(UpdateList, OptionMessagesNameTheOtherChoice)
{
    ConfigRecord from = retrievedUnit();
    from.radioType = "0";
    from.forwardingMode = "0";
    from.dhcpMode = "0";
    from.ripEnabled = "0";
    from.ripActive = "0";
    from.ripDefaultRoute = "1";
    from.ripVersion = "1";
    from.ripMulticast = "0";
    from.ripStaticRouteUpdates = "1";
    const QStringList messages = [&] {
        QStringList texts;
        for (const UpdateEntry &entry : forms::compareRecords(from, retrievedUnit()).entries)
            texts << entry.message;
        return texts;
    }();
    EXPECT_EQ(messages,
              (QStringList{"Setting Radio Type to Master...", "Setting Forwarding Mode to Routing...",
                           "Setting DHCP Mode to Relay...", "Enabling RIP ...", "Setting RIP to Active...",
                           "Deactivating RIP default routing..", "Changing RIP Version to 2..",
                           "Activating RIP Multicasting..", "Deactivating RIP Static Route Updating.."}));
}

TEST(UpdateList, SettingsTheUpdateDoesNotWriteGiveNoEntries)
{
    ConfigRecord current = retrievedUnit();
    current.radioNetmask = "255.255.0.0";
    current.radioSpeed = "5";
    current.routerAddress = "192.168.1.253";
    current.radiusAddress = "192.168.1.11";
    EXPECT_TRUE(changes(current).isEmpty());
}

TEST(UpdateList, APendingPasswordComesFirstAndNoneWritesAnEmptyValue)
{
    ConfigRecord current = retrievedUnit();
    current.newPassword = "None";
    current.systemName = "Mast 2";
    const QList<UpdateEntry> entries = changes(current);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0], (UpdateEntry{"Setting new password...", "06", ""}));
    current.newPassword = "s3cret";
    EXPECT_EQ(changes(current).first(), (UpdateEntry{"Setting new password...", "06", "s3cret"}));
}

TEST(UpdateList, ListsGiveRemovalsBeforeAdditionsWithTheirValues)
{
    ConfigRecord current = retrievedUnit();
    current.dnsServers = {{"192.0.2.53"}, {"203.0.113.53"}};
    current.snmpCommunities = {{"public", "read"}, {"ops", "write"}};
    current.trapServers = {{"192.168.1.31", "ops"}};
    current.dhcpRelayServers = {{"192.168.1.21"}};
    EXPECT_EQ(changes(current),
              (QList<UpdateEntry>{
                  {"Removing SNMP Community: private write..", "24", "private write"},
                  {"Adding SNMP Community: ops write..", "23", "ops write"},
                  {"Removing SNMP Trap Server: 192.168.1.30 public..", "26", "192.168.1.30 public"},
                  {"Adding SNMP Trap Server: 192.168.1.31 ops..", "25", "192.168.1.31 ops"},
                  {"Removing DNS Server: 198.51.100.53..", "22", "198.51.100.53"},
                  {"Adding DNS Server: 203.0.113.53..", "21", "203.0.113.53"},
                  {"Removing DHCP Server: 192.168.1.20..", "32", "192.168.1.20"},
                  {"Adding DHCP Server: 192.168.1.21..", "31", "192.168.1.21"},
              }));
}

TEST(UpdateList, OnlyStaticRoutesTakePartAndAreWrittenWithThreeFields)
{
    ConfigRecord current = retrievedUnit();
    current.staticRoutes = {{"0.0.0.0", "0.0.0.0", "192.168.1.254", "Static", "", ""},
                            {"10.9.0.0", "255.255.0.0", "10.0.0.4", "Static", "", ""},
                            {"10.8.0.0", "255.255.0.0", "10.0.0.4", "RIP", "", ""}};
    EXPECT_EQ(changes(current), (QList<UpdateEntry>{
                                    {"Removing Route from Network: 172.16.0.0 255.255.0.0 10.0.0.2", "20",
                                     "172.16.0.0 255.255.0.0 10.0.0.2"},
                                    {"Adding Route to Network: 10.9.0.0 255.255.0.0 10.0.0.4", "1F",
                                     "10.9.0.0 255.255.0.0 10.0.0.4"},
                                }));
}

// Stations are added and removed by ID; one with a radio address that is new or changed is
// configured with all its fields. The order: routes removed, stations removed, stations
// added, radio addresses, routes added.
TEST(UpdateList, StationsAndRoutesFollowTheirOrder)
{
    ConfigRecord current = retrievedUnit();
    current.remoteStations = {
        {"101", "10.0.0.1", "10.0.0.9"}, {"105", "10.0.0.1", "10.0.0.5"}, {"106", "", ""}};
    current.staticRoutes.removeLast();
    current.staticRoutes.append({"10.9.0.0", "255.255.0.0", "10.0.0.4", "Static", "", ""});
    EXPECT_EQ(codesOf(changes(current)), (QStringList{"20", "51", "50", "50", "12", "12", "1F"}));
    const QList<UpdateEntry> entries = changes(current);
    EXPECT_EQ(entries[1], (UpdateEntry{"Removing Remote Unit 102 from list..", "51", "102"}));
    EXPECT_EQ(entries[2], (UpdateEntry{"Adding Remote Unit 105 to list..", "50", "105"}));
    EXPECT_EQ(entries[4], (UpdateEntry{"Configuring Remote Radio address 101 10.0.0.1 10.0.0.9 to device..",
                                       "12", "101 10.0.0.1 10.0.0.9"}));
    EXPECT_EQ(entries[5].value, "105 10.0.0.1 10.0.0.5");
}

// The unit's own radio address is written right after the Ethernet netmask.
TEST(UpdateList, TheUnitsOwnRadioAddressFollowsTheEthernetNetmask)
{
    ConfigRecord current = retrievedUnit();
    current.radioAddress = "10.0.1.1";
    current.ethernetNetmask = "255.255.0.0";
    current.forwardingMode = current.forwardingMode == "0" ? "1" : "0";
    const QList<UpdateEntry> entries = changes(current);
    EXPECT_EQ(codesOf(entries), (QStringList{"11", "12", "16"}));
    EXPECT_EQ(entries[1], (UpdateEntry{"Updating Radio IP address to 10.0.1.1..", "12", "10.0.1.1"}));
}

TEST(UpdateList, ANewRadioAddressWithAStationWithoutOneAsksForANote)
{
    ConfigRecord current = retrievedUnit();
    current.radioAddress = "10.0.1.1";
    EXPECT_FALSE(forms::compareRecords(retrievedUnit(), current).stationWithoutRadioAddress);
    current.remoteStations.append({"103", "", ""});
    EXPECT_TRUE(forms::compareRecords(retrievedUnit(), current).stationWithoutRadioAddress);
    current.radioAddress = retrievedUnit().radioAddress;
    EXPECT_FALSE(forms::compareRecords(retrievedUnit(), current).stationWithoutRadioAddress);
}

TEST(UpdateValidation, EntriesAreCheckedAgainstWhatTheUnitThenReports)
{
    const ConfigRecord shown = retrievedUnit();
    struct Case
    {
        UpdateEntry entry;
        bool validated;
    };
    const Case cases[] = {
        {{"", "01", "Hadra Base"}, true},
        {{"", "01", "Other"}, false},
        {{"", "35", "1"}, true},
        {{"", "19", "1"}, false},
        {{"", "06", "anything"}, true},
        {{"", "21", "192.0.2.53"}, true},
        {{"", "21", "203.0.113.53"}, false},
        {{"", "22", "192.0.2.53"}, false},
        {{"", "22", "203.0.113.53"}, true},
        {{"", "1F", "172.16.0.0 255.255.0.0 10.0.0.2"}, true},
        {{"", "20", "192.168.1.0 255.255.255.0 192.168.1.1"}, true}, // not a static route
        {{"", "50", "102"}, true},
        {{"", "51", "102"}, false},
        {{"", "12", "101 10.0.0.1 10.0.0.2"}, true},
        {{"", "12", "101 10.0.0.1 10.0.0.3"}, false},
        {{"", "12", "10.0.0.1"}, true}, // the unit's own radio address
        {{"", "12", "10.0.0.7"}, false},
        {{"", "23", "public read"}, true},
        {{"", "25", "192.168.1.30 public"}, true},
        {{"", "31", "192.168.1.20"}, true},
        {{"", "32", "192.168.1.20"}, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(forms::entryValidated(c.entry, shown), c.validated)
            << qPrintable(c.entry.code + " " + c.entry.value);
}

TEST(ConfigurationFileLines, ParameterLinesThenTheBlocks)
{
    ConfigRecord record = retrievedUnit();
    record.staticRoutes.append({"", "255.0.0.0", "10.0.0.9", "Static", "", ""}); // no destination: left out
    const QStringList lines = forms::configurationFileLines(record, true);
    const QStringList expected{"get=1;15=example.net",
                               "get=1;10=192.168.1.1",
                               "get=1;11=255.255.255.0",
                               "get=1;16=1",
                               "get=1;47=1",
                               "get=1;27=",
                               "get=1;28=",
                               "get=1;01=Hadra Base",
                               "get=1;43=6",
                               "get=1;12=10.0.0.1",
                               "get=1;13=255.255.255.0",
                               "get=1;45=11",
                               "get=1;41=1",
                               "get=1;29=",
                               "get=1;2A=",
                               "get=1;30=1",
                               "get=1;17=1",
                               "get=1;18=0",
                               "get=1;1B=1",
                               "get=1;1C=0",
                               "get=1;19=2",
                               "get=1;14=1",
                               "get=1;02=Network Operations",
                               "get=1;03=North Tower",
                               "get=1;58=25",
                               "get=1;33=30",
                               "get=1;34=180",
                               "RIP Enabled",
                               "DNS=1;START",
                               "DNS=192.0.2.53",
                               "DNS=198.51.100.53",
                               "DNS=1;END",
                               "SNMP COMMUNITY=1;START",
                               "SNMP COMMUNITY=public;read",
                               "SNMP COMMUNITY=private;write",
                               "SNMP COMMUNITY=1;END",
                               "SNMP TRAP=1;START",
                               "SNMP TRAP=192.168.1.30;public",
                               "SNMP TRAP=1;END",
                               "IP ROUTE=1;START",
                               "IP ROUTE=0.0.0.0;0.0.0.0;192.168.1.254;Static",
                               "IP ROUTE=172.16.0.0;255.255.0.0;10.0.0.2;Static",
                               "IP ROUTE=1;END",
                               "RADIOIP=1;START",
                               "RADIOIP=101;10.0.0.1;10.0.0.2",
                               "RADIOIP=102;10.0.0.1;10.0.0.4",
                               "RADIOIP=1;END",
                               "DHCP RELAY=1;START",
                               "DHCP RELAY=192.168.1.20",
                               "DHCP RELAY=1;END"};
    EXPECT_EQ(lines, expected);
}

TEST(ConfigurationFileLines, HiddenRipBoxWritesNoRipLineAndEmptyListsKeepTheirFrames)
{
    ConfigRecord record = retrievedUnit();
    record.ripEnabled = "0";
    record.dnsServers.clear();
    record.remoteStations = {{"5", "", ""}};
    const QStringList hidden = forms::configurationFileLines(record, false);
    EXPECT_FALSE(hidden.contains("RIP Enabled"));
    EXPECT_FALSE(hidden.contains("RIP Disabled"));
    EXPECT_EQ(hidden.mid(27, 2), (QStringList{"DNS=1;START", "DNS=1;END"}));
    EXPECT_TRUE(hidden.contains("RADIOIP=5;;"));
    EXPECT_TRUE(forms::configurationFileLines(record, true).contains("RIP Disabled"));
}
