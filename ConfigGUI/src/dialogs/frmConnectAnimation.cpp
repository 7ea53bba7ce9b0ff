#include "dialogs/frmConnectAnimation.h"

#include "session/handler_boundary.h"
#include "dialogs/dialog_placement.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmConnectAnimation.h"

#include <QCloseEvent>
#include <QTimer>
#include <wiretalk/telnet_client.h>

frmConnectAnimation::frmConnectAnimation(frmTevoHadraConfig &callingForm)
    : QDialog(&callingForm), ui(std::make_unique<Ui::frmConnectAnimation>()),
      tmrConnectAnimation(new QTimer(this)), frmCallingForm(callingForm)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    tmrConnectAnimation->setInterval(500);
    connect(tmrConnectAnimation, &QTimer::timeout, this, &frmConnectAnimation::onTick);
    connect(ui->CancelButton, &QPushButton::clicked, this, &frmConnectAnimation::cancel);
    tmrConnectAnimation->start();
    onTick();
}

frmConnectAnimation::~frmConnectAnimation() = default;

void frmConnectAnimation::setStatus(const QString &text)
{
    ui->lblStatus->setText(text);
}

void frmConnectAnimation::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void frmConnectAnimation::onTick()
{
    toggle_ = !toggle_;
    ui->imgConnect1_0->setVisible(toggle_);
    ui->imgConnect1_1->setVisible(!toggle_);
}

void frmConnectAnimation::reject()
{
    cancel();
}

void frmConnectAnimation::cancel()
{
    tmrConnectAnimation->stop();
    session::guarded(frmCallingForm, [this] {
        frmCallingForm.TelnetClient1->Disconnect();
        frmCallingForm.TelnetClient1_Disconnect();
    });
    close();
}

void frmConnectAnimation::closeEvent(QCloseEvent *event)
{
    tmrConnectAnimation->stop();
    frmCallingForm.blnAnimationShowing = false;
    // Not QDialog's handler: that would treat every close as Cancel and disconnect.
    event->accept();
}
