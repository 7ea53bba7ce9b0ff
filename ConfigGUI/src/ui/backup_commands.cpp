#include "ui/backup_commands.h"

#include "forms/configuration_backups.h"
#include "forms/configuration_file_commands.h"
#include "forms/configuration_transfer.h"
#include "session/handler_boundary.h"
#include "ui/configuration_commands.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QDir>
#include <QFileInfo>

void connectBackupCommands(frmTevoHadraConfig &w)
{
    const auto onTriggered = [&w](QAction *action, void (*command)(frmTevoHadraConfig &)) {
        QObject::connect(action, &QAction::triggered, &w,
                         [&w, command] { session::guarded(w, [&w, command] { command(w); }); });
    };
    onTriggered(w.ui->mnuFileRestoreBackup, restoreBackup);
    onTriggered(w.ui->mnuFileOpenBackups, openBackupsFolder);
    w.ui->mnuUtilitiesReviewUpdates->setChecked(forms::reviewWanted());
    QObject::connect(w.ui->mnuUtilitiesReviewUpdates, &QAction::toggled, &w, forms::setReviewWanted);
}

void restoreBackup(frmTevoHadraConfig &w)
{
    forms::ConfigurationTransfer &transfer = w.configurationTransfer();
    if (!connectionOpen(w) || transfer.isBusy())
        return;
    // With nothing retrieved there is nothing to compare a backup with: the update's own
    // message says so, before the window's configuration is replaced.
    if (!transfer.retrievedRecord) {
        transfer.BuildUpdateList(true);
        return;
    }
    const QString unitFolder =
        forms::backupsFolder() + QLatin1Char('/') + forms::unitFolderName(transfer.retrievedUnit.serial);
    const QString folder = QFileInfo(unitFolder).isDir() ? unitFolder : forms::backupsFolder();
    const std::optional<QString> path =
        forms::chooseConfigurationFile(w, QStringLiteral("Restore Configuration from Backup"), folder);
    if (path && forms::importConfigurationFile(w, *path))
        startUpdate(w, transfer, false);
}

void openBackupsFolder(frmTevoHadraConfig &w)
{
    const QString folder = forms::backupsFolder();
    if (!QFileInfo(folder).isDir()) {
        w.messageBoxes().inform(&w,
                                QStringLiteral("No backup has been made yet. The first update backs up the "
                                               "unit's configuration in %1.")
                                    .arg(QDir::toNativeSeparators(folder)),
                                QString(), platform::MsgIcon::Information);
        return;
    }
    if (!w.urlOpener().open(QUrl::fromLocalFile(folder)))
        w.messageBoxes().inform(&w,
                                QStringLiteral("The backups folder %1 could not be opened.")
                                    .arg(QDir::toNativeSeparators(folder)),
                                QString(), platform::MsgIcon::Exclamation);
}
