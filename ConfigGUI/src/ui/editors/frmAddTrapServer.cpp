#include "ui/editors/frmAddTrapServer.h"

#include "ui/frmTevoHadraConfig.h"
#include "ui_frmAddTrapServer.h"
#include "ui_frmTevoHadraConfig.h"

#include <QTreeWidgetItem>

namespace {
constexpr int kCommunityColumn = 1;
} // namespace

frmAddTrapServer::frmAddTrapServer(frmTevoHadraConfig &callingForm)
    : ListEditor(callingForm, kTrapServerTexts), ui(std::make_unique<Ui::frmAddTrapServer>())
{
    ui->setupUi(this);
    connectButtons(ui->cmdOK, ui->cmdCancel);
    addAddressField(ui->cmboTrapIP->lineEdit(), ui->lblTrapIP);
    // The communities the unit knows are offered for the traps.
    const QTreeWidget &communities = *callingForm.ui->lviewSNMPCommunities;
    for (int i = 0; i < communities.topLevelItemCount(); ++i)
        ui->cmboTrapCommunity->addItem(communities.topLevelItem(i)->text(0));
    ui->cmboTrapCommunity->setCurrentIndex(-1);
}

frmAddTrapServer::~frmAddTrapServer() = default;

QString frmAddTrapServer::keyText() const
{
    return ui->cmboTrapIP->currentText();
}

void frmAddTrapServer::copyRowIn(const QTreeWidgetItem &row)
{
    ui->cmboTrapIP->setCurrentText(row.text(0));
    ui->cmboTrapCommunity->setCurrentText(row.text(kCommunityColumn));
}

void frmAddTrapServer::writeRow(QTreeWidgetItem &row) const
{
    row.setText(kCommunityColumn, ui->cmboTrapCommunity->currentText());
}
