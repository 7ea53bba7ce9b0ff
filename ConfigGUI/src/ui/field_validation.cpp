#include "ui/field_validation.h"

#include "dialogs/select_on_entry.h"
#include "forms/maintenance_commands.h"
#include "session/handler_boundary.h"
#include "ui/address_typing.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui/local_ids.h"
#include "ui/number_combos.h"
#include "ui/operator_focus.h"
#include "ui_frmTevoHadraConfig.h"

#include <QKeyEvent>
#include <QTimer>

namespace {

constexpr int kNetmaskLists = 4;
constexpr int kShortestRipTime = 1;
constexpr int kLongestRipTime = 600;

// Enter in an address field moves on to the next field instead of reaching the field.
class EnterMovesOn : public QObject
{
public:
    EnterMovesOn(QObject *parent, QWidget *next) : QObject(parent), next_(next) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                next_->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *next_;
};

bool localIdInUse(const frmTevoHadraConfig &w, int id)
{
    return !w.ui->lviewStationsAdded->findItems(QString::number(id), Qt::MatchExactly).isEmpty();
}

// Leaving the local ID on an ID a remote unit uses moves it to the next free one.
class LocalIdCheck : public QObject
{
public:
    explicit LocalIdCheck(frmTevoHadraConfig &w) : QObject(&w), w_(w) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut && focusMovedByOperator(event))
            session::guarded(w_, [this] { check(); });
        return QObject::eventFilter(watched, event);
    }

private:
    void check()
    {
        QLineEdit &field = *w_.ui->txtLocalID;
        if (w_.ui->lviewStationsAdded->findItems(field.text(), Qt::MatchExactly).isEmpty())
            return;
        w_.messageBoxes().inform(
            &w_, QStringLiteral("This Channel Number ID is already in use.  Please choose another."),
            QStringLiteral("WARNING"), platform::MsgIcon::Exclamation);
        const int id = freeId(steppedId(field.text(), 0), 1, [this](int id) { return localIdInUse(w_, id); });
        field.setText(QString::number(id));
        // Back to the field once the focus has finished moving away.
        QTimer::singleShot(0, &field, [&field] { field.setFocus(Qt::OtherFocusReason); });
    }

    frmTevoHadraConfig &w_;
};

void onPasswordTyped(frmTevoHadraConfig &w)
{
    w.ui->cmdPasswordClear->setEnabled(true);
    w.ui->cmdPasswordApply->setEnabled(true);
}

void connectClicked(frmTevoHadraConfig &w, QAbstractButton *button, void (*command)(frmTevoHadraConfig &))
{
    QObject::connect(button, &QAbstractButton::clicked, &w,
                     [&w, command] { session::guarded(w, [&] { command(w); }); });
}

} // namespace

void stepLocalId(frmTevoHadraConfig &w, int direction)
{
    QLineEdit &field = *w.ui->txtLocalID;
    const int id =
        freeId(steppedId(field.text(), direction), direction, [&w](int id) { return localIdInUse(w, id); });
    field.setText(QString::number(id));
}

void applyNewPassword(frmTevoHadraConfig &w)
{
    if (!w.telnetConnected() && !w.serialOpen())
        return;
    const QString typed = w.txtPassword(1)->text();
    if (typed != w.txtPassword(2)->text()) {
        w.messageBoxes().inform(&w, QStringLiteral("The passwords do not match. Please re-type."),
                                QStringLiteral("Password Mismatch"), platform::MsgIcon::Information);
        forms::clearPasswordFields(w);
        w.txtPassword(1)->setFocus();
        return;
    }
    w.pendingNewPassword = typed.isEmpty() ? QStringLiteral("None") : typed;
    forms::clearPasswordFields(w);
}

void connectFieldValidation(frmTevoHadraConfig &w)
{
    Ui::frmTevoHadraConfig &ui = *w.ui;
    for (QLineEdit *address : {ui.txtEthernetIP, ui.txtRadioIP, ui.txtRouterIP, ui.txtRadiusIP})
        checkAddressTyping(address);
    for (int i = 0; i < kNetmaskLists; ++i)
        makeNetmaskCombo(w.cmboNetmask(i), w.lblStringNetmask(i));
    for (QComboBox *ripTime : {ui.cmbRIPInterval, ui.cmbRIPExpire})
        keepWholeNumbers(ripTime, kShortestRipTime, kLongestRipTime);

    ui.txtEthernetIP->installEventFilter(new EnterMovesOn(ui.txtEthernetIP, w.cmboNetmask(0)));
    ui.txtRadioIP->installEventFilter(new EnterMovesOn(ui.txtRadioIP, ui.txtLocalID));

    selectAllOnEntry(ui.txtLocalID);
    ui.txtLocalID->installEventFilter(new LocalIdCheck(w));
    QObject::connect(ui.updownLocalIDUp, &QToolButton::clicked, &w, [&w] { stepLocalId(w, 1); });
    QObject::connect(ui.updownLocalIDDown, &QToolButton::clicked, &w, [&w] { stepLocalId(w, -1); });

    for (int i = 1; i <= 2; ++i)
        QObject::connect(w.txtPassword(i), &QLineEdit::textEdited, &w, [&w] { onPasswordTyped(w); });
    connectClicked(w, ui.cmdPasswordApply, applyNewPassword);
}
