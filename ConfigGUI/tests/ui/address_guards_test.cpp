// The address guards against the simulated unit: over telnet the Ethernet address changes
// only through "Change IP Address", which sends the change and disconnects; the radio
// address asks first and, changed, is written at once. Entered by mouse clicks on a shown,
// active window, as the operator does.
#include "field_typing.h"
#include "forms/transfer_fixture.h"
#include "ui/editors/frmIPAddress.h"
#include "ui_frmIPAddress.h"
#include "ui_frmTevoHadraConfig.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {
const QString kChangeRefused = QStringLiteral(
    "Sorry, you cannot change the IP address until all other changes have been saved to the device first.");
} // namespace

class AddressGuards : public TransferFixture
{
protected:
    void connectShown(Transport transport = Transport::Telnet)
    {
        connectAndRetrieve(transport);
        ASSERT_TRUE(showActive(*w));
        ui().SSTab1->setCurrentWidget(ui().tabEthernetRadio);
    }
    Ui::frmTevoHadraConfig &ui() { return *w->ui; }
    // Answers the next "Change IP Address" with an address and a netmask.
    void answerAddressDialog(const QString &address, const QString &netmask)
    {
        modals.onNextModal("frmIPAddress", [address, netmask](QDialog &dialog) {
            typeInto(dialog.findChild<QLineEdit *>("txtIP"), address);
            typeInto(dialog.findChild<QComboBox *>("cmboNetmask"), netmask);
            pressButton(dialog, "cmdOK");
        });
    }
    bool errorShown() const
    {
        for (const QString &title : boxes.titles())
            if (title.contains("Communication Error"))
                return true;
        return false;
    }
};

TEST_F(AddressGuards, ANewEthernetAddressIsSentAndTheConnectionCloses)
{
    connectShown();
    boxes.answerNext(MsgAnswer::Yes);
    answerAddressDialog("192.168.1.77", "16");
    clickInto(ui().txtEthernetIP);
    EXPECT_EQ(modals.handledCount("frmIPAddress"), 1);
    EXPECT_EQ(commandsFrom(before), QStringList{"ip address ethernet 192.168.1.77 16"});
    EXPECT_TRUE(waitForCondition([this] { return !w->telnetConnected(); }));
    EXPECT_EQ(unit->parameter("10"), "192.168.1.77");
    EXPECT_EQ(unit->parameter("11"), "16");
    ASSERT_FALSE(boxes.shown().isEmpty());
    EXPECT_EQ(boxes.shown()[0].text,
              "Commit the changes and disconnect? (It make take a few minutes for the device "
              "to respond to a new telnet connection)");
    EXPECT_EQ(boxes.shown()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(boxes.shown()[0].icon, MsgIcon::Question);
    EXPECT_FALSE(errorShown());
    EXPECT_EQ(ui().txtEthernetIP->text(), "192.168.1.77");
    EXPECT_EQ(w->cmboNetmask(0)->currentText(), "16");
}

TEST_F(AddressGuards, FromTheNetmaskListUnchangedValuesSendNothing)
{
    connectShown();
    modals.onNextModal("frmIPAddress", [](QDialog &dialog) { pressButton(dialog, "cmdOK"); });
    clickInto(w->cmboNetmask(0));
    EXPECT_EQ(modals.handledCount("frmIPAddress"), 1);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_TRUE(commandsFrom(before).isEmpty());
    EXPECT_TRUE(w->telnetConnected());
}

TEST_F(AddressGuards, WithChangesPendingTheEthernetAddressIsRefused)
{
    connectShown();
    ui().txtSNMPName->setText("Mast 2");
    clickInto(ui().txtEthernetIP);
    clickInto(ui().txtLocalID);
    clickInto(w->cmboNetmask(1));
    EXPECT_EQ(boxes.texts(), (QStringList{kChangeRefused, kChangeRefused}));
    EXPECT_EQ(boxes.titles(), (QStringList{"WARNING", "WARNING"}));
    EXPECT_EQ(modals.handledCount("frmIPAddress"), 0);
    EXPECT_TRUE(commandsFrom(before).isEmpty());
}

TEST_F(AddressGuards, OverSerialTheAddressIsEditedInPlace)
{
    connectShown(Transport::Serial);
    ui().txtSNMPName->setText("Mast 2");
    clickInto(ui().txtEthernetIP);
    typeInto(ui().txtEthernetIP, "192.168.1.9");
    EXPECT_EQ(ui().txtEthernetIP->text(), "192.168.1.9");
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(modals.handledCount("frmIPAddress"), 0);
}

TEST_F(AddressGuards, WithChangesPendingTheRadioAddressIsLocked)
{
    connectShown();
    ui().txtSNMPName->setText("Mast 2");
    clickInto(ui().txtRadioIP);
    EXPECT_EQ(boxes.texts(), QStringList{kChangeRefused});
    EXPECT_TRUE(ui().txtRadioIP->isReadOnly());
}

TEST_F(AddressGuards, TheRadioAddressAsksFirstAndAChangeIsWrittenAtOnce)
{
    connectShown();
    boxes.answerNext(MsgAnswer::No);
    clickInto(ui().txtRadioIP);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].text,
              "Misconfiguring the radio IP address could render the unit inaccessible.\r"
              "Are you sure you want to change it?");
    EXPECT_EQ(boxes.shown()[0].title, "WARNING");
    EXPECT_EQ(boxes.shown()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(boxes.shown()[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(ui().txtRadioIP->isReadOnly());

    clickInto(ui().txtLocalID);
    boxes.answerNext(MsgAnswer::Yes);
    clickInto(ui().txtRadioIP);
    EXPECT_FALSE(ui().txtRadioIP->isReadOnly());
    typeInto(ui().txtRadioIP, "10.0.0.9");
    QTest::keyClick(ui().txtRadioIP, Qt::Key_Return); // Enter moves on to the local ID
    EXPECT_TRUE(boxes.texts().contains("The unit must have its radio configuration updated immediately"));
    ASSERT_TRUE(transferIdle());
    EXPECT_EQ(commandsFrom(before).mid(0, 2), (QStringList{"Set 12=10.0.0.9", "Set 60= 1"}));
    EXPECT_EQ(unit->parameter("12"), "10.0.0.9");
    EXPECT_EQ(rows().value(0).state, "Success");
}

// Nothing in the window opens the dialog for the radio address (that field is edited in
// place); the dialog itself can: it has no netmask then and uses the radio address setter.
TEST_F(AddressGuards, TheDialogForTheRadioAddressUsesItsSetter)
{
    connectShown();
    boxes.answerNext(MsgAnswer::Yes);
    auto *dialog = new frmIPAddress(*w, ui().txtRadioIP, nullptr, true);
    EXPECT_TRUE(dialog->ui->cmboNetmask->isHidden());
    modals.onNextModal("frmIPAddress", [](QDialog &d) {
        typeInto(d.findChild<QLineEdit *>("txtIP"), "10.0.0.8");
        pressButton(d, "cmdOK");
    });
    dialog->exec();
    EXPECT_EQ(commandsFrom(before), QStringList{"Set 12=10.0.0.8"});
    EXPECT_EQ(unit->parameter("12"), "10.0.0.8");
    EXPECT_FALSE(w->telnetConnected());
    EXPECT_FALSE(errorShown());
}
