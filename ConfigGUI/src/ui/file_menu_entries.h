#pragma once
// Entries the subsystems add to the File menu.
#include <QList>

class QAction;
class frmTevoHadraConfig;

// Puts the entries, as a group of their own, above the separator before "Exit".
void addToFileMenu(frmTevoHadraConfig &w, const QList<QAction *> &entries);
