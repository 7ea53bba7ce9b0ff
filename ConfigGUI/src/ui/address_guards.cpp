#include "ui/address_guards.h"

#include "forms/configuration_transfer.h"
#include "session/handler_boundary.h"
#include "ui/configuration_commands.h"
#include "ui/editors/frmIPAddress.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui/operator_focus.h"
#include "ui_frmTevoHadraConfig.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

const QString kChangeRefused = QStringLiteral(
    "Sorry, you cannot change the IP address until all other changes have been saved to the device first.");

bool changesPending(frmTevoHadraConfig &w)
{
    return w.configurationTransfer().NumberOfConfigurationChanges() > 0;
}

// Once the click that gave the field the focus has placed the cursor.
void selectWholeText(QLineEdit *field)
{
    QTimer::singleShot(0, field, &QLineEdit::selectAll);
}

void refuseAddressChange(frmTevoHadraConfig &w)
{
    w.messageBoxes().inform(&w, kChangeRefused, QStringLiteral("WARNING"), platform::MsgIcon::Exclamation);
}

// Keys that open a combo's list or step through its items.
bool opensOrSteps(const QKeyEvent &key)
{
    switch (key.key()) {
    case Qt::Key_F4:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

// The guards' object name, by which the window removes them before it is destroyed.
const QString kGuardName = QStringLiteral("addressGuard");

// What the guards share: the window they guard, and the name by which it removes them.
class AddressGuard : public QObject
{
public:
    explicit AddressGuard(frmTevoHadraConfig &w) : QObject(&w), w_(w) { setObjectName(kGuardName); }

protected:
    frmTevoHadraConfig &w_;
};

// Over telnet the netmask lists of the two addresses open the address dialog instead of
// their list; nothing else changes them there.
class NetmaskListGuard : public AddressGuard
{
public:
    using AddressGuard::AddressGuard;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Only the operator's clicks, keys and wheel turns are looked at: other events also
        // arrive while the window is being destroyed, when it must not be asked anything.
        const QEvent::Type type = event->type();
        const bool opens = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
                           (type == QEvent::KeyPress && opensOrSteps(*static_cast<QKeyEvent *>(event)));
        if ((opens || type == QEvent::Wheel) && w_.telnetConnected()) {
            if (opens)
                openGuard();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void openGuard()
    {
        session::guarded(w_, [this] { guardEthernetAddress(w_); });
    }
};

class EthernetFieldGuard : public AddressGuard
{
public:
    using AddressGuard::AddressGuard;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn && focusMovedByOperator(event))
            session::guarded(w_, [this] { guardEthernetAddress(w_); });
        return QObject::eventFilter(watched, event);
    }
};

class RadioFieldGuard : public AddressGuard
{
public:
    using AddressGuard::AddressGuard;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn && focusMovedByOperator(event))
            session::guarded(w_, [this] { onEntry(); });
        else if (event->type() == QEvent::FocusOut && focusMovedByOperator(event))
            session::guarded(w_, [this] { onLeaving(); });
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit &field() const { return *w_.ui->txtRadioIP; }
    const std::optional<forms::ConfigRecord> &retrieved() const
    {
        return w_.configurationTransfer().retrievedRecord;
    }

    void onEntry()
    {
        if (!w_.telnetConnected())
            return;
        rememberedAddress_ = field().text();
        if (changesPending(w_)) {
            if (retrieved()) {
                refuseAddressChange(w_);
                field().setReadOnly(true);
                return;
            }
            field().setReadOnly(false);
        } else if (retrieved() && !retrieved()->radioAddress.isEmpty()) {
            platform::MessageBox question;
            question.text = QStringLiteral("Misconfiguring the radio IP address could render the unit "
                                           "inaccessible.\rAre you sure you want to change it?");
            question.title = QStringLiteral("WARNING");
            question.buttons = platform::MsgButtons::YesNo;
            question.icon = platform::MsgIcon::Exclamation;
            const bool yes = w_.messageBoxes().show(&w_, question) == platform::MsgAnswer::Yes;
            field().setReadOnly(!yes);
            if (!yes)
                return;
        } else {
            field().setReadOnly(false);
        }
        selectWholeText(&field());
    }

    void onLeaving()
    {
        if (field().isReadOnly() || !w_.telnetConnected())
            return;
        if (!retrieved() || field().text() == rememberedAddress_)
            return;
        rememberedAddress_ = field().text();
        w_.messageBoxes().inform(
            &w_, QStringLiteral("The unit must have its radio configuration updated immediately"), QString(),
            platform::MsgIcon::Information);
        // The operator has just confirmed the change: it is written without a review, but
        // backed up like any update.
        startUpdate(w_, w_.configurationTransfer(), false, forms::UpdateReview::Skip);
    }

    // The radio address when the field was last entered over telnet.
    QString rememberedAddress_;
};

} // namespace

void guardEthernetAddress(frmTevoHadraConfig &w)
{
    if (w.serialOpen() && !w.telnetConnected()) {
        selectWholeText(w.ui->txtEthernetIP);
        return;
    }
    if (!w.telnetConnected())
        return;
    if (changesPending(w)) {
        refuseAddressChange(w);
        return;
    }
    w.ui->txtLocalID->setFocus();
    (new frmIPAddress(w, w.ui->txtEthernetIP, w.cmboNetmask(0), false))->exec();
}

void connectAddressGuards(frmTevoHadraConfig &w)
{
    w.ui->txtEthernetIP->installEventFilter(new EthernetFieldGuard(w));
    w.ui->txtRadioIP->installEventFilter(new RadioFieldGuard(w));
    auto *netmaskGuard = new NetmaskListGuard(w);
    for (int i = 0; i < 2; ++i) {
        w.cmboNetmask(i)->installEventFilter(netmaskGuard);
        w.cmboNetmask(i)->lineEdit()->installEventFilter(netmaskGuard);
    }
}

void disconnectAddressGuards(frmTevoHadraConfig &w)
{
    qDeleteAll(w.findChildren<QObject *>(kGuardName, Qt::FindDirectChildrenOnly));
}
