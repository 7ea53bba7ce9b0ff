#include "forms/configuration_backups.h"

#include "forms/configuration_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <tuple>

namespace forms {

namespace {

constexpr QFile::Permissions kOwnerOnlyFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
constexpr QFile::Permissions kOwnerOnlyFile =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;

// A backup's name: its time stamp, then "_N" when an earlier backup took the stamp.
const QRegularExpression kBackupName(QStringLiteral("^(\\d{8}-\\d{6}-\\d{3})(?:_(\\d+))?\\.qdv$"));

// Creates the folder when it is missing, readable by its owner only.
QString makePrivateFolder(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isDir())
        return QStringLiteral("%1 is not a folder.").arg(QDir::toNativeSeparators(path));
    if (!info.exists() && !QDir().mkdir(path, kOwnerOnlyFolder))
        return QStringLiteral("The folder %1 could not be created.").arg(QDir::toNativeSeparators(path));
    if (!QFile::setPermissions(path, kOwnerOnlyFolder))
        return QStringLiteral("The folder %1 could not be made private.").arg(QDir::toNativeSeparators(path));
    return QString();
}

// Creates the backup file, empty and private, under the first free name for the stamp.
// Created exclusively, so two backups never share a file.
QString createBackupFile(const QString &folder, const QString &stamp, QString &error)
{
    for (int n = 1; n < 1000; ++n) {
        const QString name = n == 1 ? stamp : stamp + QLatin1Char('_') + QString::number(n);
        const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".qdv");
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, kOwnerOnlyFile))
            return path;
        if (!file.exists()) {
            error = file.errorString();
            return QString();
        }
    }
    error = QStringLiteral("Too many backups carry the time %1.").arg(stamp);
    return QString();
}

// Removes all but the newest kBackupsKept backups of the folder. Other files are left alone.
void removeOldBackups(const QString &folder)
{
    struct Backup
    {
        QString stamp;
        int number;
        QString name;
    };
    QList<Backup> backups;
    for (const QString &name : QDir(folder).entryList(QDir::Files)) {
        const QRegularExpressionMatch match = kBackupName.match(name);
        if (match.hasMatch())
            backups.append(
                {match.captured(1), match.captured(2).isEmpty() ? 1 : match.captured(2).toInt(), name});
    }
    std::sort(backups.begin(), backups.end(), [](const Backup &a, const Backup &b) {
        return std::tie(a.stamp, a.number) < std::tie(b.stamp, b.number);
    });
    // A backup that cannot be removed only takes room; the next backup tries again.
    for (qsizetype i = 0; i + kBackupsKept < backups.size(); ++i)
        QFile::remove(folder + QLatin1Char('/') + backups[i].name);
}

} // namespace

QString backupsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/backups");
}

QString unitFolderName(const QString &serialNumber)
{
    QString name;
    for (const QChar c : serialNumber)
        if ((c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('-') || c == QLatin1Char('_'))
            name += c;
    return name.isEmpty() ? QStringLiteral("unknown") : name;
}

BackupWriting writeBackup(const QString &serialNumber, const QStringList &lines, const QDateTime &when)
{
    BackupWriting result;
    const QString root = backupsFolder();
    const QString dataFolder = QFileInfo(root).path();
    if (!QDir().mkpath(dataFolder)) {
        result.error =
            QStringLiteral("The folder %1 could not be created.").arg(QDir::toNativeSeparators(dataFolder));
        return result;
    }
    const QString folder = root + QLatin1Char('/') + unitFolderName(serialNumber);
    for (const QString &path : {root, folder}) {
        result.error = makePrivateFolder(path);
        if (!result.error.isEmpty())
            return result;
    }
    const QString path =
        createBackupFile(folder, when.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")), result.error);
    if (path.isEmpty())
        return result;
    result.error = writeConfigurationFile(path, lines);
    if (result.error.isEmpty() && !QFile::setPermissions(path, kOwnerOnlyFile))
        result.error = QStringLiteral("%1 could not be made private.").arg(QDir::toNativeSeparators(path));
    if (!result.error.isEmpty()) {
        QFile::remove(path);
        return result;
    }
    result.path = path;
    removeOldBackups(folder);
    return result;
}

} // namespace forms
