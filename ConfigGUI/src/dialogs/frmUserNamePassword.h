#pragma once
// The login dialog: asks for the user name and password the unit requests, and writes
// them (and whether to go on) into the main window that opened it.
#include <QDialog>
#include <memory>

namespace Ui {
class frmUserNamePassword;
}
class frmTevoHadraConfig;

class frmUserNamePassword : public QDialog
{
    Q_OBJECT
public:
    explicit frmUserNamePassword(frmTevoHadraConfig &callingForm);
    ~frmUserNamePassword() override;

    std::unique_ptr<Ui::frmUserNamePassword> ui;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void accept() override;
    void reject() override;

    frmTevoHadraConfig &frmCallingForm;
};
