#pragma once
// The telnet properties dialog: the unit's address and port, placed straight into the
// main window's telnet control, remembered for the next session.
#include <QDialog>
#include <memory>

namespace Ui {
class frmTelnetProperties;
}
class frmTevoHadraConfig;

class frmTelnetProperties : public QDialog
{
    Q_OBJECT
public:
    explicit frmTelnetProperties(frmTevoHadraConfig &callingForm);
    ~frmTelnetProperties() override;

    std::unique_ptr<Ui::frmTelnetProperties> ui;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void accept() override;
    void reject() override;
    void stepPort(int step);

    frmTevoHadraConfig &frmCallingForm;
};
