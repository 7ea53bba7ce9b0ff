#include "dialogs/frmUserNamePassword.h"

#include "platform/settings_store.h"
#include "dialogs/dialog_placement.h"
#include "ui/frmTevoHadraConfig.h"
#include "dialogs/select_on_entry.h"
#include "ui_frmUserNamePassword.h"

#include <QLineEdit>

frmUserNamePassword::frmUserNamePassword(frmTevoHadraConfig &callingForm)
    : QDialog(&callingForm), ui(std::make_unique<Ui::frmUserNamePassword>()), frmCallingForm(callingForm)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmUserNamePassword::accept);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmUserNamePassword::reject);
    selectAllOnEntry(ui->txtUserName);
    selectAllOnEntry(ui->txtPassword);

    ui->txtUserName->setText(platform::loadSetting(QStringLiteral("UserName")));
    const StartOptions &options = callingForm.startOptions();
    if (options.demo) {
        ui->lblDemoHint->setText(tr("Demo unit: user name \"%1\", password \"%2\" (filled in for you).")
                                     .arg(options.demoUserName, options.demoPassword));
        ui->lblDemoHint->setVisible(true);
        ui->txtUserName->setText(options.demoUserName);
        ui->txtPassword->setText(options.demoPassword);
    }
}

frmUserNamePassword::~frmUserNamePassword() = default;

void frmUserNamePassword::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    // With a remembered name only the password is left to type; with none, the name first.
    if (ui->txtUserName->text().isEmpty())
        ui->txtUserName->setFocus();
    else
        ui->txtPassword->setFocus();
}

void frmUserNamePassword::accept()
{
    frmCallingForm.blnShouldConnect = true;
    frmCallingForm.strPassword = ui->txtPassword->text();
    frmCallingForm.strUserName = ui->txtUserName->text();
    frmCallingForm.blnShownUsernameForm = true;
    platform::saveSetting(QStringLiteral("UserName"), ui->txtUserName->text());
    QDialog::accept();
}

void frmUserNamePassword::reject()
{
    frmCallingForm.blnShouldConnect = false;
    QDialog::reject();
}
