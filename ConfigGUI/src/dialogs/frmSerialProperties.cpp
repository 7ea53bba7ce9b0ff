#include "dialogs/frmSerialProperties.h"

#include "platform/settings_store.h"
#include "session/handler_boundary.h"
#include "session/mscomm.h"
#include "session/serial_error.h"
#include "session/serial_settings.h"
#include "dialogs/dialog_placement.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmSerialProperties.h"

#include <QButtonGroup>

namespace {

// Runs one step of applying the dialog; a serial error is shown and the step fails.
template <typename Step> bool reportingFailure(frmTevoHadraConfig &w, Step step)
{
    try {
        step();
        return true;
    } catch (const session::SerialError &error) {
        session::reportError(w, error);
        return false;
    }
}

} // namespace

frmSerialProperties::frmSerialProperties(frmTevoHadraConfig &callingForm)
    : QDialog(&callingForm), ui(std::make_unique<Ui::frmSerialProperties>()), frmCallingForm(callingForm),
      echoGroup_(new QButtonGroup(this)), flowGroup_(new QButtonGroup(this))
{
    ui->setupUi(this);
    echoGroup_->addButton(ui->optEcho_0, 0);
    echoGroup_->addButton(ui->optEcho_1, 1);
    flowGroup_->addButton(ui->optFlow_0, 0);
    flowGroup_->addButton(ui->optFlow_1, 1);
    flowGroup_->addButton(ui->optFlow_2, 2);
    flowGroup_->addButton(ui->optFlow_3, 3);
    connect(echoGroup_, &QButtonGroup::idClicked, this, [this](int id) { echo_ = id == 1; });
    connect(flowGroup_, &QButtonGroup::idClicked, this, [this](int id) { handshaking_ = id; });
    connect(ui->cboPort, &QComboBox::currentIndexChanged, this, &frmSerialProperties::showDevice);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmSerialProperties::accept);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmSerialProperties::reject);
    loadFromControl();
    centreOnScreen(*this);
}

frmSerialProperties::~frmSerialProperties() = default;

QRadioButton *frmSerialProperties::optEcho(int index) const
{
    return qobject_cast<QRadioButton *>(echoGroup_->button(index));
}

QRadioButton *frmSerialProperties::optFlow(int index) const
{
    return qobject_cast<QRadioButton *>(flowGroup_->button(index));
}

void frmSerialProperties::loadFromControl()
{
    const session::MSComm &port = *frmCallingForm.MSComm1;
    const session::SettingsTextFields fields = session::splitSettingsText(port.Settings());
    ui->cboSpeed->setCurrentText(fields.speed);
    const QString parityLetters = QStringLiteral("eonms"); // the order of the parity list
    ui->cboParity->setCurrentIndex(fields.parity.isNull() ? -1 : int(parityLetters.indexOf(fields.parity)));
    ui->cboDataBits->setCurrentText(fields.dataBits);
    ui->cboStopBits->setCurrentText(fields.stopBits);
    ui->cboPort->setCurrentIndex(port.CommPort() - 1);
    showDevice(port.CommPort() - 1);
    handshaking_ = port.Handshaking();
    if (QRadioButton *flow = optFlow(handshaking_))
        flow->setChecked(true);
    optEcho(0)->setChecked(true);
    echo_ = false;
}

void frmSerialProperties::showDevice(int listIndex)
{
    const QString device = frmCallingForm.MSComm1->devicePath(listIndex + 1);
    ui->lblPortDevice->setText(device.isEmpty() ? tr("(no device)") : device);
}

bool frmSerialProperties::applyPort()
{
    session::MSComm &port = *frmCallingForm.MSComm1;
    const int oldPort = port.CommPort();
    const int newPort = ui->cboPort->currentIndex() + 1;
    if (newPort == oldPort)
        return true;
    const bool wasOpen = port.PortOpen();
    try {
        if (wasOpen)
            port.setPortOpen(false);
        port.setCommPort(newPort);
        if (wasOpen)
            port.setPortOpen(true);
        return true;
    } catch (const session::SerialError &error) {
        session::reportError(frmCallingForm, error);
        try {
            port.setCommPort(oldPort);
            if (wasOpen && !port.PortOpen())
                port.setPortOpen(true);
        } catch (const session::SerialError &reopenError) {
            // The old port cannot be taken back either: the operator learns why.
            session::reportError(frmCallingForm, reopenError);
        }
        ui->cboPort->setCurrentIndex(oldPort - 1);
        return false;
    }
}

bool frmSerialProperties::applySettings()
{
    return reportingFailure(frmCallingForm, [this] {
        frmCallingForm.MSComm1->setSettings(
            session::buildSettingsText(ui->cboSpeed->currentText(), ui->cboParity->currentText(),
                                       ui->cboDataBits->currentText(), ui->cboStopBits->currentText()));
    });
}

bool frmSerialProperties::applyHandshaking()
{
    return reportingFailure(frmCallingForm, [this] { frmCallingForm.MSComm1->setHandshaking(handshaking_); });
}

void frmSerialProperties::accept()
{
    if (!applyPort() || !applySettings() || !applyHandshaking())
        return;
    const session::MSComm &port = *frmCallingForm.MSComm1;
    platform::saveSetting(QStringLiteral("Settings"), port.Settings());
    platform::saveSetting(QStringLiteral("CommPort"), QString::number(port.CommPort()));
    platform::saveSetting(QStringLiteral("Handshaking"), QString::number(port.Handshaking()));
    platform::saveSetting(QStringLiteral("Echo"), echo_ ? QStringLiteral("True") : QStringLiteral("False"));
    QDialog::accept();
}
