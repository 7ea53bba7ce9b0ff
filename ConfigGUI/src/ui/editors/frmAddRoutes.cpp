#include "ui/editors/frmAddRoutes.h"

#include "ui/frmTevoHadraConfig.h"
#include "ui/number_combos.h"
#include "ui_frmAddRoutes.h"

#include <QTreeWidgetItem>

namespace {

// The columns of the routes list: the update and the save take only rows whose flags read
// "Static", as the unit reports the routes it was given.
constexpr int kNetmaskColumn = 1;
constexpr int kGatewayColumn = 2;
constexpr int kFlagsColumn = 3;

} // namespace

frmAddRoutes::frmAddRoutes(frmTevoHadraConfig &callingForm)
    : ListEditor(callingForm, kRouteTexts), ui(std::make_unique<Ui::frmAddRoutes>())
{
    ui->setupUi(this);
    connectButtons(ui->cmdOK, ui->cmdCancel);
    addAddressField(ui->txtIPNetwork, ui->lblIPNetwork);
    addAddressField(ui->txtGateway, ui->lblGateway);
    makeNetmaskCombo(ui->cmboNetmask, ui->lblStringNetmask);
    ui->cmboNetmask->setCurrentIndex(-1);
}

frmAddRoutes::~frmAddRoutes() = default;

QString frmAddRoutes::keyText() const
{
    return ui->txtIPNetwork->text();
}

void frmAddRoutes::copyRowIn(const QTreeWidgetItem &row)
{
    ui->txtIPNetwork->setText(row.text(0));
    ui->cmboNetmask->setCurrentText(row.text(kNetmaskColumn));
    ui->txtGateway->setText(row.text(kGatewayColumn));
}

void frmAddRoutes::writeRow(QTreeWidgetItem &row) const
{
    row.setText(kNetmaskColumn, ui->cmboNetmask->currentText());
    row.setText(kGatewayColumn, ui->txtGateway->text());
    row.setText(kFlagsColumn, QStringLiteral("Static"));
}

bool frmAddRoutes::valuesReady()
{
    bool numeric = false;
    ui->cmboNetmask->currentText().toInt(&numeric, 10);
    if (numeric)
        return true;
    frmCallingForm.messageBoxes().inform(this, QStringLiteral("Please enter a netmask value before exiting."),
                                         QStringLiteral("ERROR"), platform::MsgIcon::None);
    ui->cmboNetmask->setFocus();
    return false;
}
