// Retrieval and update against the simulated unit, over telnet and over the serial
// pseudo-terminal: the commands the unit receives, the transfer window's rows, the snapshot.
#include "forms/maintenance_commands.h"
#include "forms/retrieval_steps.h"
#include "transfer_fixture.h"
#include "ui_frmTevoHadraConfig.h"
#include "ui_frmUploadStatus.h"

#include <QCheckBox>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

using platform::MsgAnswer;

TEST(RetrievalSteps, SendFortySixCommandsInTheTablesOrder)
{
    QStringList sent;
    QList<int> silentSteps;
    for (int step = 1; step <= forms::kRetrievalSteps; ++step) {
        const auto commands = forms::retrievalStepCommands(step);
        if (commands.isEmpty())
            silentSteps << step;
        for (const linkset::DeviceCommand &command : commands)
            sent << command.text;
    }
    EXPECT_EQ(silentSteps, (QList<int>{18, 19, 48}));
    EXPECT_EQ(sent, retrievalCommands());
    // The first read does not wait for a prompt over serial and gives up after 5 seconds.
    const linkset::DeviceCommand first = forms::retrievalStepCommands(1).first();
    EXPECT_TRUE(first.serial.skipPromptWait);
    EXPECT_EQ(first.serial.seconds, 5.0);
    EXPECT_FALSE(forms::retrievalStepCommands(2).first().serial.skipPromptWait);
}

class TransferOverBoth : public TransferFixture, public ::testing::WithParamInterface<Transport>
{
};

INSTANTIATE_TEST_SUITE_P(Transports, TransferOverBoth,
                         ::testing::Values(Transport::Telnet, Transport::Serial), [](const auto &info) {
                             return info.param == Transport::Telnet ? std::string("Telnet")
                                                                    : std::string("Serial");
                         });

TEST_P(TransferOverBoth, RetrievalSendsTheTableInOrderFillsTheFormAndTakesTheSnapshot)
{
    startUnit();
    ASSERT_TRUE(connectAndLogIn(GetParam()));
    w->bInitialConnect = true;
    before = commandCount();
    ASSERT_TRUE(retrieve());

    EXPECT_EQ(commandsFrom(before), retrievalCommands());
    EXPECT_EQ(transfer().RetrieveStep, 1);
    EXPECT_FALSE(w->bInitialConnect);
    EXPECT_TRUE(waitForCondition([this] { return transfer().uploadStatus.isNull(); }));
    EXPECT_EQ(w->ui->txtSNMPName->text(), "Hadra Base");
    EXPECT_EQ(w->ui->txtQDVVersion->text(), "Hadra v2.4");
    EXPECT_EQ(w->ui->lviewDNSServers->topLevelItemCount(), 2);
    EXPECT_FALSE(w->chkRoutingMode(1)->isHidden()); // "Capability" named RIP, "IP RIP" its state

    forms::ConfigRecord shown;
    forms::ReadFormConfig(*w, shown);
    EXPECT_EQ(*transfer().retrievedRecord, shown);
    EXPECT_TRUE(boxes.shown().isEmpty()) << qPrintable(boxes.texts().join(" | "));
}

TEST_P(TransferOverBoth, ChangingTheSystemNameWritesOneEntryThenSavesAndValidates)
{
    startUnit();
    ASSERT_TRUE(connectAndLogIn(GetParam()));
    ASSERT_TRUE(retrieve());
    w->ui->txtSNMPName->setText("Mast 2");
    before = commandCount();
    ASSERT_TRUE(update());

    EXPECT_EQ(commandsFrom(before), (QStringList{"Set 01=Mast 2", "Set 60= 1"} + retrievalCommands()));
    EXPECT_EQ(rows(), (QList<Row>{{"Changing System Name..", "Success", "Check"}}));
    frmUploadStatus *status = transfer().uploadStatus;
    ASSERT_TRUE(status);
    EXPECT_EQ(status->ui->ARTransferBar->value(), 48);
    EXPECT_TRUE(status->ui->cmdOK->isEnabled());
    EXPECT_FALSE(transfer().blnCompareMode);
    EXPECT_EQ(w->strStatusText, "Retrieving Configuration from Device...");
    EXPECT_EQ(unit->parameter("01"), "Mast 2");
    EXPECT_EQ(transfer().retrievedRecord->systemName, "Mast 2");

    // The transfer window stays until the operator closes it.
    status->ui->cmdOK->click();
    EXPECT_TRUE(waitForCondition([this] { return transfer().uploadStatus.isNull(); }));
    EXPECT_EQ(transfer().NumberOfConfigurationChanges(), 0);
}

class Transfer : public TransferFixture
{
protected:
    void SetUp() override { connectAndRetrieve(Transport::Telnet, options); }
    unitsim::UnitOptions options;
};

TEST_F(Transfer, WithNothingChangedTheUpdateSaysSoAndSendsNothing)
{
    EXPECT_TRUE(update());
    EXPECT_EQ(boxes.texts(), QStringList{"No changes have been made. No updates will be performed."});
    EXPECT_EQ(boxes.shown()[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_TRUE(commandsFrom(before).isEmpty());
    EXPECT_TRUE(transfer().uploadStatus.isNull());
}

class RefusingUnit : public Transfer
{
protected:
    void SetUp() override
    {
        options.faults.refuseWritesOfCode = "01";
        Transfer::SetUp();
    }
};

TEST_F(RefusingUnit, ARefusedWriteIsMarkedErrorWithTheXPicture)
{
    w->ui->txtSNMPName->setText("Mast 2");
    w->ui->txtSNMPContact->setText("Ops desk");
    ASSERT_TRUE(update());
    EXPECT_EQ(rows(), (QList<Row>{{"Changing System Name..", "Error", "X"},
                                  {"Changing System Contact info..", "Success", "Check"}}));
    EXPECT_EQ(w->ui->txtSNMPName->text(), "Hadra Base");
}

TEST_F(Transfer, APasswordResetWritesAnEmptyPasswordOnce)
{
    boxes.answerNext(MsgAnswer::Yes);
    forms::resetPassword(*w);
    EXPECT_EQ(transfer().NumberOfConfigurationChanges(), 1);
    ASSERT_TRUE(update());
    EXPECT_EQ(commandsFrom(before).mid(0, 2), (QStringList{"Set 06=", "Set 60= 1"}));
    EXPECT_EQ(rows(), (QList<Row>{{"Setting new password...", "Success", "Check"}}));
    // Written: the next update has nothing to write.
    EXPECT_TRUE(w->pendingNewPassword.isEmpty());
    EXPECT_EQ(transfer().NumberOfConfigurationChanges(), 0);
}

TEST_F(Transfer, TheRemoteStationNoteComesOncePerUpdate)
{
    w->ui->txtRadioIP->setText("10.0.0.9");
    addListItem(w->ui->lviewStationsAdded, {"107", "", ""});
    addListItem(w->ui->lviewStationsAdded, {"108", "", ""});
    ASSERT_TRUE(update());
    ASSERT_FALSE(boxes.shown().isEmpty());
    EXPECT_EQ(boxes.shown()[0].title, "NOTE!");
    EXPECT_EQ(boxes.shown()[0].text, "Please configure the remote station prior to saving changes.");
    EXPECT_EQ(boxes.shown()[0].icon, platform::MsgIcon::None);
    EXPECT_EQ(boxes.titles().count("NOTE!"), 1);
    // The pending-change count is a silent question.
    boxes.clear();
    transfer().NumberOfConfigurationChanges();
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(Transfer, ACommandWaitingForTheUnitHoldsTheRetrievalBackWithoutLosingAStep)
{
    // Another exchange is waiting for its prompt: the steps are not run, and nothing is sent.
    w->exchangeInProgress = true;
    transfer().StartRetrieval();
    QTimer::singleShot(100, [this] { w->exchangeInProgress = false; });
    EXPECT_TRUE(waitForCondition([this] { return commandCount() > before; }, 5000));
    ASSERT_TRUE(transferIdle());
    EXPECT_EQ(commandsFrom(before), retrievalCommands());
    EXPECT_TRUE(transfer().retrievedRecord.has_value());
}

// A unit that closes the session after the 48th command: the retrieval's 46 and the first
// writes of the update go through, then the connection is gone.
class ClosingUnit : public Transfer
{
protected:
    void SetUp() override
    {
        options.faults.closeAfterCommands = 48;
        Transfer::SetUp();
    }
};

TEST_F(ClosingUnit, ADroppedConnectionStopsTheUpdateAndLeavesTheWindowUsable)
{
    w->ui->txtSNMPName->setText("Mast 2");
    w->ui->txtSNMPContact->setText("Ops desk");
    w->ui->txtSNMPLocation->setText("Roof");
    ASSERT_TRUE(update());
    // The third write went out (or not) as the connection closed; the save never did.
    EXPECT_EQ(commandsFrom(before).mid(0, 2), (QStringList{"Set 01=Mast 2", "Set 02=Ops desk"}));
    EXPECT_FALSE(commandsFrom(before).contains("Set 60= 1"));
    EXPECT_EQ(rows(), (QList<Row>{{"Changing System Name..", "Validating", "Timer"},
                                  {"Changing System Contact info..", "Validating", "Timer"},
                                  {"Changing System Location info..", "Writing", "Timer"}}));
    frmUploadStatus *status = transfer().uploadStatus;
    ASSERT_TRUE(status);
    EXPECT_EQ(status->ui->lblStatusInfo->text(), "Update stopped. The connection to the device was closed.");
    EXPECT_EQ(boxes.texts(), QStringList{"Connection to Host lost!"});
    EXPECT_FALSE(w->telnetConnected());
    EXPECT_FALSE(transfer().isBusy());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    status->ui->cmdOK->click();
    EXPECT_TRUE(waitForCondition([this] { return transfer().uploadStatus.isNull(); }));
}

using ClosingEarly = TransferFixture;

TEST_F(ClosingEarly, ADroppedConnectionStopsTheRetrievalAndTheWindowCanBeClosed)
{
    startUnit(withFaults([](auto &faults) { faults.closeAfterCommands = 10; }));
    ASSERT_TRUE(connectTelnetAndLogIn());
    before = commandCount();
    transfer().StartRetrieval();
    ASSERT_TRUE(transferIdle());
    EXPECT_EQ(commandsFrom(before), retrievalCommands().mid(0, 10));
    EXPECT_FALSE(transfer().retrievedRecord.has_value());
    EXPECT_EQ(transfer().RetrieveStep, 1);
    frmUploadStatus *status = transfer().uploadStatus;
    ASSERT_TRUE(status);
    EXPECT_EQ(status->ui->lblStatusInfo->text(),
              "Retrieval stopped. The connection to the device was closed.");
    EXPECT_TRUE(status->ui->cmdOK->isEnabled());
    status->close();
    EXPECT_TRUE(waitForCondition([this] { return transfer().uploadStatus.isNull(); }));
    // Nothing retrieved: an update is refused until a retrieval has ended.
    boxes.clear();
    transfer().UpdateConfiguration();
    EXPECT_EQ(boxes.texts(), QStringList{"Please Refresh/Retrieve the unit's configuration first"});
}

TEST_F(ClosingEarly, AStepThatTimedOutIsRepeatedOnce)
{
    startUnit(withFaults([](auto &faults) { faults.dropReplyOfCommand = 1; }));
    ASSERT_TRUE(connectSerialAndLogIn());
    before = commandCount();
    ASSERT_TRUE(retrieve());
    EXPECT_EQ(commandsFrom(before), (QStringList{"Get 01"} + retrievalCommands()));
    EXPECT_EQ(boxes.titles(), (QStringList{"Warning", "Serial Communication Error: 1001"}));
}
