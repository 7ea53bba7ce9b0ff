#include "ui/editors/frmAddStation.h"

#include "ui/frmTevoHadraConfig.h"
#include "ui/local_ids.h"
#include "ui_frmAddStation.h"
#include "ui_frmTevoHadraConfig.h"

#include <QRadioButton>
#include <QTreeWidgetItem>

namespace {
constexpr int kOwnAddressColumn = 1;
constexpr int kRemoteAddressColumn = 2;
} // namespace

frmAddStation::frmAddStation(frmTevoHadraConfig &callingForm)
    : ListEditor(callingForm, kStationTexts), ui(std::make_unique<Ui::frmAddStation>())
{
    ui->setupUi(this);
    connectButtons(ui->cmdOK, ui->cmdCancel);
    addAddressField(ui->mskIP, ui->lblIP);
    connect(ui->updownLocalIDUp, &QToolButton::clicked, this, [this] { stepId(1); });
    connect(ui->updownLocalIDDown, &QToolButton::clicked, this, [this] { stepId(-1); });
    // A bridging unit reaches its remote units without radio addresses.
    const bool routing = !callingForm.optForwardingMode(0)->isChecked();
    ui->mskIP->setVisible(routing);
    ui->lblIP->setVisible(routing);
}

frmAddStation::~frmAddStation() = default;

bool frmAddStation::radioAddressShown() const
{
    return !ui->mskIP->isHidden();
}

void frmAddStation::stepId(int step)
{
    ui->txtLocalID->setText(QString::number(steppedId(ui->txtLocalID->text(), step)));
}

QString frmAddStation::keyText() const
{
    return ui->txtLocalID->text().trimmed();
}

bool frmAddStation::valuesReady()
{
    const QString id = keyText();
    if (id.isEmpty() || idInRange(id))
        return true;
    frmCallingForm.messageBoxes().inform(
        this, QStringLiteral("The Remote ID must be a number from %1 to %2.").arg(kLowestId).arg(kHighestId),
        QStringLiteral("ERROR"), platform::MsgIcon::Exclamation);
    ui->txtLocalID->setFocus();
    return false;
}

void frmAddStation::copyRowIn(const QTreeWidgetItem &row)
{
    ui->txtLocalID->setText(row.text(0));
    if (radioAddressShown())
        ui->mskIP->setText(row.text(kRemoteAddressColumn));
}

void frmAddStation::writeRow(QTreeWidgetItem &row) const
{
    if (!radioAddressShown())
        return;
    row.setText(kRemoteAddressColumn, ui->mskIP->text());
    // A routing unit reports every remote unit with its own radio address beside it; a new
    // row carries it too, so the update's check finds the row the unit reports afterwards.
    if (row.text(kOwnAddressColumn).isEmpty())
        row.setText(kOwnAddressColumn, frmCallingForm.ui->txtRadioIP->text());
}
