// Lists changed through the editors reach the unit and the configuration file: after a
// retrieval over telnet, rows are added, edited and deleted through the window's buttons and
// the real dialogs, the update writes exactly those changes and each validates, and a save
// writes the edited lists. The new password goes the same way, through its fields and Apply.
#include "field_typing.h"
#include "forms/transfer_fixture.h"
#include "ui_frmTevoHadraConfig.h"
#include "window_fixture.h"

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

using platform::MsgAnswer;

class ListEditingUpdate : public TransferFixture
{
protected:
    Ui::frmTevoHadraConfig &ui() { return *w->ui; }

    // Opens an editor with `button`, types `values` into the named fields, presses OK.
    void editThrough(QPushButton *button, const QString &dialog, const QList<QPair<QString, QString>> &values)
    {
        modals.onNextModal(dialog, [values](QDialog &d) {
            for (const auto &[field, text] : values)
                typeInto(d.findChild<QWidget *>(field), text);
            pressButton(d, "cmdOK");
        });
        button->click();
    }
    static void select(QTreeWidget *list, const QString &text)
    {
        list->setCurrentItem(list->findItems(text, Qt::MatchExactly).value(0));
    }
    QStringList writesSent() const
    {
        QStringList writes = commandsFrom(before);
        return writes.mid(0, writes.indexOf("Set 60= 1") + 1);
    }
};

TEST_F(ListEditingUpdate, EditedListsAreWrittenValidatedAndSaved)
{
    connectAndRetrieve();
    editThrough(ui().cmdAddRoute, "frmAddRoutes",
                {{"txtIPNetwork", "10.9.0.0"}, {"cmboNetmask", "16"}, {"txtGateway", "192.168.1.254"}});
    editThrough(ui().cmdAddDNS, "frmAddDNSServer", {{"mskIP", "203.0.113.53"}});
    editThrough(ui().cmdAddCommunity, "frmAddCommunityString", {{"cmboCommunityString", "ops"}});
    editThrough(ui().cmdAddStation, "frmAddStation", {{"txtLocalID", "104"}, {"mskIP", "10.0.0.6"}});
    select(ui().lviewTrapServers, "192.168.1.30");
    editThrough(ui().cmdEditTrap, "frmAddTrapServer", {{"cmboTrapCommunity", "ops"}});
    select(ui().lviewDHCPServers, "192.168.1.20");
    boxes.answerNext(MsgAnswer::Yes);
    ui().cmdDeleteDHCPServer->click();
    ASSERT_EQ(modals.missedCount(), 0);

    ui().mnuDeviceUpdateConfig->trigger();
    ASSERT_TRUE(transferIdle());
    EXPECT_EQ(
        writesSent(),
        (QStringList{"Set 50=104", "Set 12=104 10.0.0.1 10.0.0.6", "ip route add 10.9.0.0 16 192.168.1.254",
                     "Set 23=ops read", "Set 26=192.168.1.30 public", "Set 25=192.168.1.30 ops",
                     "ip dns server add 203.0.113.53", "Set 32=192.168.1.20", "Set 60= 1"}));
    ASSERT_EQ(rows().size(), 8);
    for (const Row &row : rows())
        EXPECT_EQ(row.state, "Success") << qPrintable(row.message);

    // The retrieval after the update shows the unit's lists as edited.
    EXPECT_TRUE(rowsOf(ui().lviewRouterRoutes)
                    .contains(QStringList{"10.9.0.0", "16", "192.168.1.254", "Static", "", ""}));
    EXPECT_TRUE(rowsOf(ui().lviewDNSServers).contains(QStringList{"203.0.113.53"}));
    EXPECT_TRUE(rowsOf(ui().lviewSNMPCommunities).contains(QStringList{"ops", "read"}));
    EXPECT_TRUE(rowsOf(ui().lviewStationsAdded).contains(QStringList{"104", "10.0.0.1", "10.0.0.6"}));
    EXPECT_EQ(rowsOf(ui().lviewTrapServers), (QList<QStringList>{{"192.168.1.30", "ops"}}));
    EXPECT_EQ(ui().lviewDHCPServers->topLevelItemCount(), 0);

    QTemporaryDir folder;
    const QString path = folder.filePath("edited.qdv");
    files.answerNext(path);
    ui().mnuFileSave->trigger();
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(saved.readAll()).split("\r\n");
    for (const char *line : {"DNS=203.0.113.53", "SNMP COMMUNITY=ops;read", "SNMP TRAP=192.168.1.30;ops",
                             "IP ROUTE=10.9.0.0;16;192.168.1.254;Static", "RADIOIP=104;10.0.0.1;10.0.0.6"})
        EXPECT_TRUE(lines.contains(line)) << line;
    const qsizetype dhcp = lines.indexOf("DHCP RELAY=1;START");
    ASSERT_GE(dhcp, 0);
    EXPECT_EQ(lines.value(dhcp + 1), "DHCP RELAY=1;END");
}

TEST_F(ListEditingUpdate, ANewPasswordGoesThroughItsFieldsAndApply)
{
    connectAndRetrieve();
    QLineEdit *first = w->txtPassword(1);
    QLineEdit *second = w->txtPassword(2);
    EXPECT_FALSE(ui().cmdPasswordApply->isEnabled());

    // Different: the operator is told, both fields are emptied, nothing waits for the update.
    typeInto(first, "pw2");
    EXPECT_TRUE(ui().cmdPasswordApply->isEnabled());
    EXPECT_TRUE(ui().cmdPasswordClear->isEnabled());
    typeInto(second, "pw3");
    ui().cmdPasswordApply->click();
    EXPECT_EQ(boxes.titles(), QStringList{"Password Mismatch"});
    EXPECT_EQ(boxes.texts(), QStringList{"The passwords do not match. Please re-type."});
    EXPECT_EQ(first->text(), "");
    EXPECT_EQ(second->text(), "");
    EXPECT_FALSE(ui().cmdPasswordApply->isEnabled());
    EXPECT_EQ(transfer().NumberOfConfigurationChanges(), 0);

    // Both empty: no password.
    typeInto(first, "x");
    typeInto(first, "");
    ui().cmdPasswordApply->click();
    EXPECT_EQ(w->pendingNewPassword, "None");

    // The same twice: the update writes it.
    typeInto(first, "pw2");
    typeInto(second, "pw2");
    ui().cmdPasswordApply->click();
    EXPECT_EQ(first->text(), "");
    ASSERT_TRUE(update());
    EXPECT_EQ(writesSent(), (QStringList{"Set 06=pw2", "Set 60= 1"}));
    EXPECT_EQ(rows(), (QList<Row>{{"Setting new password...", "Success", "Check"}}));
}
