// The safeguards around an update, against the simulated unit over telnet and serial: the
// review before writing, the automatic backup, Restore Previous Values, and the File menu's
// backup entries. The per-user data folder is a temporary one.
#include "dialogs/frmReviewUpdate.h"
#include "field_typing.h"
#include "forms/configuration_backups.h"
#include "forms/update_review.h"
#include "review_row_printing.h"
#include "session/mscomm.h"
#include "transfer_fixture.h"
#include "ui_frmReviewUpdate.h"
#include "ui_frmTevoHadraConfig.h"
#include "ui_frmUploadStatus.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

using forms::ReviewRow;

namespace {

// Records the folders handed to the desktop instead of opening them.
class RecordingUrlOpener : public platform::UrlOpener
{
public:
    bool open(const QUrl &url) override
    {
        opened << url;
        return true;
    }
    QList<QUrl> opened;
};

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file's permission bits, as chmod shows them.
int modeOf(const QString &path)
{
    return int(std::filesystem::status(path.toStdString()).permissions() & std::filesystem::perms::mask);
}

} // namespace

class UpdateSafeguards : public TransferFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(data.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    }
    void TearDown() override
    {
        TransferFixture::TearDown();
        qunsetenv("XDG_DATA_HOME");
    }

    // Connects, retrieves, and turns the review on through the Utilities menu.
    void connectWithReview(Transport transport, unitsim::UnitOptions options = {})
    {
        connectAndRetrieve(transport, options);
        w->setUrlOpener(&opener);
        ASSERT_FALSE(w->ui->mnuUtilitiesReviewUpdates->isChecked());
        w->ui->mnuUtilitiesReviewUpdates->trigger();
        ASSERT_TRUE(forms::reviewWanted());
    }

    // Answers the next review: its rows are noted in `reviewed`, then `button` is pressed.
    void answerReview(const char *button)
    {
        modals.onNextModal(QStringLiteral("frmReviewUpdate"), [this, button](QDialog &dialog) {
            const QTreeWidget &list = *dialog.findChild<QTreeWidget *>(QStringLiteral("lviewReview"));
            reviewed.clear();
            for (int g = 0; g < list.topLevelItemCount(); ++g) {
                const QTreeWidgetItem &group = *list.topLevelItem(g);
                for (int i = 0; i < group.childCount(); ++i)
                    reviewed.append({group.text(0), group.child(i)->text(0), group.child(i)->text(1),
                                     group.child(i)->text(2)});
            }
            pressButton(dialog, QLatin1String(button));
        });
    }

    // Device > Update Configuration to Device, then the update awaited.
    bool updateFromMenu()
    {
        w->ui->mnuDeviceUpdateConfig->trigger();
        return transferIdle();
    }

    QString unitFolder() const { return forms::backupsFolder() + QStringLiteral("/HD2401175"); }
    QStringList backups(const QString &folder) const
    {
        return QDir(folder).entryList({QStringLiteral("*.qdv")}, QDir::Files, QDir::Name);
    }

    QTemporaryDir data;
    RecordingUrlOpener opener;
    QList<ReviewRow> reviewed;
};

class UpdateSafeguardsOverTransport : public UpdateSafeguards, public ::testing::WithParamInterface<Transport>
{
};

INSTANTIATE_TEST_SUITE_P(Transports, UpdateSafeguardsOverTransport,
                         ::testing::Values(Transport::Telnet, Transport::Serial), [](const auto &info) {
                             return info.param == Transport::Telnet ? "Telnet" : "Serial";
                         });

TEST_P(UpdateSafeguardsOverTransport, TheReviewListsEveryEntryAndCancelSendsNothing)
{
    connectWithReview(GetParam());
    w->ui->txtSNMPName->setText("Mast 2");
    w->ui->txtSNMPContact->clear();
    addListItem(w->ui->lviewDNSServers, {"203.0.113.53"});
    ASSERT_TRUE(showActive(*w));
    w->ui->SSTab1->setCurrentWidget(w->ui->tabUtilities);
    typeInto(w->txtPassword(1), "s3cret");
    typeInto(w->txtPassword(2), "s3cret");
    w->ui->cmdPasswordApply->click();
    answerReview("cmdCancel");
    ASSERT_TRUE(updateFromMenu());
    ASSERT_EQ(modals.handledCount("frmReviewUpdate"), 1);
    EXPECT_EQ(reviewed, (QList<ReviewRow>{
                            {"SNMP/DNS", "System Name", "Hadra Base", "Mast 2"},
                            {"SNMP/DNS", "System Contact", "Network Operations", "(none)"},
                            {"SNMP/DNS", "DNS Servers", "(none)", "203.0.113.53"},
                            {"Utilities/Tools", "New Password", "(hidden)", "(changed)"},
                        }));
    EXPECT_TRUE(commandsFrom(before).isEmpty());
    EXPECT_TRUE(transfer().uploadStatus.isNull());
    EXPECT_FALSE(QFileInfo::exists(forms::backupsFolder())) << "a cancelled update backs nothing up";
    EXPECT_EQ(w->pendingNewPassword, "s3cret") << "the password is still to be written";
}

TEST_P(UpdateSafeguardsOverTransport, TheBackupIsASaveOfTheRetrievedConfigurationMadeBeforeTheWrites)
{
    connectWithReview(GetParam());
    const QString saved = data.filePath("saved.qdv");
    files.answerNext(saved);
    w->ui->mnuFileSave->trigger();
    ASSERT_TRUE(QFileInfo::exists(saved));

    w->ui->txtSNMPLocation->setText("Roof 9");
    answerReview("cmdWrite");
    ASSERT_TRUE(updateFromMenu());
    EXPECT_EQ(commandsFrom(before).mid(0, 2), (QStringList{"Set 03=Roof 9", "Set 60= 1"}));
    EXPECT_EQ(rows(), (QList<Row>{{"Changing System Location info..", "Success", "Check"}}));

    const QStringList made = backups(unitFolder());
    ASSERT_EQ(made.size(), 1);
    const QString backup = unitFolder() + QLatin1Char('/') + made[0];
    EXPECT_EQ(contentOf(backup), contentOf(saved));
    EXPECT_TRUE(made[0].contains(QRegularExpression("^\\d{8}-\\d{6}-\\d{3}\\.qdv$"))) << qPrintable(made[0]);
    EXPECT_EQ(modeOf(backup), 0600);
    for (const QString &folder : {forms::backupsFolder(), unitFolder()})
        EXPECT_EQ(modeOf(folder), 0700) << qPrintable(folder);
}

TEST_P(UpdateSafeguardsOverTransport, RestorePreviousValuesWritesBackWhatTheUnitAccepted)
{
    unitsim::UnitOptions options;
    options.faults.refuseWritesOfCode = "02";
    connectWithReview(GetParam(), options);
    w->ui->txtSNMPName->setText("Mast 2");
    w->ui->txtSNMPContact->setText("Ops desk");
    w->ui->txtSNMPLocation->setText("Roof 9");
    answerReview("cmdWrite");
    ASSERT_TRUE(updateFromMenu());
    ASSERT_EQ(rows(), (QList<Row>{{"Changing System Name..", "Success", "Check"},
                                  {"Changing System Contact info..", "Error", "X"},
                                  {"Changing System Location info..", "Success", "Check"}}));
    QPushButton *restore = transfer().uploadStatus->ui->cmdRestore;
    ASSERT_TRUE(restore->isVisible());

    const int mark = commandCount();
    answerReview("cmdWrite");
    restore->click();
    ASSERT_TRUE(transferIdle());
    EXPECT_EQ(reviewed, (QList<ReviewRow>{{"SNMP/DNS", "System Name", "Mast 2", "Hadra Base"},
                                          {"SNMP/DNS", "System Location", "Roof 9", "North Tower"}}));
    EXPECT_EQ(commandsFrom(mark),
              (QStringList{"Set 01=Hadra Base", "Set 03=North Tower", "Set 60= 1"} + retrievalCommands()));
    EXPECT_EQ(rows(), (QList<Row>{{"Changing System Name..", "Success", "Check"},
                                  {"Changing System Location info..", "Success", "Check"}}));
    EXPECT_FALSE(transfer().uploadStatus->ui->cmdRestore->isVisible()) << "nothing failed this time";
    EXPECT_EQ(unit->parameter("01"), "Hadra Base");
    EXPECT_EQ(unit->parameter("03"), "North Tower");
    EXPECT_EQ(backups(unitFolder()).size(), 2) << "the restore is backed up like any update";
}

TEST_P(UpdateSafeguardsOverTransport, ABackupFolderThatIsAFileStopsTheUpdateBeforeAnythingIsSent)
{
    connectWithReview(GetParam());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(forms::backupsFolder()).path()));
    QFile blocker(forms::backupsFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    w->ui->txtSNMPName->setText("Mast 2");
    answerReview("cmdWrite");
    ASSERT_TRUE(updateFromMenu());
    EXPECT_TRUE(commandsFrom(before).isEmpty());
    EXPECT_TRUE(transfer().uploadStatus.isNull());
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(
        boxes.texts()[0].startsWith("The configuration retrieved from the unit could not be backed up, "
                                    "so nothing was written to the device."))
        << qPrintable(boxes.texts()[0]);
    EXPECT_TRUE(boxes.texts()[0].contains("is not a folder"));
    EXPECT_EQ(boxes.shown()[0].icon, platform::MsgIcon::Critical);
}

class UpdateSafeguardsOverTelnet : public UpdateSafeguards
{
protected:
    void SetUp() override
    {
        UpdateSafeguards::SetUp();
        connectWithReview(Transport::Telnet);
    }
    // Changes the system name and writes it through the review with the keyboard.
    bool updateName(const QString &name)
    {
        w->ui->txtSNMPName->setText(name);
        modals.onNextModal(QStringLiteral("frmReviewUpdate"),
                           [](QDialog &dialog) { QTest::keyClick(&dialog, Qt::Key_Return); });
        const bool idle = updateFromMenu();
        if (transfer().uploadStatus)
            transfer().uploadStatus->close();
        return idle;
    }
};

TEST_F(UpdateSafeguardsOverTelnet, TheTwentyFirstBackupRemovesTheOldest)
{
    ASSERT_TRUE(QDir().mkpath(unitFolder()));
    QStringList old;
    for (int i = 0; i < forms::kBackupsKept; ++i) {
        old << QStringLiteral("20250101-0000%1-000.qdv").arg(i, 2, 10, QLatin1Char('0'));
        QFile file(unitFolder() + QLatin1Char('/') + old.last());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QFile notes(unitFolder() + QStringLiteral("/notes.txt"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));

    ASSERT_TRUE(updateName("Mast 2"));
    const QStringList kept = backups(unitFolder());
    ASSERT_EQ(kept.size(), forms::kBackupsKept);
    EXPECT_EQ(kept.mid(0, forms::kBackupsKept - 1), old.mid(1)) << "the oldest went, the others stay";
    EXPECT_FALSE(old.contains(kept.last()));
    EXPECT_TRUE(QFileInfo::exists(notes.fileName())) << "only backups are removed";
}

TEST_F(UpdateSafeguardsOverTelnet, BackupsInQuickSuccessionKeepTheirOwnFiles)
{
    ASSERT_TRUE(updateName("Mast 2"));
    ASSERT_TRUE(updateName("Mast 3"));
    const QStringList made = backups(unitFolder());
    ASSERT_EQ(made.size(), 2);
    EXPECT_TRUE(contentOf(unitFolder() + '/' + made[0]).contains("get=1;01=Hadra Base\r\n"));
    EXPECT_TRUE(contentOf(unitFolder() + '/' + made[1]).contains("get=1;01=Mast 2\r\n"));

    // The same millisecond twice: the second backup takes the next free name.
    const QDateTime when = QDateTime::fromString("2026-03-04T05:06:07.089", Qt::ISODateWithMs);
    const forms::BackupWriting first = forms::writeBackup("X1", {"get=1;01=A"}, when);
    const forms::BackupWriting second = forms::writeBackup("X1", {"get=1;01=B"}, when);
    ASSERT_TRUE(first.error.isEmpty() && second.error.isEmpty()) << qPrintable(first.error + second.error);
    EXPECT_EQ(QFileInfo(first.path).fileName(), "20260304-050607-089.qdv");
    EXPECT_EQ(QFileInfo(second.path).fileName(), "20260304-050607-089_2.qdv");
    EXPECT_EQ(contentOf(first.path), "get=1;01=A\r\n");
    EXPECT_EQ(contentOf(second.path), "get=1;01=B\r\n");
}

TEST_F(UpdateSafeguardsOverTelnet, ASerialNumberThatNamesAnotherFolderStaysInsideTheBackups)
{
    // The unit reported a serial number that climbs out of its folder. The simulated unit's
    // own cannot be changed, so it is put where the retrieval keeps the unit's identity.
    w->configurationTransfer().retrievedUnit.serial = QStringLiteral("../../../outside");
    ASSERT_TRUE(updateName("Mast 2"));
    const QString folder = forms::backupsFolder() + QStringLiteral("/outside");
    EXPECT_EQ(backups(folder).size(), 1);
    for (QDirIterator it(data.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        EXPECT_TRUE(it.next().startsWith(forms::backupsFolder() + QStringLiteral("/outside/")))
            << qPrintable(it.filePath());

    const struct
    {
        const char *serial;
        const char *folder;
    } cases[] = {{"HD2401175", "HD2401175"},
                 {"..", "unknown"},
                 {"", "unknown"},
                 {"a/b\\c d", "abcd"},
                 {"SN-01_x", "SN-01_x"},
                 {"\xc3\xa9"
                  "7",
                  "7"}};
    for (const auto &c : cases)
        EXPECT_EQ(forms::unitFolderName(QString::fromUtf8(c.serial)), c.folder) << c.serial;
}

TEST_F(UpdateSafeguardsOverTelnet, RestoreBackupImportsTheChosenBackupAndReviewsTheUpdate)
{
    ASSERT_TRUE(updateName("Mast 2"));
    const QStringList made = backups(unitFolder());
    ASSERT_EQ(made.size(), 1);

    const int mark = commandCount();
    files.answerNext(unitFolder() + QLatin1Char('/') + made[0]);
    answerReview("cmdWrite");
    w->ui->mnuFileRestoreBackup->trigger();
    ASSERT_TRUE(transferIdle());
    ASSERT_EQ(files.requests().size(), 1);
    EXPECT_EQ(files.requests()[0].initialPath, unitFolder());
    EXPECT_EQ(reviewed, (QList<ReviewRow>{{"SNMP/DNS", "System Name", "Mast 2", "Hadra Base"}}));
    EXPECT_EQ(commandsFrom(mark).mid(0, 2), (QStringList{"Set 01=Hadra Base", "Set 60= 1"}));
    EXPECT_EQ(unit->parameter("01"), "Hadra Base");
}

TEST_F(UpdateSafeguardsOverTelnet, OpenBackupsFolderHandsTheFolderToTheDesktop)
{
    w->ui->mnuFileOpenBackups->trigger();
    EXPECT_TRUE(opener.opened.isEmpty());
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("No backup has been made yet.")) << qPrintable(boxes.texts()[0]);

    ASSERT_TRUE(updateName("Mast 2"));
    w->ui->mnuFileOpenBackups->trigger();
    EXPECT_EQ(opener.opened, QList<QUrl>{QUrl::fromLocalFile(forms::backupsFolder())});
}

TEST_F(UpdateSafeguardsOverTelnet, WithTheReviewTurnedOffTheUpdateWritesAtOnce)
{
    w->ui->mnuUtilitiesReviewUpdates->trigger();
    EXPECT_FALSE(forms::reviewWanted());
    w->ui->txtSNMPName->setText("Mast 2");
    ASSERT_TRUE(updateFromMenu());
    EXPECT_EQ(modals.handledCount("frmReviewUpdate"), 0);
    EXPECT_EQ(commandsFrom(before).mid(0, 2), (QStringList{"Set 01=Mast 2", "Set 60= 1"}));
    EXPECT_EQ(backups(unitFolder()).size(), 1);
}

// Leaving a changed radio address writes it at once: the operator has just confirmed it, so
// there is no review, but the configuration is backed up first.
TEST_F(UpdateSafeguardsOverTelnet, TheImmediateRadioAddressUpdateIsBackedUpWithoutAReview)
{
    ASSERT_TRUE(showActive(*w));
    w->ui->SSTab1->setCurrentWidget(w->ui->tabEthernetRadio);
    boxes.answerNext(platform::MsgAnswer::Yes);
    clickInto(w->ui->txtRadioIP);
    ASSERT_FALSE(w->ui->txtRadioIP->isReadOnly());
    typeInto(w->ui->txtRadioIP, "10.0.0.9");
    QTest::keyClick(w->ui->txtRadioIP, Qt::Key_Return);
    ASSERT_TRUE(transferIdle());
    EXPECT_EQ(commandsFrom(before).mid(0, 2), (QStringList{"Set 12=10.0.0.9", "Set 60= 1"}));
    EXPECT_EQ(modals.handledCount("frmReviewUpdate"), 0);
    const QStringList made = backups(unitFolder());
    ASSERT_EQ(made.size(), 1);
    EXPECT_TRUE(contentOf(unitFolder() + '/' + made[0]).contains("get=1;12=10.0.0.1\r\n"));
}
