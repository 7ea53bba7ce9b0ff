#pragma once
// The address-typing rule of every field that takes an IPv4 address: what may be typed is a
// beginning of a dotted-quad address, and OK takes only a whole one.
#include <QString>

class QLineEdit;
class QWidget;
namespace platform {
class MessageBoxes;
}

// Whether `text` may stand in an address field: digits and dots only, at most four octets,
// none empty before a dot, none with a leading zero or above 255. The empty text passes.
bool addressTypingAccepted(const QString &text);

// A whole dotted-quad address: accepted and four non-empty octets.
bool addressComplete(const QString &text);

// Refuses, with a beep, every edit of `field` that leaves text the typing rule does not
// accept. Text put in by the program (a value read from the unit) is shown as it is.
void checkAddressTyping(QLineEdit *field);

// True when `field` holds a whole address or nothing. Otherwise tells the operator which
// field (`fieldName`) is incomplete, puts the focus there and returns false.
bool addressFieldReady(platform::MessageBoxes &boxes, QWidget *parent, QLineEdit *field,
                       const QString &fieldName);
