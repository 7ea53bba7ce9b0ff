// The configuration commands' preconditions and messages, the clearing of the configuration
// shown, and the transfer window.
#include "config/configuration_transfer.h"
#include "config/maintenance_commands.h"
#include "config/transfer_fixture.h"
#include "ui/configuration_commands.h"
#include "ui/configuration_display.h"
#include "ui_frmTevoHadraConfig.h"
#include "ui_frmUploadStatus.h"
#include "window_fixture.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>

class CommandsWithoutUnit : public WindowFixture
{
protected:
    config::ConfigurationTransfer &transfer()
    {
        if (!transfer_)
            transfer_ = new config::ConfigurationTransfer(*w);
        return *transfer_;
    }
    config::ConfigurationTransfer *transfer_ = nullptr;
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

class CommandsWithUnit : public TransferFixture
{
};

TEST_F(CommandsWithUnit, TheToolbarRefusesAnUpdateBeforeARetrievalAfterItsConnect)
{
    startUnit();
    ASSERT_TRUE(connectTelnetAndLogIn());
    w->bInitialConnect = true;
    startUpdate(*w, transfer(), true);
    EXPECT_EQ(boxes.titles(), QStringList{"Tip"});
    EXPECT_EQ(boxes.texts(),
              QStringList{"You must first retrieve the current configuration before you can modify it."});

    // The menu entry runs the update, which finds nothing retrieved to compare with.
    boxes.clear();
    startUpdate(*w, transfer(), false);
    EXPECT_EQ(boxes.texts(), QStringList{"Please Refresh/Retrieve the unit's configuration first"});

    // The toolbar's retrieval ends the refusal at once; the retrieval itself ends it too.
    retrieveConfiguration(*w, transfer(), true);
    EXPECT_FALSE(w->bInitialConnect);
    ASSERT_TRUE(transferIdle());
    boxes.clear();
    startUpdate(*w, transfer(), true);
    EXPECT_EQ(boxes.texts(), QStringList{"No changes have been made. No updates will be performed."});
}
