// Every setting the update writes, changed at once: the writes in their order, and every
// entry validated against what the unit reports afterwards. The generic unit has every
// setting but RIP; the RIP settings are changed on the subscriber unit, which has them,
// together with a setting written before them and one written after them.
#include "field_typing.h"
#include "forms/maintenance_commands.h"
#include "transfer_fixture.h"
#include "ui_frmTevoHadraConfig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

class UpdateEverything : public TransferFixture
{
protected:
    void connectTo(unitsim::Model model)
    {
        unitsim::UnitOptions options;
        options.model = model;
        connectAndRetrieve(Transport::Telnet, options);
    }
    void select(const char *array, int index)
    {
        w->option(QString::fromLatin1(array), index)->setChecked(true);
    }
    // The part of each write the unit received before its value.
    QStringList writesSent() const
    {
        QStringList writes = commandsFrom(before);
        const qsizetype save = writes.indexOf("Set 60= 1");
        return save < 0 ? writes : writes.mid(0, save + 1);
    }
    void expectAllValidated()
    {
        for (const Row &row : rows()) {
            EXPECT_EQ(row.state, "Success") << qPrintable(row.message);
            EXPECT_EQ(row.picture, "Check") << qPrintable(row.message);
        }
    }
};

TEST_F(UpdateEverything, OnTheGenericUnitEveryScalarAndEveryListIsWrittenInOrderAndValidates)
{
    connectTo(unitsim::Model::Qdv);
    Ui::frmTevoHadraConfig &ui = *w->ui;
    ASSERT_EQ(ui.txtQDVVersion->text(), "QDV v2.4");

    boxes.answerNext(platform::MsgAnswer::Yes);
    forms::resetPassword(*w);
    // A password typed afterwards replaces the reset.
    typeInto(w->txtPassword(1), "pw2");
    typeInto(w->txtPassword(2), "pw2");
    ui.cmdPasswordApply->click();
    select("optRadioType", 0);
    ui.txtEthernetIP->setText("192.168.3.9");
    w->cmboNetmask(0)->setCurrentText("255.255.0.0");
    select("optForwardingMode", 0);
    select("optDHCPMode", 1);
    ui.txtSNMPName->setText("Bench Unit");
    ui.txtSNMPContact->setText("Lab staff");
    ui.txtSNMPLocation->setText("Shelf 3");
    ui.txtLocalID->setText("60");
    ASSERT_TRUE(removeListItem(ui.lviewRouterRoutes, "172.16.0.0"));
    addListItem(ui.lviewRouterRoutes, {"10.9.0.0", "255.255.0.0", "192.168.3.254", "Static"});
    ASSERT_TRUE(removeListItem(ui.lviewStationsAdded, "51"));
    addListItem(ui.lviewStationsAdded, {"52", "10.0.0.3", "10.0.0.7"});
    ASSERT_TRUE(removeListItem(ui.lviewSNMPCommunities, "private"));
    addListItem(ui.lviewSNMPCommunities, {"ops", "read"});
    ASSERT_TRUE(removeListItem(ui.lviewTrapServers, "192.168.1.30"));
    addListItem(ui.lviewTrapServers, {"192.168.3.30", "ops"});
    ASSERT_TRUE(removeListItem(ui.lviewDNSServers, "198.51.100.53"));
    addListItem(ui.lviewDNSServers, {"203.0.113.53"});
    ui.txtDNSDomainName->setText("lab.example");
    addListItem(ui.lviewDHCPServers, {"192.168.3.20"});
    ui.cmboRadioChannel->setCurrentText("8");
    ui.cmbRSSIThreshold->setCurrentText("30");

    ASSERT_TRUE(update());
    EXPECT_EQ(writesSent(), (QStringList{"Set 06=pw2",
                                         "Set 41=0",
                                         "Set 10=192.168.3.9",
                                         "Set 11=255.255.0.0",
                                         "mode bridge",
                                         "Set 30=1",
                                         "Set 01=Bench Unit",
                                         "Set 02=Lab staff",
                                         "Set 03=Shelf 3",
                                         "Set 47=60",
                                         "ip route del 172.16.0.0 255.255.0.0 10.0.0.2",
                                         "Set 51=51",
                                         "Set 50=52",
                                         "Set 12=52 10.0.0.3 10.0.0.7",
                                         "ip route add 10.9.0.0 255.255.0.0 192.168.3.254",
                                         "Set 24=private write",
                                         "Set 23=ops read",
                                         "Set 26=192.168.1.30 public",
                                         "Set 25=192.168.3.30 ops",
                                         "ip dns server del 198.51.100.53",
                                         "ip dns server add 203.0.113.53",
                                         "Set 15=lab.example",
                                         "Set 31=192.168.3.20",
                                         "radio channel 8",
                                         "Set 58=30",
                                         "Set 60= 1"}));
    EXPECT_EQ(rows().size(), 25);
    expectAllValidated();
    EXPECT_EQ(transfer().NumberOfConfigurationChanges(), 0);
}

// The RIP settings come as one block, after the DHCP mode and before the system name.
TEST_F(UpdateEverything, OnASubscriberEveryRipSettingIsWrittenAndValidates)
{
    connectTo(unitsim::Model::Tevo);
    Ui::frmTevoHadraConfig &ui = *w->ui;
    ASSERT_FALSE(w->chkRoutingMode(1)->isHidden());
    ASSERT_FALSE(w->chkRoutingMode(1)->isChecked());
    w->chkRoutingMode(1)->setChecked(true);
    select("optDHCPMode", 1);
    select("optRIPActive", 0);
    select("optRIPDefaultRoute", 1);
    select("optRIPVersion", 0);
    select("optRIPMulticast", 0);
    select("optRIPStaticRouteUpdate", 1);
    ui.cmbRIPInterval->setCurrentText("45");
    ui.cmbRIPExpire->setCurrentText("200");
    ui.txtSNMPName->setText("Bench Unit");

    ASSERT_TRUE(update());
    EXPECT_EQ(writesSent(),
              (QStringList{"Set 30=1", "IP RIP Enable", "Set 17=0", "Set 18=1", "Set 19=1", "Set 1B=0",
                           "Set 1C=1", "Set 33=45", "Set 34=200", "Set 01=Bench Unit", "Set 60= 1"}));
    expectAllValidated();
    EXPECT_EQ(rows().size(), 10);
}
