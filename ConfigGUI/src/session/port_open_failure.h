#pragma once
// Why a serial port could not be opened, in words for the operator. A busy port keeps
// its long-standing message; other causes are named, with the device and, for a denied
// permission, the group that owns the device.
#include <QString>

namespace session {

enum class PortFailureKind
{
    Busy,
    PermissionDenied,
    Missing,
    Other
};

struct PortFailure
{
    PortFailureKind kind = PortFailureKind::Other;
    QString device;
    QString ownerGroup;  // PermissionDenied: the device's group
    QString systemError; // Other: the system's description
};

QString portFailureMessage(const PortFailure &failure);

// Works out the cause after QSerialPort refused to open `device`.
PortFailure classifyPortFailure(const QString &device, bool notFound, bool permissionOrLock,
                                const QString &systemError);

} // namespace session
