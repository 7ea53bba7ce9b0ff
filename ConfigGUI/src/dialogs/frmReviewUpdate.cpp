#include "dialogs/frmReviewUpdate.h"

#include "dialogs/dialog_placement.h"
#include "ui_frmReviewUpdate.h"

#include <QHeaderView>

frmReviewUpdate::frmReviewUpdate(QWidget &parent) : QDialog(&parent), ui(std::make_unique<Ui::frmReviewUpdate>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    ui->lviewReview->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(ui->cmdWrite, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

frmReviewUpdate::~frmReviewUpdate() = default;

void frmReviewUpdate::addRow(const QString &tab, const QString &setting, const QString &retrieved,
                             const QString &toWrite)
{
    QTreeWidget &list = *ui->lviewReview;
    QTreeWidgetItem *group = nullptr;
    if (const int groups = list.topLevelItemCount(); groups > 0 && list.topLevelItem(groups - 1)->text(0) == tab)
        group = list.topLevelItem(groups - 1);
    if (!group) {
        group = new QTreeWidgetItem(&list, QStringList{tab});
        group->setFirstColumnSpanned(true);
        QFont bold = group->font(0);
        bold.setBold(true);
        group->setFont(0, bold);
        group->setExpanded(true);
    }
    new QTreeWidgetItem(group, QStringList{setting, retrieved, toWrite});
}

void frmReviewUpdate::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    ui->lviewReview->setFocus();
    if (QTreeWidgetItem *first = ui->lviewReview->topLevelItem(0))
        ui->lviewReview->setCurrentItem(first->child(0));
}
