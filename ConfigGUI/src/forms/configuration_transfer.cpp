#include "forms/configuration_transfer.h"

#include "dialogs/frmUploadStatus.h"
#include "forms/configuration_display.h"
#include "forms/parameter_operations.h"
#include "forms/retrieval_steps.h"
#include "session/comm_error.h"
#include "session/handler_boundary.h"
#include "session/mod_config_script.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QApplication>
#include <QCheckBox>
#include <QScopeGuard>
#include <QTimer>

namespace forms {

ConfigurationTransfer::ConfigurationTransfer(frmTevoHadraConfig &w) : QObject(&w), w_(w)
{
    const auto onTick = [this](QTimer *timer, void (ConfigurationTransfer::*tick)()) {
        connect(timer, &QTimer::timeout, this,
                [this, tick] { session::guarded(w_, [&] { (this->*tick)(); }); });
    };
    onTick(w_.tmrSlowImport, &ConfigurationTransfer::onSlowImportTick);
    onTick(w_.tmrOrigConfig, &ConfigurationTransfer::onOrigConfigTick);
    onTick(w_.tmrCompareUpdates, &ConfigurationTransfer::onCompareUpdatesTick);
}

ConfigurationTransfer::~ConfigurationTransfer()
{
    setHourglass(false);
}

bool ConfigurationTransfer::isBusy() const
{
    return stepRunning_ || writing_ || w_.tmrSlowImport->isActive() || w_.tmrOrigConfig->isActive() ||
           w_.tmrCompareUpdates->isActive();
}

bool ConfigurationTransfer::connected() const
{
    return w_.telnetConnected() || w_.serialOpen();
}

QString ConfigurationTransfer::failureReason() const
{
    return connected() ? QStringLiteral("The device did not answer.")
                       : QStringLiteral("The connection to the device was closed.");
}

void ConfigurationTransfer::StartRetrieval()
{
    if (isBusy())
        return;
    RetrieveStep = 1;
    failedAttempts_ = 0;
    w_.tmrSlowImport->start();
}

void ConfigurationTransfer::onSlowImportTick()
{
    // A tick that falls due while a step still waits for the unit is not run, so the steps
    // keep their order.
    if (stepRunning_)
        return;
    stepRunning_ = true;
    const auto stepEnded = qScopeGuard([this] { stepRunning_ = false; });
    if (!connected()) {
        stopTransfer(failureReason());
        return;
    }
    if (RetrieveStep >= kRetrievalSteps)
        finishRetrieval();
    else
        runRetrievalStep();
}

void ConfigurationTransfer::runRetrievalStep()
{
    try {
        if (RetrieveStep == 1) {
            setHourglass(true);
            // The configuration shown is about to be replaced: until the retrieval has ended,
            // there is nothing an update could be compared with.
            retrievedRecord.reset();
            if (!blnCompareMode)
                showUploadStatus();
            if (uploadStatus)
                uploadStatus->setStatusText(w_.strStatusText);
            ClearConfigurationDisplay(w_);
        }
        if (RetrieveStep == kCapabilityStep)
            ResetCapabilities();
        for (const linkset::DeviceCommand &command : retrievalStepCommands(RetrieveStep))
            SendCommand(w_, command);
    } catch (const session::ExchangeBusy &) {
        return; // another exchange was waiting and nothing was sent: the step runs again
    } catch (const session::CommError &failure) {
        modConfigScript::ReportCommFailure(w_, failure);
        // A step that failed runs once more on the next tick; a second failure, or a closed
        // connection, ends the retrieval.
        if (!connected() || ++failedAttempts_ > 1)
            stopTransfer(failureReason());
        return;
    }
    failedAttempts_ = 0;
    QCoreApplication::processEvents();
    ++RetrieveStep;
    if (uploadStatus)
        uploadStatus->setProgress(RetrieveStep, kRetrievalSteps);
}

void ConfigurationTransfer::finishRetrieval()
{
    w_.tmrSlowImport->stop();
    RetrieveStep = 1;
    if (blnCompareMode) {
        w_.tmrCompareUpdates->start();
    } else {
        closeUploadStatus();
        w_.tmrOrigConfig->start();
    }
    w_.bInitialConnect = false;
    setHourglass(false);
    w_.SetupDiagnostics();
}

void ConfigurationTransfer::stopTransfer(const QString &reason)
{
    const QString stopped = blnCompareMode ? QStringLiteral("Validation stopped. ")
                            : writing_     ? QStringLiteral("Update stopped. ")
                                           : QStringLiteral("Retrieval stopped. ");
    w_.tmrSlowImport->stop();
    RetrieveStep = 1;
    failedAttempts_ = 0;
    blnCompareMode = false;
    w_.strStatusText = QLatin1String(kRetrievingStatusText);
    setHourglass(false);
    if (uploadStatus) {
        uploadStatus->setStatusText(stopped + reason);
        uploadStatus->allowClosing();
    }
}

void ConfigurationTransfer::ResetCapabilities()
{
    w_.chkRoutingMode(1)->hide();
    w_.chkRoutingMode(2)->hide();
    w_.EnableRIPOptions(false);
    w_.EnableOSPFFrame(false);
    w_.EnableRSSIOptions(false);
}

bool ConfigurationTransfer::serialRepliesPending() const
{
    return w_.serialOpen() && w_.strCommBuffer.size() > 1;
}

void ConfigurationTransfer::onOrigConfigTick()
{
    if (serialRepliesPending()) {
        QCoreApplication::processEvents();
        return;
    }
    w_.tmrOrigConfig->stop();
    ReadFormConfig(w_, retrievedRecord.emplace());
    retrievedUnit = {w_.ui->txtESN->text(), w_.ui->txtQDVVersion->text(), w_.ui->txtModelType->text()};
    setHourglass(false);
}

void ConfigurationTransfer::onCompareUpdatesTick()
{
    if (serialRepliesPending()) {
        QCoreApplication::processEvents();
        return;
    }
    ValidateUpdates();
}

void ConfigurationTransfer::showUploadStatus()
{
    closeUploadStatus();
    uploadStatus = new frmUploadStatus(w_);
    connect(uploadStatus, &frmUploadStatus::restoreRequested, this,
            [this] { session::guarded(w_, [this] { RestorePreviousValues(); }); });
    uploadStatus->setProgress(0, kRetrievalSteps);
    uploadStatus->show();
}

void ConfigurationTransfer::closeUploadStatus()
{
    if (!uploadStatus)
        return;
    uploadStatus->allowClosing();
    uploadStatus->close();
}

void ConfigurationTransfer::setHourglass(bool on)
{
    if (on == hourglass_)
        return;
    hourglass_ = on;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace forms
