#include "ui/address_typing.h"

#include "platform/message_boxes.h"

#include <QApplication>
#include <QLineEdit>
#include <QValidator>

namespace {

constexpr int kOctets = 4;

bool octetAccepted(QStringView octet)
{
    if (octet.size() > 3)
        return false;
    for (QChar c : octet)
        if (!c.isDigit())
            return false;
    // "0" ends its octet; any other octet is at most 255.
    if (octet.size() > 1 && octet.front() == u'0')
        return false;
    return octet.toInt() <= 255;
}

class AddressTypingValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override
    {
        if (!addressTypingAccepted(input))
            return Invalid;
        return input.isEmpty() || addressComplete(input) ? Acceptable : Intermediate;
    }
};

} // namespace

bool addressTypingAccepted(const QString &text)
{
    const QList<QStringView> octets = QStringView(text).split(u'.');
    if (octets.size() > kOctets)
        return false; // a dot after the fourth octet
    for (qsizetype i = 0; i < octets.size(); ++i) {
        const bool last = i + 1 == octets.size();
        // An octet may not begin with a dot; only the one being typed may still be empty.
        if ((octets[i].isEmpty() && !last) || !octetAccepted(octets[i]))
            return false;
    }
    return true;
}

bool addressComplete(const QString &text)
{
    return addressTypingAccepted(text) && text.count(u'.') == kOctets - 1 && !text.endsWith(u'.');
}

void checkAddressTyping(QLineEdit *field)
{
    field->setValidator(new AddressTypingValidator(field));
    QObject::connect(field, &QLineEdit::inputRejected, field, [] { QApplication::beep(); });
}

bool addressFieldReady(platform::MessageBoxes &boxes, QWidget *parent, QLineEdit *field,
                       const QString &fieldName)
{
    const QString text = field->text();
    if (text.isEmpty() || addressComplete(text))
        return true;
    boxes.inform(
        parent,
        QStringLiteral("\"%1\" is not a complete IP address. Please complete the %2 field or clear it.")
            .arg(text, fieldName),
        QStringLiteral("ERROR"), platform::MsgIcon::Exclamation);
    field->setFocus();
    return false;
}
