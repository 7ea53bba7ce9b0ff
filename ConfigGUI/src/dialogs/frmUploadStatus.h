#pragma once
// The transfer window: the progress of a configuration retrieval and, row by row, of the
// writes of an update. It stays on top and, while it is open, the main window takes no
// input; it closes with its OK button, which the transfer enables when it is over.
#include <QWidget>
#include <memory>

namespace Ui {
class frmUploadStatus;
}
class frmTevoHadraConfig;

class frmUploadStatus : public QWidget
{
    Q_OBJECT
public:
    explicit frmUploadStatus(frmTevoHadraConfig &callingForm);
    ~frmUploadStatus() override;

    std::unique_ptr<Ui::frmUploadStatus> ui;

    // Adds the row of an update entry: its message, "Waiting" and the picture "Timer".
    void addEntry(const QString &message);
    int entryCount() const;
    // Sets the state of a row; "Success" shows the picture "Check", "Error" the picture "X",
    // every other state "Timer".
    void setEntryState(int row, const QString &state);
    QString entryState(int row) const;
    // The image-list key of the picture a row shows.
    QString entryPicture(int row) const;

    void setStatusText(const QString &text);
    void setProgress(int value, int maximum);
    // The transfer is over: cmdOK may close the window.
    void allowClosing();
    // Shows cmdRestore, which asks for the values the update replaced to be written back.
    void offerRestore();

signals:
    void restoreRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    frmTevoHadraConfig &frmCallingForm;
};
