// The window's own rules: the start-up state, model adaptation, the radio channel lists,
// the option rules, the monitoring rate and the configuration record read from the controls.
#include "forms/config_record.h"
#include "platform/settings_store.h"
#include "ui/connection_commands.h"
#include "widgets/strip_chart.h"
#include "window_fixture.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QTimer>

class WindowRules : public WindowFixture
{
protected:
    void SetUp() override
    {
        platform::saveSetting(QStringLiteral("StatsSpeed"), QString());
        WindowFixture::SetUp();
    }
    QString caption(QAbstractButton *button) const { return button->text().remove(QLatin1Char('&')); }
    QTimer *timer(const char *name) const { return w->findChild<QTimer *>(QLatin1String(name)); }
};

TEST_F(WindowRules, StartUpState)
{
    EXPECT_FALSE(ui().IPRoutingSubTab->isTabVisible(1));
    EXPECT_FALSE(ui().IPRoutingSubTab->isTabVisible(2));
    EXPECT_FALSE(ui().RSSISubTab->isTabVisible(1));
    EXPECT_TRUE(ui().chkHistoryRSSIMonitor->isHidden());
    EXPECT_TRUE(w->iStripChartX1(1)->isHidden());
    EXPECT_EQ(ui().cmbHistoryHrs->currentText(), QStringLiteral("0"));
    EXPECT_EQ(ui().cmbHistoryMins->currentText(), QStringLiteral("1"));
    EXPECT_EQ(ui().cmbRSSIThreshold->count(), 41);
    EXPECT_EQ(ui().cmbRSSIThreshold->itemText(0), QStringLiteral("40"));
    EXPECT_EQ(ui().cmbRSSIThreshold->itemText(40), QStringLiteral("0"));
    EXPECT_EQ(ui().cmbRIPInterval->count(), 600);
    EXPECT_EQ(ui().cmbRIPExpire->itemText(599), QStringLiteral("600"));
    EXPECT_EQ(ui().cmbRIPInterval->currentText(), QStringLiteral("1"));
    EXPECT_EQ(w->chkRoutingMode(0)->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(w->strStatusText, QStringLiteral("Retrieving Configuration from Device..."));
    EXPECT_EQ(w->stationColours[8], QColor(0x008080));
    EXPECT_EQ(w->iStripChartX1(1)->channelName(0), QStringLiteral("RSSI"));

    const struct
    {
        const char *array;
        int selected;
    } options[] = {{"OptStatistics", 0},     {"optDataLogging", 0},
                   {"optDHCPMode", 0},       {"optRadioType", 0},
                   {"optForwardingMode", 1}, {"optRIPVersion", 1},
                   {"optRIPMulticast", 0},   {"optRIPDefaultRoute", 0},
                   {"optRIPActive", 0},      {"optRIPStaticRouteUpdate", 0},
                   {"optOSPFEnable", 1}};
    for (const auto &o : options)
        EXPECT_EQ(w->optionGroup(QLatin1String(o.array))->checkedId(), o.selected) << o.array;
    for (QWidget *hidden :
         {static_cast<QWidget *>(ui().chkMonitorIPStats), static_cast<QWidget *>(ui().cmdRefreshIPStats),
          static_cast<QWidget *>(ui().cmdFlushArpTable), static_cast<QWidget *>(ui().txtModelType)})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    for (QWidget *disabled :
         {static_cast<QWidget *>(ui().cmdPasswordApply), static_cast<QWidget *>(ui().txtLogSeconds),
          static_cast<QWidget *>(ui().fraDHCPServers), static_cast<QWidget *>(ui().cmdAddOSPFArea)})
        EXPECT_FALSE(disabled->isEnabled()) << disabled->objectName().toStdString();

    const struct
    {
        const char *name;
        int interval;
        bool active;
    } timers[] = {
        {"tmrRSSI", 5000, false},         {"tmrBeeper", 2000, false},    {"tmrPacketStats", 5000, false},
        {"tmrSerialStatus", 10, true},    {"tmrKeepAlive", 55000, true}, {"tmrOrigConfig", 25, false},
        {"tmrCompareUpdates", 25, false}, {"tmrSlowImport", 20, false},  {"tmrDataLogging", 0, false}};
    for (const auto &t : timers) {
        ASSERT_TRUE(timer(t.name)) << t.name;
        EXPECT_EQ(timer(t.name)->interval(), t.interval) << t.name;
        EXPECT_EQ(timer(t.name)->isActive(), t.active) << t.name;
    }
}

TEST_F(WindowRules, MonitoringRateFromTheSavedSettingAndTheMenu)
{
    const struct
    {
        const char *saved;
        int seconds;
    } cases[] = {{"60", 60}, {"30", 30}, {"45", 5}, {"", 5}};
    for (const auto &c : cases) {
        platform::saveSetting(QStringLiteral("StatsSpeed"), QLatin1String(c.saved));
        WindowFixture::SetUp();
        EXPECT_EQ(w->strStatsSpeed, QString::number(c.seconds)) << c.saved;
        EXPECT_EQ(w->tmrRSSI->interval(), c.seconds * 1000);
        EXPECT_EQ(ui().mnuUtilitiesMonitoringRate30sec->isChecked(), c.seconds == 30);
    }
    ui().mnuUtilitiesMonitoringRate60sec->trigger();
    EXPECT_EQ(w->tmrPacketStats->interval(), 60000);
    EXPECT_FALSE(ui().mnuUtilitiesMonitoringRate5sec->isChecked());
    ui().mnuUtilitiesMonitoringRate60sec->trigger(); // clicking the checked entry keeps it checked
    EXPECT_TRUE(ui().mnuUtilitiesMonitoringRate60sec->isChecked());
    EXPECT_TRUE(confirmExit(*w));
    EXPECT_EQ(platform::loadSetting(QStringLiteral("StatsSpeed")), QStringLiteral("60"));
}

TEST_F(WindowRules, ModelAdaptation)
{
    const struct
    {
        const char *text;
        bool forwardingShown, bridgingEnabled;
        const char *station, *master;
        bool stationEnabled, masterEnabled;
        const char *remoteFrame;
        bool dhcpEnabled, staticShown, staticEnabled;
    } cases[] = {
        {"Tevo v2.4", false, true, "Tevo", "Hadra", true, false, "Remote Hadra ID List:", true, true, true},
        {"Tevo v1.1", false, true, "Tevo", "Hadra", true, false, "Remote Hadra ID List:", false, false, true},
        {"Tevo Hadra v2.0", false, true, "Tevo", "Hadra", true, false, "Remote Hadra ID List:", true, true,
         true},
        {"Hadra v2.4", true, false, "Tevo", "Hadra", false, true, "Remote Tevo ID List:", true, true, true},
        {"Hadra v1.0", true, false, "Tevo", "Hadra", false, true, "Remote Tevo ID List:", false, true, false},
        {"QDV v2.4", true, true, "Station", "Master", true, true, "Remote Station ID List:", true, true,
         true},
        {"WL v1.3", true, true, "Station", "Master", true, true, "Remote Station ID List:", false, true,
         false},
    };
    for (const auto &c : cases) {
        SetUp();
        ui().txtQDVVersion->setText(QLatin1String(c.text));
        SCOPED_TRACE(c.text);
        EXPECT_EQ(!ui().fraForwardingMode->isHidden(), c.forwardingShown);
        EXPECT_EQ(w->optForwardingMode(0)->isEnabled(), c.bridgingEnabled);
        EXPECT_EQ(caption(w->optRadioType(0)), QLatin1String(c.station));
        EXPECT_EQ(caption(w->optRadioType(1)), QLatin1String(c.master));
        EXPECT_EQ(w->optRadioType(0)->isEnabled(), c.stationEnabled);
        EXPECT_EQ(w->optRadioType(1)->isEnabled(), c.masterEnabled);
        EXPECT_EQ(ui().fraRemoteStations->title(), QLatin1String(c.remoteFrame));
        EXPECT_EQ(ui().fraDHCPMode->isEnabled(), c.dhcpEnabled);
        EXPECT_EQ(!w->chkRoutingMode(0)->isHidden(), c.staticShown);
        EXPECT_EQ(w->chkRoutingMode(0)->isEnabled(), c.staticEnabled);
        EXPECT_EQ(w->windowTitle(),
                  QStringLiteral("Corvane %1 Configuration Utility").arg(QLatin1String(c.text)));
    }
    // "Tevo v1.3": the static box is enabled, the DHCP frames are not touched.
    SetUp();
    ui().fraDHCPMode->setEnabled(false);
    ui().txtQDVVersion->setText(QStringLiteral("Tevo v1.3"));
    EXPECT_FALSE(ui().fraDHCPMode->isEnabled());
    EXPECT_EQ(ui().fraLocalStationID->title(), QStringLiteral("Local Tevo ID:"));

    ui().txtQDVVersion->setText(QStringLiteral("Other v9"));
    EXPECT_EQ(caption(w->optRadioType(0)), QStringLiteral("Tevo"));
    ui().txtQDVVersion->setText(QString());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Corvane  Configuration Utility"));
}

TEST_F(WindowRules, ChannelListsAndFrequencies)
{
    const struct
    {
        const char *domain;
        QStringList channels;
    } cases[] = {{"MKK", {"14"}}, {"FRENCH", {"10", "11", "12", "13"}}, {"SPANISH", {"10", "11"}}};
    for (const auto &c : cases) {
        ui().cmboRegDomain->setCurrentText(QLatin1String(c.domain));
        QStringList offered;
        for (int i = 0; i < ui().cmboRadioChannel->count(); ++i)
            offered << ui().cmboRadioChannel->itemText(i);
        EXPECT_EQ(offered, c.channels) << c.domain;
        EXPECT_EQ(ui().cmboRadioChannel->currentIndex(), -1);
    }
    ui().cmboRegDomain->setCurrentText(QStringLiteral("MKK"));
    ui().cmboRadioChannel->setCurrentIndex(0);
    EXPECT_EQ(ui().lblRadioFrequency->text(), QStringLiteral("2484 MHz"));
    ui().cmboRegDomain->setCurrentText(QStringLiteral("ETSI")); // the label keeps its text
    EXPECT_EQ(ui().lblRadioFrequency->text(), QStringLiteral("2484 MHz"));
    ui().cmboRadioChannel->setCurrentText(QStringLiteral("6"));
    EXPECT_EQ(ui().lblRadioFrequency->text(), QStringLiteral("2437 MHz"));
    ui().cmboRadioChannel->setCurrentText(QStringLiteral("six"));
    EXPECT_EQ(ui().lblRadioFrequency->text(), QStringLiteral("2437 MHz"));
}

TEST_F(WindowRules, OptionRules)
{
    w->chkRoutingMode(0)->click();
    EXPECT_EQ(w->chkRoutingMode(0)->checkState(), Qt::PartiallyChecked);

    w->chkRoutingMode(1)->show();
    w->chkRoutingMode(1)->click();
    EXPECT_TRUE(ui().IPRoutingSubTab->isTabEnabled(1));

    w->option(QStringLiteral("optRIPVersion"), 0)->click();
    EXPECT_FALSE(ui().fraMultiCast->isEnabled());
    EXPECT_TRUE(ui().fraRIP->isEnabled());
    w->option(QStringLiteral("optRIPMulticast"), 1)->setChecked(true); // as the reply grammar would
    EXPECT_TRUE(w->option(QStringLiteral("optRIPMulticast"), 0)->isChecked());
    w->option(QStringLiteral("optRIPVersion"), 1)->click();
    EXPECT_TRUE(ui().fraMultiCast->isEnabled());

    w->option(QStringLiteral("optRIPActive"), 1)->click();
    EXPECT_TRUE(w->option(QStringLiteral("optRIPStaticRouteUpdate"), 1)->isEnabled());
    w->option(QStringLiteral("optRIPActive"), 0)->click();
    EXPECT_FALSE(ui().fraStaticRouteUpdate->isEnabled());
    EXPECT_TRUE(ui().fraActivity->isEnabled());

    ui().IPRoutingSubTab->setCurrentIndex(1);
    w->chkRoutingMode(1)->click();
    EXPECT_FALSE(ui().IPRoutingSubTab->isTabEnabled(1));
    EXPECT_EQ(ui().IPRoutingSubTab->currentIndex(), 0);

    w->option(QStringLiteral("optOSPFEnable"), 0)->click();
    EXPECT_TRUE(ui().cmdDeleteOSPFArea->isEnabled() && ui().lviewOSPFAreas->isEnabled());
    w->option(QStringLiteral("optDHCPMode"), 1)->click();
    EXPECT_TRUE(ui().fraDHCPServers->isEnabled());

    w->optForwardingMode(0)->click();
    EXPECT_TRUE(ui().fraRadioIP->isHidden());
    EXPECT_FALSE(ui().SSTab1->isTabVisible(3));
    EXPECT_TRUE(ui().lviewStationsAdded->isColumnHidden(2));
    w->optForwardingMode(1)->click();
    EXPECT_FALSE(ui().fraRadioIP->isHidden());
    EXPECT_TRUE(ui().SSTab1->isTabVisible(3));
}

TEST_F(WindowRules, ConfigRecordFromTheControls)
{
    feed(QStringLiteral("GET=1;01=Name;16=0;19=1;41=0;58=25;13=255.255.0.0\n"
                        "IP ROUTE=10.0.0.0;255.0.0.0;10.0.0.1;Static\nDNS=192.0.2.53\nSTATIONS=7\n"));
    forms::ConfigRecord record;
    forms::ReadFormConfig(*w, record);
    EXPECT_EQ(record.systemName, QStringLiteral("Name"));
    EXPECT_EQ(record.forwardingMode, QStringLiteral("0"));
    EXPECT_EQ(record.ripVersion, QStringLiteral("1"));
    EXPECT_EQ(record.radioType, QStringLiteral("0"));
    EXPECT_EQ(record.rssiThreshold, QStringLiteral("25"));
    EXPECT_EQ(record.radioNetmask, QStringLiteral("255.255.0.0"));
    EXPECT_EQ(record.routingMode, QStringLiteral("1"));
    EXPECT_EQ(record.staticRoutes,
              (QList<QStringList>{{"10.0.0.0", "255.0.0.0", "10.0.0.1", "Static", "", ""}}));
    EXPECT_EQ(record.dnsServers, (QList<QStringList>{{"192.0.2.53"}}));
    EXPECT_EQ(record.remoteStations, (QList<QStringList>{{"7", "", ""}}));

    // RIP counts as enabled only while its box is shown and ticked.
    w->chkRoutingMode(1)->setChecked(true);
    forms::ReadFormConfig(*w, record);
    EXPECT_EQ(record.ripEnabled, QStringLiteral("0"));
    feed(QStringLiteral("RIP Enabled\n"));
    forms::ReadFormConfig(*w, record);
    EXPECT_EQ(record.ripEnabled, QStringLiteral("1"));

    forms::ConfigRecord again;
    forms::ReadFormConfig(*w, again);
    EXPECT_EQ(again, record);
}
