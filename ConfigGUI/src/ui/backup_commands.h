#pragma once
// The commands around the automatic backups: File > "Restore Backup…", File > "Open Backups
// Folder", and Utilities > "Review Changes Before Writing", which turns the review before an
// update on and off.
class frmTevoHadraConfig;

void connectBackupCommands(frmTevoHadraConfig &w);

// Asks for a backup (starting in the unit's backups folder), imports it and runs the update,
// reviewed as for any update. Needs an open connection and a retrieved configuration.
void restoreBackup(frmTevoHadraConfig &w);

// Hands the backups folder to the desktop's file manager.
void openBackupsFolder(frmTevoHadraConfig &w);
