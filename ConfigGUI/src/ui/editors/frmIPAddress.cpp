#include "ui/editors/frmIPAddress.h"

#include "config/device_requests.h"
#include "dialogs/dialog_placement.h"
#include "dialogs/select_on_entry.h"
#include "forms/parameter_operations.h"
#include "session/mod_config_script.h"
#include "ui/address_typing.h"
#include "ui/editors/list_editor.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui/number_combos.h"
#include "ui_frmIPAddress.h"

#include <QComboBox>
#include <QLineEdit>

frmIPAddress::frmIPAddress(frmTevoHadraConfig &callingForm, QLineEdit *address, QComboBox *netmask,
                           bool isRadio)
    : QDialog(&callingForm), ui(std::make_unique<Ui::frmIPAddress>()), refIPAddress(address),
      refNetmask(netmask), bIsRadio(isRadio), frmCallingForm(callingForm)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmIPAddress::accept);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmIPAddress::reject);
    checkAddressTyping(ui->txtIP);
    selectAllOnEntry(ui->txtIP);
    makeNetmaskCombo(ui->cmboNetmask, ui->lblStringNetmask);
    ui->txtIP->setText(refIPAddress->text());
    ui->cmboNetmask->setCurrentText(refNetmask ? refNetmask->currentText() : QString());
    ui->cmboNetmask->setVisible(!bIsRadio);
    ui->lblNetmask->setVisible(!bIsRadio);
    ui->lblStringNetmask->setVisible(!bIsRadio);
}

frmIPAddress::~frmIPAddress() = default;

void frmIPAddress::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    ui->txtIP->setFocus();
}

void frmIPAddress::accept()
{
    const QString netmask = ui->cmboNetmask->currentText();
    const bool unchanged =
        ui->txtIP->text() == refIPAddress->text() && (bIsRadio || netmask == refNetmask->currentText());
    if (unchanged) {
        QDialog::accept();
        return;
    }
    if (!addressFieldReady(frmCallingForm.messageBoxes(), this, ui->txtIP, fieldName(ui->lblIP)))
        return;
    platform::MessageBox question;
    question.text = QStringLiteral("Commit the changes and disconnect? (It make take a few minutes for the "
                                   "device to respond to a new telnet connection)");
    question.buttons = platform::MsgButtons::YesNo;
    question.icon = platform::MsgIcon::Question;
    if (frmCallingForm.messageBoxes().show(this, question) == platform::MsgAnswer::Yes)
        commit();
    QDialog::accept();
}

void frmIPAddress::commit()
{
    const QString address = ui->txtIP->text();
    refIPAddress->setText(address);
    modConfigScript::RunReportingCommFailure(frmCallingForm, [&] {
        if (bIsRadio) {
            forms::ParameterCommand(frmCallingForm, u"12", true, address);
        } else {
            const QString netmask = ui->cmboNetmask->currentText();
            refNetmask->setCurrentText(netmask);
            forms::SendCommand(frmCallingForm, linkset::ethernetAddressCommand(address, netmask));
        }
    });
    frmCallingForm.DisconnectActiveDevice();
}
