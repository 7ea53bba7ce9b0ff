#include "dialogs/frmTelnetProperties.h"

#include "platform/settings_store.h"
#include "dialogs/dialog_placement.h"
#include "ui/frmTevoHadraConfig.h"
#include "dialogs/select_on_entry.h"
#include "ui_frmTelnetProperties.h"

#include <algorithm>
#include <wiretalk/telnet_client.h>

namespace {
constexpr int kLowestPort = 1;
constexpr int kHighestPort = 65535;
} // namespace

frmTelnetProperties::frmTelnetProperties(frmTevoHadraConfig &callingForm)
    : QDialog(&callingForm), ui(std::make_unique<Ui::frmTelnetProperties>()), frmCallingForm(callingForm)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmTelnetProperties::accept);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmTelnetProperties::reject);
    connect(ui->updownTelnetPortUp, &QToolButton::clicked, this, [this] { stepPort(1); });
    connect(ui->updownTelnetPortDown, &QToolButton::clicked, this, [this] { stepPort(-1); });
    selectAllOnEntry(ui->mskIP);
    selectAllOnEntry(ui->txtTelnetPort);

    const StartOptions &options = callingForm.startOptions();
    if (options.demo) {
        ui->mskIP->setText(options.demoTelnetHost);
        ui->txtTelnetPort->setText(QString::number(options.demoTelnetPort));
    } else {
        ui->mskIP->setText(platform::loadSetting(QStringLiteral("TelnetIP"), QStringLiteral("0.0.0.0")));
        ui->txtTelnetPort->setText(platform::loadSetting(QStringLiteral("TelnetPort"), QStringLiteral("23")));
    }
}

frmTelnetProperties::~frmTelnetProperties() = default;

void frmTelnetProperties::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void frmTelnetProperties::stepPort(int step)
{
    bool numeric = false;
    const int port = ui->txtTelnetPort->text().trimmed().toInt(&numeric);
    const int next = numeric ? std::clamp(port + step, kLowestPort, kHighestPort) : 23;
    ui->txtTelnetPort->setText(QString::number(next));
}

void frmTelnetProperties::accept()
{
    bool numeric = false;
    const int port = ui->txtTelnetPort->text().trimmed().toInt(&numeric);
    if (!numeric || port < kLowestPort || port > kHighestPort) {
        frmCallingForm.messageBoxes().inform(
            this, QStringLiteral("The telnet port is not a valid number. Please re-enter."),
            QStringLiteral("BAD TELNET PORT!"), platform::MsgIcon::Exclamation);
        ui->txtTelnetPort->setFocus();
        return;
    }
    frmCallingForm.blnShouldConnect = true;
    try {
        frmCallingForm.TelnetClient1->setHostAddress(ui->mskIP->text().trimmed());
    } catch (const wiretalk::ControlError &) {
        frmCallingForm.messageBoxes().inform(
            this, QStringLiteral("The IP address is invalid. Please re-enter."),
            QStringLiteral("INVALID IP ADDRESS"), platform::MsgIcon::Exclamation);
        ui->mskIP->setFocus();
        return;
    }
    frmCallingForm.TelnetClient1->setRemotePort(port);
    platform::saveSetting(QStringLiteral("TelnetIP"), ui->mskIP->text());
    platform::saveSetting(QStringLiteral("TelnetPort"), ui->txtTelnetPort->text());
    QDialog::accept();
}

void frmTelnetProperties::reject()
{
    frmCallingForm.blnShouldConnect = false;
    QDialog::reject();
}
