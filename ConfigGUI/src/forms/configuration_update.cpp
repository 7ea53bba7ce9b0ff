// The update half of ConfigurationTransfer: building the list of changes, writing them and
// validating them against what the unit reports afterwards.
#include "config/command_error.h"
#include "forms/configuration_transfer.h"
#include "config/parameter_commands.h"
#include "forms/parameter_operations.h"
#include "forms/retrieval_steps.h"
#include "session/comm_error.h"
#include "session/mod_config_script.h"
#include "forms/configuration_display.h"
#include "ui/frmTevoHadraConfig.h"
#include "dialogs/frmUploadStatus.h"

#include <QScopeGuard>
#include <QTimer>

namespace forms {

void ConfigurationTransfer::UpdateConfiguration()
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
    ApplyUpdateList();
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
        for (int row = 0; row < updateList.entries.size() && row < uploadStatus->entryCount(); ++row)
            uploadStatus->setEntryState(row, entryValidated(updateList.entries[row], shown)
                                                 ? QStringLiteral("Success")
                                                 : QStringLiteral("Error"));
        uploadStatus->allowClosing();
    }
    blnCompareMode = false;
    w_.strStatusText = QLatin1String(kRetrievingStatusText);
    retrievedRecord = shown;
    setHourglass(false);
}

} // namespace forms
