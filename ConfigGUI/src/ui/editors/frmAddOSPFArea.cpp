#include "ui/editors/frmAddOSPFArea.h"

#include "dialogs/dialog_placement.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmAddOSPFArea.h"

frmAddOSPFArea::frmAddOSPFArea(frmTevoHadraConfig &callingForm)
    : QDialog(&callingForm), ui(std::make_unique<Ui::frmAddOSPFArea>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

frmAddOSPFArea::~frmAddOSPFArea() = default;

void frmAddOSPFArea::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}
