// The update list as the operator reviews it: every code an update writes has a tab and a
// setting name, and those are where the window shows the setting; the rows' values and the
// text the command line prints.
#include "forms/update_review.h"
#include "review_row_printing.h"
#include "sample_records.h"
#include "window_fixture.h"

#include <QTabWidget>

using forms::ConfigRecord;
using forms::ReviewRow;
using forms::UpdateEntry;
using forms::UpdateList;

namespace {

// Every setting an update writes is different, every list loses one item and gains one.
ConfigRecord everythingChanged()
{
    ConfigRecord r;
    r.systemName = "Mast 2";
    r.systemContact = "NOC";
    r.systemLocation = "Tower";
    r.ethernetAddress = "192.168.9.1";
    r.ethernetNetmask = "255.255.0.0";
    r.radioAddress = "10.0.0.9";
    r.dnsDomainName = "corp.example";
    r.forwardingMode = "0";
    r.ripActive = "0";
    r.ripDefaultRoute = "1";
    r.ripVersion = "1";
    r.ripMulticast = "0";
    r.ripStaticRouteUpdates = "1";
    r.ripInterval = "45";
    r.ripExpire = "200";
    r.ripEnabled = "0";
    r.dhcpMode = "0";
    r.radioType = "0";
    r.radioChannel = "11";
    r.localId = "7";
    r.rssiThreshold = "30";
    r.newPassword = "s3cret";
    r.remoteStations = {{"102", "10.0.0.9", "10.0.0.4"}, {"103", "10.0.0.9", "10.0.0.6"}};
    r.staticRoutes = {{"10.9.0.0", "255.255.0.0", "10.0.0.4", "Static", "", ""}};
    r.snmpCommunities = {{"ops", "read"}};
    r.trapServers = {{"192.168.1.31", "ops"}};
    r.dnsServers = {{"203.0.113.53"}};
    r.dhcpRelayServers = {{"192.168.1.21"}};
    return r;
}

UpdateList everyEntry()
{
    return forms::compareRecords(retrievedUnit(), everythingChanged());
}

QString caption(QString text)
{
    return text.remove(QLatin1Char('&')).trimmed();
}

} // namespace

TEST(UpdateReview, EveryCodeAnUpdateWritesHasATabAndASettingName)
{
    const UpdateList list = everyEntry();
    QStringList codes;
    for (const UpdateEntry &entry : list.entries)
        codes << entry.code;
    codes.removeDuplicates();
    codes.sort();
    // Every code the update list knows, so a code added to it later fails here until the
    // review knows it too.
    EXPECT_EQ(codes, (QStringList{"01", "02", "03", "06", "10", "11", "12", "15", "16", "17", "18", "19",
                                  "1B", "1C", "1F", "20", "21", "22", "23", "24", "25", "26", "30", "31",
                                  "32", "33", "34", "35", "41", "43", "47", "50", "51", "58"}));
    const QList<ReviewRow> rows = forms::reviewRows(list, retrievedUnit());
    ASSERT_EQ(rows.size(), list.entries.size());
    for (const ReviewRow &row : rows) {
        EXPECT_TRUE(forms::reviewTabs().contains(row.tab)) << qPrintable(row.setting);
        EXPECT_FALSE(row.setting.isEmpty());
        EXPECT_FALSE(row.setting.contains(QRegularExpression("^[0-9A-F]{2}$"))) << qPrintable(row.setting);
    }
}

// The tab and control of each setting are where the window really shows it.
class UpdateReviewWindow : public WindowFixture
{
};

TEST_F(UpdateReviewWindow, EachSettingIsOnTheTabItNames)
{
    for (const UpdateEntry &entry : everyEntry().entries) {
        const forms::ReviewedSetting *setting = forms::reviewedSetting(entry.code, entry.value);
        ASSERT_NE(setting, nullptr) << qPrintable(entry.code);
        QWidget *control = w->findChild<QWidget *>(QLatin1String(setting->control));
        ASSERT_NE(control, nullptr) << setting->control;
        QString tab;
        for (QWidget *page = control; page && page != ui().SSTab1; page = page->parentWidget())
            if (const int index = ui().SSTab1->indexOf(page); index >= 0)
                tab = caption(ui().SSTab1->tabText(index));
        EXPECT_EQ(tab, QLatin1String(setting->tab)) << setting->control;
    }
    QStringList tabs;
    for (int i = 0; i < ui().SSTab1->count(); ++i)
        tabs << caption(ui().SSTab1->tabText(i));
    EXPECT_EQ(tabs, QStringList(forms::reviewTabs())) << "the review groups follow the window's tabs";
}

TEST(UpdateReview, RowsShowTheRetrievedAndTheNewValue)
{
    ConfigRecord current = retrievedUnit();
    current.newPassword = "s3cret";
    current.radioType = "0";
    current.ripVersion = "1";
    current.systemName = "Mast 2";
    current.systemContact.clear();
    current.dnsServers = {{"192.0.2.53"}, {"203.0.113.53"}};
    current.remoteStations[0][2] = "10.0.0.7";
    const QList<ReviewRow> rows =
        forms::reviewRows(forms::compareRecords(retrievedUnit(), current), retrievedUnit());
    const QList<ReviewRow> expected{
        {"Ethernet/Radio", "Radio Type", "Master", "Station"},
        {"Ethernet/Radio", "Remote Station Radio Address", "101 10.0.0.1 10.0.0.2", "101 10.0.0.1 10.0.0.7"},
        {"IP Routing", "RIP Version", "Version 2", "Version 1"},
        {"SNMP/DNS", "System Name", "Hadra Base", "Mast 2"},
        {"SNMP/DNS", "System Contact", "Network Operations", ""},
        {"SNMP/DNS", "DNS Servers", "198.51.100.53", ""},
        {"SNMP/DNS", "DNS Servers", "", "203.0.113.53"},
        {"Utilities/Tools", "New Password", "(hidden)", "(changed)"},
    };
    EXPECT_EQ(rows, expected);
    for (const ReviewRow &row : rows)
        EXPECT_FALSE(row.toWrite.contains("s3cret") || row.retrieved.contains("s3cret"));
}

TEST(UpdateReview, TextGroupsTheRowsUnderTheirTabs)
{
    const QList<ReviewRow> rows{
        {"Ethernet/Radio", "Radio Channel", "6", "11"},
        {"SNMP/DNS", "System Contact", "Ops", ""},
        {"SNMP/DNS", "DNS Servers", "", "203.0.113.53"},
    };
    EXPECT_EQ(forms::reviewText(rows), QStringLiteral("Ethernet/Radio:\n"
                                                      "  Radio Channel: 6 -> 11\n"
                                                      "SNMP/DNS:\n"
                                                      "  System Contact: Ops -> (none)\n"
                                                      "  DNS Servers: (none) -> 203.0.113.53\n"));
    EXPECT_TRUE(forms::reviewText({}).isEmpty());
}
