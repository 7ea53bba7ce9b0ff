#pragma once
// Automatic backups: before an update writes anything, the configuration retrieved from the
// unit is saved as a configuration file in a folder of its own per unit, under the per-user
// data folder, readable by its owner only (it holds community strings). The newest
// kBackupsKept of a unit are kept. Window-free, so a run without a display backs up too.
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace forms {

inline constexpr int kBackupsKept = 20;

// <per-user data folder>/backups
QString backupsFolder();

// The name of a unit's folder: its serial number reduced to letters, digits, "-" and "_"
// (the serial number is text from the unit and must not reach outside the backups folder).
QString unitFolderName(const QString &serialNumber);

struct BackupWriting
{
    QString path;  // the file written
    QString error; // why nothing was written; empty on success
};

// Writes `lines` as <backups>/<unit folder>/<yyyyMMdd-HHmmss-zzz>.qdv, named after `when`;
// a name already taken gets "_2", "_3"... Then removes the unit's oldest backups beyond
// kBackupsKept.
BackupWriting writeBackup(const QString &serialNumber, const QStringList &lines, const QDateTime &when);

} // namespace forms
