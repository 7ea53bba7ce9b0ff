#pragma once
// The serial properties dialog: port number, line settings, handshaking and echo of the
// main window's serial control, applied on OK and remembered for the next session.
#include <QDialog>
#include <memory>

namespace Ui {
class frmSerialProperties;
}
class QButtonGroup;
class QRadioButton;
class frmTevoHadraConfig;

class frmSerialProperties : public QDialog
{
    Q_OBJECT
public:
    explicit frmSerialProperties(frmTevoHadraConfig &callingForm);
    ~frmSerialProperties() override;

    std::unique_ptr<Ui::frmSerialProperties> ui;
    QRadioButton *optEcho(int index) const;
    QRadioButton *optFlow(int index) const;

private:
    void accept() override;
    void loadFromControl();
    void showDevice(int listIndex);
    // Each step reports its own failure and keeps the dialog open.
    bool applyPort();
    bool applySettings();
    bool applyHandshaking();

    frmTevoHadraConfig &frmCallingForm;
    QButtonGroup *echoGroup_;
    QButtonGroup *flowGroup_;
    int handshaking_ = 0;
    bool echo_ = false;
};
