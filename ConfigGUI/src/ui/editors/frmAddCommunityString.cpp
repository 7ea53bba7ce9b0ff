#include "ui/editors/frmAddCommunityString.h"

#include "ui_frmAddCommunityString.h"

#include <QTreeWidgetItem>

namespace {
constexpr int kAccessColumn = 1;
} // namespace

frmAddCommunityString::frmAddCommunityString(frmTevoHadraConfig &callingForm)
    : ListEditor(callingForm, kCommunityTexts), ui(std::make_unique<Ui::frmAddCommunityString>())
{
    ui->setupUi(this);
    connectButtons(ui->cmdOK, ui->cmdCancel);
}

frmAddCommunityString::~frmAddCommunityString() = default;

QString frmAddCommunityString::keyText() const
{
    return ui->cmboCommunityString->currentText();
}

void frmAddCommunityString::copyRowIn(const QTreeWidgetItem &row)
{
    ui->cmboCommunityString->setCurrentText(row.text(0));
    const bool readOnly = row.text(kAccessColumn) == QLatin1String("read");
    (readOnly ? ui->OptCommunity_0 : ui->OptCommunity_1)->setChecked(true);
}

void frmAddCommunityString::writeRow(QTreeWidgetItem &row) const
{
    row.setText(kAccessColumn,
                ui->OptCommunity_0->isChecked() ? QStringLiteral("read") : QStringLiteral("write"));
}
