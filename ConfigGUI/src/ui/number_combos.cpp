#include "ui/number_combos.h"

#include "session/mod_config_script.h"
#include "ui/address_typing.h"
#include "ui/operator_focus.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>

namespace {

constexpr int kLongestPrefix = 32;

bool wholeNumberIn(const QString &text, int lowest, int highest)
{
    bool numeric = false;
    const int number = text.toInt(&numeric, 10);
    return numeric && number >= lowest && number <= highest;
}

class WholeNumberGuard : public QObject
{
public:
    WholeNumberGuard(QComboBox *combo, int lowest, int highest)
        : QObject(combo), combo_(combo), lowest_(lowest), highest_(highest)
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A combo box that is being destroyed still sends focus events, but is no longer a
        // QComboBox: it is left alone then.
        if (qobject_cast<QComboBox *>(watched) == nullptr)
            return QObject::eventFilter(watched, event);
        if (event->type() == QEvent::FocusIn && focusMovedByOperator(event))
            onEntry_ = combo_->currentText();
        else if (event->type() == QEvent::FocusOut && focusMovedByOperator(event))
            onLeaving();
        return QObject::eventFilter(watched, event);
    }

private:
    void onLeaving()
    {
        const QString text = combo_->currentText();
        if (text == onEntry_ || wholeNumberIn(text, lowest_, highest_))
            return;
        combo_->setCurrentText(onEntry_);
        QApplication::beep();
    }

    QComboBox *combo_;
    int lowest_;
    int highest_;
    QString onEntry_;
};

} // namespace

void keepWholeNumbers(QComboBox *combo, int lowest, int highest)
{
    combo->installEventFilter(new WholeNumberGuard(combo, lowest, highest));
}

void showDottedNetmask(QComboBox *combo, QLabel *label)
{
    QObject::connect(combo, &QComboBox::currentTextChanged, label, [label](const QString &text) {
        bool numeric = false;
        const int prefix = text.toInt(&numeric, 10);
        if (numeric && prefix >= 0)
            label->setText(modConfigScript::PrefixToNetmask(prefix));
        // A unit that reports a netmask in dotted form (the RADIUS netmask) shows it as such.
        else if (addressComplete(text))
            label->setText(text);
    });
}

void makeNetmaskCombo(QComboBox *combo, QLabel *dottedLabel)
{
    keepWholeNumbers(combo, 0, kLongestPrefix);
    showDottedNetmask(combo, dottedLabel);
}
