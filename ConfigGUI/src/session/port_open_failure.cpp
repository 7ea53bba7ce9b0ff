#include "session/port_open_failure.h"

#include <QFile>
#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace session {

QString portFailureMessage(const PortFailure &failure)
{
    switch (failure.kind) {
    case PortFailureKind::Busy:
        return QStringLiteral("This Port is Already in Use!");
    case PortFailureKind::PermissionDenied:
        return QStringLiteral("Permission denied for the serial device %1.\r\n"
                              "Ask for your user to be added to the group \"%2\", then log in again.")
            .arg(failure.device, failure.ownerGroup);
    case PortFailureKind::Missing:
        return QStringLiteral(
                   "The serial device %1 does not exist.\r\n"
                   "Check that the adapter is plugged in, or choose another port under Port Properties.")
            .arg(failure.device);
    case PortFailureKind::Other:
        break;
    }
    return QStringLiteral("The serial device %1 could not be opened: %2")
        .arg(failure.device, failure.systemError);
}

PortFailure classifyPortFailure(const QString &device, bool notFound, bool permissionOrLock,
                                const QString &systemError)
{
    PortFailure failure;
    failure.device = device;
    failure.systemError = systemError;
    const QByteArray path = QFile::encodeName(device);
    struct stat info
    {
    };
    if (notFound || device.isEmpty() || ::stat(path.constData(), &info) != 0) {
        failure.kind = PortFailureKind::Missing;
        return failure;
    }
    if (!permissionOrLock)
        return failure;
    // QSerialPort reports a lock held by another process and a denied open alike.
    if (::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES) {
        failure.kind = PortFailureKind::PermissionDenied;
        const group *owner = ::getgrgid(info.st_gid);
        failure.ownerGroup = owner ? QString::fromLocal8Bit(owner->gr_name) : QString::number(info.st_gid);
        return failure;
    }
    failure.kind = PortFailureKind::Busy;
    return failure;
}

} // namespace session
