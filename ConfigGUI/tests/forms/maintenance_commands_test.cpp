// The maintenance commands against the simulated unit: each confirmation, No sending
// nothing, what Yes sends, the routing list read again, reboot and factory defaults ending
// the connection, and the password commands.
#include "field_typing.h"
#include "forms/maintenance_commands.h"
#include "transfer_fixture.h"
#include "forms/radio_enable_button.h"
#include "ui_frmTevoHadraConfig.h"
#include "window_fixture.h"

#include <QPushButton>

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

struct Confirmation
{
    const char *name;
    void (*command)(frmTevoHadraConfig &);
    QString title;
    QString text;
    MsgIcon icon;
};

const QString kLoadDefaultsOverTelnet =
    "Are you sure you wish to Load the Factory Defaults and Reboot the Device?\r\n"
    "The ethernet IP address will be LOST! \r\n"
    "You will have to connect directly via the serial port to continue configuring the device.\r\n"
    "\r\nThis command CANNOT be Undone";

const Confirmation kConfirmations[] = {
    {"flush ARP", forms::flushArpTable, "WARNING!", "Are you sure you wish to flush the ARP table?",
     MsgIcon::Exclamation},
    {"flush routes", forms::flushRoutingTable, "WARNING!",
     "Are you sure you wish to Flush the Routing Table?", MsgIcon::Exclamation},
    {"erase routes", forms::eraseRoutingTable, "WARNING!",
     "Are you sure you wish to Erase the Routing Table?\r\n\rTHIS COMMAND CAN NOT BE UNDONE",
     MsgIcon::Exclamation},
    {"reboot", forms::rebootDevice, "WARNING!", "Are you sure you wish to Reboot the device?",
     MsgIcon::Exclamation},
    {"defaults", forms::loadFactoryDefaults, "WARNING!", kLoadDefaultsOverTelnet, MsgIcon::Exclamation},
    {"no password", forms::resetPassword, "Warning",
     "Are you sure you wish to reset the device as having no password?", MsgIcon::Question},
};

} // namespace

class Maintenance : public TransferFixture
{
protected:
    QStringList routes() const
    {
        QStringList shown;
        for (const QStringList &row : rowsOf(w->ui->lviewRouterRoutes))
            shown << row.mid(0, 4).join(' ');
        return shown;
    }
};

TEST_F(Maintenance, EachCommandAsksFirstAndNoSendsNothing)
{
    connectAndRetrieve();
    const QStringList routesBefore = routes();
    for (const Confirmation &c : kConfirmations) {
        boxes.clear();
        boxes.answerNext(MsgAnswer::No);
        c.command(*w);
        ASSERT_EQ(boxes.shown().size(), 1) << c.name;
        EXPECT_EQ(boxes.shown()[0].title, c.title) << c.name;
        EXPECT_EQ(boxes.shown()[0].text, c.text) << c.name;
        EXPECT_EQ(boxes.shown()[0].buttons, MsgButtons::YesNo) << c.name;
        EXPECT_EQ(boxes.shown()[0].icon, c.icon) << c.name;
    }
    EXPECT_TRUE(commandsFrom(before).isEmpty());
    EXPECT_EQ(routes(), routesBefore);
    EXPECT_TRUE(w->pendingNewPassword.isEmpty());
    EXPECT_TRUE(w->telnetConnected());
}

TEST_F(Maintenance, WithoutAConnectionNothingIsAskedOrSent)
{
    startUnit();
    for (const Confirmation &c : kConfirmations)
        c.command(*w);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_TRUE(commandLines().isEmpty());
}

TEST_F(Maintenance, OverSerialTheDefaultsQuestionDoesNotMentionTheEthernetAddress)
{
    connectAndRetrieve(Transport::Serial);
    boxes.answerNext(MsgAnswer::No);
    forms::loadFactoryDefaults(*w);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].text,
              "Are you sure you wish to Load the Factory Defaults and Reboot the Device?\r\n"
              "\r\nThis command CANNOT be Undone");
}

TEST_F(Maintenance, FlushAndEraseReadTheRoutingTableAgain)
{
    connectAndRetrieve();
    const QStringList routesBefore = routes();
    ASSERT_TRUE(routesBefore.contains("172.16.0.0 255.255.0.0 10.0.0.2 Static"));
    ASSERT_TRUE(routesBefore.join(' ').contains("RIP"));

    forms::flushArpTable(*w);
    EXPECT_EQ(routes(), routesBefore); // emptied first, then refilled: not doubled
    forms::flushRoutingTable(*w);
    EXPECT_FALSE(routes().join(' ').contains("RIP")); // learned routes are gone
    EXPECT_TRUE(routes().contains("172.16.0.0 255.255.0.0 10.0.0.2 Static"));
    forms::eraseRoutingTable(*w);
    EXPECT_FALSE(routes().join(' ').contains("Static"));
    EXPECT_FALSE(routes().isEmpty()); // the unit's own direct routes stay
    EXPECT_EQ(commandsFrom(before),
              (QStringList{"arp flush", "Table 1", "Set 1D= 1", "Table 1", "Set 1E= 1", "Table 1"}));
}

TEST_F(Maintenance, RebootOverTelnetEndsTheConnection)
{
    connectAndRetrieve();
    forms::rebootDevice(*w);
    EXPECT_EQ(commandsFrom(before), QStringList{"Set 62= 1"});
    EXPECT_FALSE(w->telnetConnected());
}

TEST_F(Maintenance, RebootOverSerialTellsTheOperatorToWait)
{
    connectAndRetrieve(Transport::Serial);
    forms::rebootDevice(*w);
    EXPECT_EQ(commandsFrom(before), QStringList{"Set 62= 1"});
    EXPECT_TRUE(boxes.texts().contains("Please wait approximately one minute to allow the device to reboot"));
    EXPECT_FALSE(w->serialOpen());
}

TEST_F(Maintenance, FactoryDefaultsAreSavedBeforeTheReboot)
{
    connectAndRetrieve();
    w->ui->txtSNMPName->setText("unsaved");
    forms::loadFactoryDefaults(*w);
    EXPECT_EQ(commandsFrom(before), (QStringList{"Set 61= 1", "Set 60= 1", "Set 62= 1"}));
    EXPECT_FALSE(w->telnetConnected());
}

TEST_F(Maintenance, ThePasswordCommands)
{
    connectAndRetrieve();
    forms::resetPassword(*w);
    EXPECT_EQ(w->pendingNewPassword, "None");

    typeInto(w->txtPassword(1), "abc");
    typeInto(w->txtPassword(2), "abd");
    ASSERT_TRUE(w->ui->cmdPasswordClear->isEnabled());
    w->ui->cmdPasswordClear->click();
    EXPECT_EQ(w->txtPassword(1)->text(), "");
    EXPECT_EQ(w->txtPassword(2)->text(), "");
    EXPECT_FALSE(w->ui->cmdPasswordClear->isEnabled());
    EXPECT_FALSE(w->ui->cmdPasswordApply->isEnabled());
    EXPECT_EQ(w->pendingNewPassword, "None"); // Clear empties the fields, not the pending reset
    EXPECT_TRUE(commandsFrom(before).isEmpty());
}

TEST_F(Maintenance, InterfaceStatisticsAndTheRadioSwitch)
{
    connectAndRetrieve();
    w->ui->mnuDeviceInterfaceRefresh->trigger();
    EXPECT_EQ(w->ui->lviewIFStats->topLevelItemCount(), 3);
    w->ui->mnuDeviceInterfaceReset->trigger();
    EXPECT_EQ(w->ui->lviewIFStats->topLevelItemCount(), 3);

    ASSERT_EQ(radioEnableImage(*w), kRadioOnImage);
    forms::toggleRadio(*w);
    EXPECT_EQ(radioEnableImage(*w), kRadioOffImage);
    forms::toggleRadio(*w);
    EXPECT_EQ(radioEnableImage(*w), kRadioOnImage);
    EXPECT_EQ(commandsFrom(before),
              (QStringList{"Table 4", "Set 63= 1", "Table 4", "Set 52=0", "Get 52", "Set 52=1", "Get 52"}));
}
