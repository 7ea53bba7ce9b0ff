// The configuration commands' preconditions and messages, the clearing of the configuration
// shown, and the transfer window.
#include "forms/configuration_transfer.h"
#include "forms/maintenance_commands.h"
#include "forms/transfer_fixture.h"
#include "ui/configuration_commands.h"
#include "forms/configuration_display.h"
#include "ui_frmTevoHadraConfig.h"
#include "ui_frmUploadStatus.h"
#include "window_fixture.h"

#include <QAction>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

class CommandsWithoutUnit : public WindowFixture
{
protected:
    forms::ConfigurationTransfer &transfer() { return w->configurationTransfer(); }
};

TEST_F(CommandsWithoutUnit, RetrieveAndUpdateNeedAConnection)
{
    for (const bool fromToolbar : {false, true}) {
        retrieveConfiguration(*w, transfer(), fromToolbar);
        startUpdate(*w, transfer(), fromToolbar);
    }
    EXPECT_EQ(boxes.texts(), QStringList(4, "Please open a connection to the device first"));
    for (const platform::MessageBox &box : boxes.shown())
        EXPECT_EQ(box.icon, platform::MsgIcon::Exclamation);
    EXPECT_FALSE(w->tmrSlowImport->isActive());
    EXPECT_TRUE(transfer().uploadStatus.isNull());
}

TEST_F(CommandsWithoutUnit, TheMenusToolbarAndButtonsReachTheirCommands)
{
    for (QAction *action : {ui().mnuDeviceRetrieveConfig, w->tlbrMainButton("RefreshConfig"),
                            ui().mnuDeviceUpdateConfig, w->tlbrMainButton("UpdateConfig")})
        action->trigger();
    EXPECT_EQ(boxes.texts(), QStringList(4, "Please open a connection to the device first"));

    // The forms view's file commands ask for a configuration file.
    for (QAction *action :
         {ui().mnuFileSave, w->tlbrMainButton("Save"), ui().mnuFileLoad, w->tlbrMainButton("Import")})
        action->trigger();
    QStringList titles;
    for (const platform::FileDialogRequest &request : files.requests())
        titles << request.title;
    EXPECT_EQ(titles, (QStringList{"Save Configuration to File", "Save Configuration to File",
                                   "Import Configuration from File", "Import Configuration from File"}));

    w->txtPassword(1)->setText("new");
    w->txtPassword(2)->setText("new");
    ui().cmdPasswordClear->setEnabled(true);
    ui().cmdPasswordClear->click();
    EXPECT_EQ(w->txtPassword(1)->text() + w->txtPassword(2)->text(), "");

    // The terminal view takes the Device menu's configuration entries away.
    ui().mnuWindowUseTerminal->trigger();
    EXPECT_FALSE(ui().mnuDeviceRetrieveConfig->isEnabled());
    EXPECT_FALSE(ui().mnuDeviceUpdateConfig->isEnabled());
    ui().mnuWindowUseForms->trigger();
    EXPECT_TRUE(ui().mnuDeviceRetrieveConfig->isEnabled());
    EXPECT_TRUE(ui().mnuDeviceUpdateConfig->isEnabled());
}

TEST_F(CommandsWithoutUnit, ClearingTheDisplayEmptiesTheUnitsSettingsOnly)
{
    feed("GET=1;01=Name;02=Contact;10=192.168.1.1;04=Hadra v2.4;05=SN1\r\n"
         "DNS=192.0.2.1\r\nDHCP RELAY=192.0.2.2\r\nSNMP COMMUNITY=public;R\r\nIP "
         "ROUTE=1.0.0.0;255.0.0.0;2.2.2.2;Static\r\n"
         "RADIOIP=5;10.0.0.1;10.0.0.5\r\nSNMP TRAP=1.1.1.1;public\r\nGET=1;30=1\r\n");
    ui().txtTerm->setPlainText("typed earlier");
    ui().txtLogFileName->setText("link.log");
    ui().txtLogSeconds->setText("10");
    w->txtPassword(1)->setText("pw");
    w->blnTerminalTyped = true;
    ASSERT_TRUE(ui().fraDHCPServers->isEnabled());

    ClearConfigurationDisplay(*w);
    for (QLineEdit *text : {ui().txtSNMPName, ui().txtSNMPContact, ui().txtEthernetIP, ui().txtQDVVersion,
                            ui().txtESN, ui().txtRadioIP, w->txtPassword(1)})
        EXPECT_EQ(text->text(), "") << qPrintable(text->objectName());
    for (QTreeWidget *list : {ui().lviewStationsAdded, ui().lviewRouterRoutes, ui().lviewSNMPCommunities,
                              ui().lviewTrapServers, ui().lviewDNSServers, ui().lviewDHCPServers})
        EXPECT_EQ(list->topLevelItemCount(), 0) << qPrintable(list->objectName());
    EXPECT_TRUE(w->option("optDHCPMode", 0)->isChecked());
    EXPECT_FALSE(ui().fraDHCPServers->isEnabled());
    EXPECT_FALSE(w->blnTerminalTyped);
    EXPECT_EQ(ui().txtTerm->toPlainText(), "typed earlier");
    EXPECT_EQ(ui().txtLogFileName->text(), "link.log");
    EXPECT_EQ(ui().txtLogSeconds->text(), "10");
}

TEST_F(CommandsWithoutUnit, TheTransferWindowShowsEachRowsStateAndClosesOnlyWhenAllowed)
{
    auto *status = new frmUploadStatus(*w);
    QPointer<frmUploadStatus> alive = status;
    status->show();
    EXPECT_EQ(status->windowTitle(), "Transfer in Progress");
    EXPECT_TRUE(status->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(status->ui->lviewUpdates->headerItem()->text(0), "Command");
    EXPECT_EQ(status->ui->lviewUpdates->headerItem()->text(1), "Status");
    status->addEntry("Changing System Name..");
    status->addEntry("Adding DNS Server: 192.0.2.1..");
    EXPECT_EQ(status->entryState(0), "Waiting");
    EXPECT_EQ(status->entryPicture(0), "Timer");
    status->setEntryState(0, "Success");
    status->setEntryState(1, "Error");
    EXPECT_EQ(status->entryPicture(0), "Check");
    EXPECT_EQ(status->entryPicture(1), "X");
    EXPECT_FALSE(status->ui->lviewUpdates->topLevelItem(1)->icon(0).isNull());

    EXPECT_FALSE(status->ui->cmdOK->isEnabled());
    status->close();
    EXPECT_TRUE(status->isVisible()); // still transferring
    status->allowClosing();
    status->ui->cmdOK->click();
    EXPECT_TRUE(waitForCondition([&] { return alive.isNull(); }));
}

using CommandsWithUnit = TransferFixture;

TEST_F(CommandsWithUnit, TheToolbarRefusesAnUpdateBeforeARetrievalAfterItsConnect)
{
    startUnit();
    ASSERT_TRUE(connectTelnetAndLogIn());
    w->bInitialConnect = true;
    w->tlbrMainButton("UpdateConfig")->trigger();
    EXPECT_EQ(boxes.titles(), QStringList{"Tip"});
    EXPECT_EQ(boxes.texts(),
              QStringList{"You must first retrieve the current configuration before you can modify it."});

    // The menu entry runs the update, which finds nothing retrieved to compare with.
    boxes.clear();
    w->ui->mnuDeviceUpdateConfig->trigger();
    EXPECT_EQ(boxes.texts(), QStringList{"Please Refresh/Retrieve the unit's configuration first"});

    // The toolbar's retrieval ends the refusal at once; the retrieval itself ends it too.
    w->tlbrMainButton("RefreshConfig")->trigger();
    EXPECT_FALSE(w->bInitialConnect);
    ASSERT_TRUE(transferIdle());
    boxes.clear();
    w->tlbrMainButton("UpdateConfig")->trigger();
    EXPECT_EQ(boxes.texts(), QStringList{"No changes have been made. No updates will be performed."});
}

TEST_F(CommandsWithUnit, MaintenanceButtonsAskAndTheFormsViewReadsAgainWhatTheTerminalMayHaveChanged)
{
    startUnit();
    ASSERT_TRUE(connectTelnetAndLogIn());
    const int before = commandCount();
    for (QPushButton *button : {w->ui->cmdFlushArpTable, w->ui->cmdFlushRoutingTable,
                                w->ui->cmdEraseRoutingTable, w->ui->cmdReboot, w->ui->cmdLoadDefaults}) {
        boxes.answerNext(platform::MsgAnswer::No);
        button->click();
    }
    w->ui->mnuDeviceRouteTableFlush->trigger(); // the menu's twin of the flush button
    EXPECT_EQ(boxes.shown().size(), 5u + 1u);
    EXPECT_EQ(commandsFrom(before), (QStringList{"Set 1D= 1", "Table 1"}));

    w->ui->mnuWindowUseTerminal->trigger();
    w->blnTerminalTyped = true;
    w->ui->mnuWindowUseForms->trigger();
    EXPECT_TRUE(w->tmrSlowImport->isActive());
    ASSERT_TRUE(transferIdle());
    EXPECT_TRUE(transfer().retrievedRecord.has_value());
}
