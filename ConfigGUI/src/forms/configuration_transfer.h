#pragma once
// Moving the whole configuration between the unit and the main window: the retrieval, one
// step per tick of tmrSlowImport, with its snapshot on tmrOrigConfig; and the update, which
// writes every change in the fixed order, saves, retrieves again in compare mode and, on
// tmrCompareUpdates, marks each written setting "Success" or "Error".
//
// One lives on the main window, which owns the three timers and the controls both records
// are read from.
#include "forms/config_record.h"
#include "forms/update_list.h"
#include "forms/update_review_dialog.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>

class frmTevoHadraConfig;
class frmUploadStatus;
class QWidget;

namespace forms {

// The caption of the progress window while a configuration is read outside an update.
inline constexpr char kRetrievingStatusText[] = "Retrieving Configuration from Device...";

struct UnitIdentity
{
    QString serial;  // "Serial #:"
    QString version; // "Model & Software Version:"
    QString model;   // the model type
};

class ConfigurationTransfer : public QObject
{
    Q_OBJECT
public:
    explicit ConfigurationTransfer(frmTevoHadraConfig &w);
    ~ConfigurationTransfer() override;

    // ---- State ----
    // The step the next tick of tmrSlowImport runs; 1 while no retrieval runs.
    int RetrieveStep = 1;
    // True while the retrieval that follows an update runs.
    bool blnCompareMode = false;
    // The configuration as last retrieved; none until a retrieval has ended.
    std::optional<ConfigRecord> retrievedRecord;
    // The unit it was retrieved from, as the General tab showed it then. Kept here because
    // importing a file clears those fields while the same unit stays connected.
    UnitIdentity retrievedUnit;
    // The configuration the controls showed when an update or a save began.
    ConfigRecord currentRecord;
    UpdateList updateList;
    // The transfer window while it is open.
    QPointer<frmUploadStatus> uploadStatus;

    // ---- Commands ----
    // Starts a retrieval (enables tmrSlowImport). Does nothing while a retrieval or an
    // update is already under way.
    void StartRetrieval();
    // Reads the controls, builds the update list and, when there are changes, lets the
    // operator review them (see UpdateReview), backs up the retrieved configuration and
    // writes them. A backup that cannot be written stops the update before anything is sent.
    void UpdateConfiguration(UpdateReview review = UpdateReview::AsSettingSays);
    // After an update whose validation marked entries "Error": writes back, from the backup
    // taken before that update, the settings of the update the unit now reports differently.
    void RestorePreviousValues();
    // Fills updateList from the two records. False when no retrieval has been made yet; with
    // `report` the operator is told so (and about remote stations without a radio address).
    bool BuildUpdateList(bool report);
    // The number of changes an update would write now (0 before the first retrieval).
    int NumberOfConfigurationChanges();
    void ApplyUpdateList();
    void ValidateUpdates();

    // A retrieval or an update is under way.
    bool isBusy() const;
    // The retrieved configuration as the lines of a configuration file.
    QStringList retrievedConfigurationLines() const;

private:
    // One tick of each timer.
    void onSlowImportTick();
    void onOrigConfigTick();
    void onCompareUpdatesTick();

    // Reviews (as `review` says), backs up and writes updateList; false when nothing was
    // written.
    bool writeReviewed(UpdateReview review);
    bool backUpRetrievedConfiguration();
    // The window the transfer's messages and dialogs belong to: the transfer window while it
    // is open, since it stays on top.
    QWidget &dialogParent() const;
    void runRetrievalStep();
    void finishRetrieval();
    void stopTransfer(const QString &reason);
    void ResetCapabilities();
    void showUploadStatus();
    void closeUploadStatus();
    void setHourglass(bool on);
    // Serial replies still arriving: the controls are not complete yet.
    bool serialRepliesPending() const;
    bool connected() const;
    // Why an exchange failed: the connection was closed, or the device did not answer.
    QString failureReason() const;

    frmTevoHadraConfig &w_;
    bool stepRunning_ = false;
    bool writing_ = false;
    bool hourglass_ = false;
    int failedAttempts_ = 0;
    // The last update the operator started and the configuration backed up before it: what
    // Restore Previous Values writes back.
    struct Restorable
    {
        UpdateList update;
        ConfigRecord backup;
    };
    std::optional<Restorable> restorable_;
};

} // namespace forms
