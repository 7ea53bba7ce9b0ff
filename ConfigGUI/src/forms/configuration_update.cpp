// The update half of ConfigurationTransfer: building the list of changes, writing them and
// validating them against what the unit reports afterwards.
#include "config/command_error.h"
#include "config/parameter_commands.h"
#include "dialogs/frmUploadStatus.h"
#include "forms/configuration_backups.h"
#include "forms/configuration_display.h"
#include "forms/configuration_file.h"
#include "forms/configuration_transfer.h"
#include "forms/parameter_operations.h"
#include "forms/previous_values.h"
#include "forms/retrieval_steps.h"
#include "session/comm_error.h"
#include "session/mod_config_script.h"
#include "ui/configuration_commands.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QScopeGuard>
#include <QTimer>

namespace forms {

void ConfigurationTransfer::UpdateConfiguration(UpdateReview review)
{
    if (isBusy())
        return;
    // Started from inside another command's wait: that command must finish first.
    if (w_.exchangeInProgress)
        throw session::ExchangeBusy();
    ReadFormConfig(w_, currentRecord);
    if (!BuildUpdateList(true))
        return;
    if (updateList.entries.isEmpty()) {
        w_.messageBoxes().inform(&w_,
                                 QStringLiteral("No changes have been made. No updates will be performed."),
                                 QString(), platform::MsgIcon::Exclamation);
        return;
    }
    const ConfigRecord backup = *retrievedRecord;
    const UpdateList update = updateList;
    if (writeReviewed(review))
        restorable_ = Restorable{update, backup};
}

void ConfigurationTransfer::RestorePreviousValues()
{
    if (isBusy() || !restorable_ || !retrievedRecord)
        return;
    updateList = previousValues(restorable_->update, *retrievedRecord, restorable_->backup);
    if (updateList.entries.isEmpty()) {
        w_.messageBoxes().inform(
            &dialogParent(),
            QStringLiteral("The unit already reports the backed-up value of every setting "
                           "of the update. Nothing needs to be restored."),
            QString(), platform::MsgIcon::Information);
        return;
    }
    writeReviewed(UpdateReview::AsSettingSays);
}

bool ConfigurationTransfer::writeReviewed(UpdateReview review)
{
    if (review == UpdateReview::AsSettingSays && reviewWanted() &&
        !reviewAccepted(dialogParent(), reviewRows(updateList, *retrievedRecord)))
        return false;
    // The review ran an event loop: the connection may have gone meanwhile.
    if (!connectionOpen(w_))
        return false;
    if (!backUpRetrievedConfiguration())
        return false;
    ApplyUpdateList();
    return true;
}

QStringList ConfigurationTransfer::retrievedConfigurationLines() const
{
    return configurationFileLines(*retrievedRecord, !w_.chkRoutingMode(1)->isHidden());
}

bool ConfigurationTransfer::backUpRetrievedConfiguration()
{
    const BackupWriting backup =
        writeBackup(retrievedUnit.serial, retrievedConfigurationLines(), QDateTime::currentDateTime());
    if (backup.error.isEmpty())
        return true;
    w_.messageBoxes().inform(
        &dialogParent(),
        QStringLiteral("The configuration retrieved from the unit could not be backed up, so "
                       "nothing was written to the device.\n") +
            backup.error,
        QStringLiteral("ERROR"), platform::MsgIcon::Critical);
    return false;
}

QWidget &ConfigurationTransfer::dialogParent() const
{
    if (uploadStatus)
        return *uploadStatus;
    return w_;
}

bool ConfigurationTransfer::BuildUpdateList(bool report)
{
    updateList = {};
    if (!retrievedRecord) {
        if (report)
            w_.messageBoxes().inform(&w_,
                                     QStringLiteral("Please Refresh/Retrieve the unit's configuration first"),
                                     QString(), platform::MsgIcon::Exclamation);
        return false;
    }
    updateList = compareRecords(*retrievedRecord, currentRecord);
    if (report && updateList.stationWithoutRadioAddress)
        w_.messageBoxes().inform(
            &w_, QStringLiteral("Please configure the remote station prior to saving changes."),
            QStringLiteral("NOTE!"), platform::MsgIcon::None);
    return true;
}

int ConfigurationTransfer::NumberOfConfigurationChanges()
{
    ReadFormConfig(w_, currentRecord);
    BuildUpdateList(false);
    return int(updateList.entries.size());
}

void ConfigurationTransfer::ApplyUpdateList()
{
    writing_ = true;
    const auto written = qScopeGuard([this] { writing_ = false; });
    showUploadStatus();
    setHourglass(true);
    frmUploadStatus &status = *uploadStatus;
    status.setStatusText(QStringLiteral("Building configuration..."));
    for (const UpdateEntry &entry : updateList.entries)
        status.addEntry(entry.message);

    status.setStatusText(QStringLiteral("Updating configuration..."));
    const int writes = int(updateList.entries.size());
    try {
        for (int row = 0; row < writes; ++row) {
            const UpdateEntry &entry = updateList.entries[row];
            status.setEntryState(row, QStringLiteral("Writing"));
            status.setProgress(row, writes + 1);
            linkset::DeviceCommand command;
            try {
                command = linkset::parameterCommand(entry.code, true, entry.value);
            } catch (const linkset::CommandError &) {
                // A value the command cannot carry is not sent; the others still are.
                status.setEntryState(row, QStringLiteral("Error"));
                continue;
            }
            SendCommand(w_, command);
            if (entry.code == QLatin1String("06"))
                w_.pendingNewPassword.clear(); // written: the next update has no password to send
            status.setEntryState(row, QStringLiteral("Validating"));
        }
        status.setStatusText(QStringLiteral("Saving configuration."));
        status.setProgress(writes, writes + 1);
        ParameterCommand(w_, u"60", true);
    } catch (const session::CommError &failure) {
        modConfigScript::ReportCommFailure(w_, failure);
        stopTransfer(failureReason());
        return;
    } catch (const session::ExchangeBusy &failure) {
        modConfigScript::ReportCommFailure(w_, failure);
        stopTransfer(QStringLiteral("Another command was waiting for the device."));
        return;
    }

    blnCompareMode = true;
    w_.strStatusText = QStringLiteral("Validating Changes...");
    ClearConfigurationDisplay(w_);
    RetrieveStep = 1;
    w_.tmrSlowImport->start();
}

void ConfigurationTransfer::ValidateUpdates()
{
    w_.tmrCompareUpdates->stop();
    ConfigRecord shown;
    ReadFormConfig(w_, shown);
    if (uploadStatus) {
        bool hasError = false;
        for (int row = 0; row < updateList.entries.size() && row < uploadStatus->entryCount(); ++row) {
            const bool validated = entryValidated(updateList.entries[row], shown);
            hasError = hasError || !validated;
            uploadStatus->setEntryState(row, validated ? QStringLiteral("Success") : QStringLiteral("Error"));
        }
        uploadStatus->allowClosing();
        if (restorable_ && hasError)
            uploadStatus->offerRestore();
    }
    blnCompareMode = false;
    w_.strStatusText = QLatin1String(kRetrievingStatusText);
    retrievedRecord = shown;
    setHourglass(false);
}

} // namespace forms
