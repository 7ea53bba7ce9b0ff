#pragma once
// The connect animation: shown without blocking while a telnet connection is being
// established; its Cancel button gives up the attempt.
#include <QDialog>
#include <memory>

namespace Ui {
class frmConnectAnimation;
}
class QTimer;
class frmTevoHadraConfig;

class frmConnectAnimation : public QDialog
{
    Q_OBJECT
public:
    explicit frmConnectAnimation(frmTevoHadraConfig &callingForm);
    ~frmConnectAnimation() override;

    std::unique_ptr<Ui::frmConnectAnimation> ui;
    QTimer *tmrConnectAnimation;

    void setStatus(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void reject() override; // Escape is Cancel
    void onTick();
    void cancel();

    frmTevoHadraConfig &frmCallingForm;
    bool toggle_ = false;
};
