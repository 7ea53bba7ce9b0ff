#include "monitor/rssi_threshold.h"

#include "session/handler_boundary.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

namespace monitor {

namespace {

bool isThreshold(const QString &text)
{
    bool number = false;
    const int value = text.trimmed().toInt(&number);
    return number && value >= kMinimumThreshold && value <= kMaximumThreshold;
}

} // namespace

RssiThreshold::RssiThreshold(frmTevoHadraConfig &w) : w_(w)
{
    QComboBox *combo = w_.ui->cmbRSSIThreshold;
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->installEventFilter(this);
    combo->lineEdit()->installEventFilter(this);
    connect(combo, &QComboBox::activated, this,
            [this] { session::guarded(w_, [this] { confirmChange(); }); });
    connect(combo->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { session::guarded(w_, [this] { onEditingFinished(); }); });
}

bool RssiThreshold::eventFilter(QObject *watched, QEvent *event)
{
    // Entering the combo (or its edit field) remembers the value to come back to.
    if (event->type() == QEvent::FocusIn && !w_.ui->cmbRSSIThreshold->lineEdit()->isModified())
        w_.mvntRSSIThreshold = w_.ui->cmbRSSIThreshold->currentText();
    return QObject::eventFilter(watched, event);
}

void RssiThreshold::confirmChange()
{
    QComboBox *combo = w_.ui->cmbRSSIThreshold;
    if (!w_.mvntRSSIThreshold || w_.mvntRSSIThreshold->isEmpty() || w_.tmrSlowImport->isActive())
        return;
    const QString chosen = combo->currentText();
    if (chosen == *w_.mvntRSSIThreshold || !isThreshold(chosen))
        return; // typed text that is no threshold is refused when the combo is left
    platform::MessageBox box;
    box.text = QStringLiteral("Are you sure you wish to change the factory RSSI threshold setting?");
    box.buttons = platform::MsgButtons::YesNo;
    box.icon = platform::MsgIcon::Question;
    if (w_.messageBoxes().show(&w_, box) == platform::MsgAnswer::Yes)
        w_.mvntRSSIThreshold = chosen;
    else
        combo->setCurrentText(*w_.mvntRSSIThreshold);
}

void RssiThreshold::onEditingFinished()
{
    QComboBox *combo = w_.ui->cmbRSSIThreshold;
    if (!combo->lineEdit()->isModified())
        return; // left without typing
    combo->lineEdit()->setModified(false);
    if (isThreshold(combo->currentText())) {
        confirmChange();
        return;
    }
    combo->setCurrentText(w_.mvntRSSIThreshold.value_or(QString()));
    w_.messageBoxes().inform(&w_,
                             QStringLiteral("The threshold level is a whole number from %1 to %2.")
                                 .arg(kMinimumThreshold)
                                 .arg(kMaximumThreshold),
                             QStringLiteral("Warning"), platform::MsgIcon::Exclamation);
}

} // namespace monitor
