// Raised control errors, their texts, and the text form of class identities.
#include "control_error.h"

#include "wiretalk/socket_layer.h"

namespace wiretalk {

ControlError::ControlError(int number, QString description)
    : m_number(number), m_description(std::move(description)),
      m_what(QStringLiteral("%1: %2").arg(number).arg(m_description).toStdString())
{}

QString ErrorText(int number)
{
    switch (number) {
    case kCtlInvalidProcedureCall:
        return QStringLiteral("Invalid procedure call or argument");
    case kCtlOverflow:
        return QStringLiteral("Overflow");
    case kCtlOutOfMemory:
        return QStringLiteral("Out of memory");
    case kCtlDeviceUnavailable:
        return QStringLiteral("Device unavailable");
    case kCtlInvalidPropertyValue:
        return QStringLiteral("Invalid property value");
    case kCtlSetNotPermitted:
        return QStringLiteral("Set not permitted");
    case kCtlGetNotSupported:
        return QStringLiteral("Get not supported");
    default:
        break;
    }
    if (const char *message = ErrorMessage(number))
        return QString::fromLatin1(message);
    return QStringLiteral("Unknown control error %1").arg(number);
}

void Raise(int number)
{
    throw ControlError(number, ErrorText(number));
}

QString GuidToString(const GUID &guid)
{
    return QString::asprintf("{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.Data1, guid.Data2,
                             guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3],
                             guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
}

} // namespace wiretalk
