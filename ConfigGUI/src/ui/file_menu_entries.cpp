#include "ui/file_menu_entries.h"

#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QMenu>

void addToFileMenu(frmTevoHadraConfig &w, const QList<QAction *> &entries)
{
    QMenu *file = w.ui->mnuFile;
    const QList<QAction *> present = file->actions();
    const qsizetype exit = present.indexOf(w.ui->mnuFileExit);
    QAction *before = exit > 0 && present[exit - 1]->isSeparator() ? present[exit - 1] : w.ui->mnuFileExit;
    file->insertSeparator(before);
    file->insertActions(before, entries);
}
