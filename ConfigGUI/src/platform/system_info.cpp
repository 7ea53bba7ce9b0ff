#include "platform/system_info.h"

#include <QProcess>
#include <QStandardPaths>

namespace platform {

QStringList systemInfoPrograms()
{
    return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("lshw-gtk"), QStringLiteral("gnome-system-monitor")};
}

QString findSystemInfoProgram(const QString &searchPath)
{
    const QStringList folders = searchPath.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    // An empty folder list would make the lookup fall back to PATH.
    if (folders.isEmpty())
        return QString();
    for (const QString &program : systemInfoPrograms()) {
        const QString path = QStandardPaths::findExecutable(program, folders);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

bool startSystemInfo()
{
    const QString program = findSystemInfoProgram(qEnvironmentVariable("PATH"));
    return !program.isEmpty() && QProcess::startDetached(program, {});
}

} // namespace platform
