// CTerminalPropPage: the design-time property page. The form is terminal_prop_page.ui;
// this file moves the values between the form and the control.
#include "glyphterm/terminal.h"

#include "ui_terminal_prop_page.h"

#include <QPushButton>

namespace glyphterm {

CTerminalPropPage::CTerminalPropPage(Terminal &terminal, QWidget *parent)
    : QDialog(parent), ui_(std::make_unique<::Ui::CTerminalPropPage>()), terminal_(terminal)
{
    ui_->setupUi(this);
    ui_->cmbEmulation->setCurrentIndex(std::clamp<int>(terminal.Emulation(), emNone, emVT220));
    ui_->spnColumns->setValue(terminal.Columns());
    ui_->spnRows->setValue(terminal.Rows());
    ui_->chkAutoWrap->setChecked(terminal.AutoWrap());
    ui_->chkBell->setChecked(terminal.Bell());
    ui_->chkCursor->setChecked(terminal.Cursor());
    connect(ui_->buttons, &QDialogButtonBox::accepted, this, [this] {
        apply();
        accept();
    });
    connect(ui_->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui_->buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            &CTerminalPropPage::apply);
}

CTerminalPropPage::~CTerminalPropPage() = default;

void CTerminalPropPage::apply()
{
    terminal_.setEmulation(static_cast<short>(ui_->cmbEmulation->currentIndex()));
    terminal_.setColumns(static_cast<short>(ui_->spnColumns->value()));
    terminal_.setRows(static_cast<short>(ui_->spnRows->value()));
    terminal_.setAutoWrap(ui_->chkAutoWrap->isChecked());
    terminal_.setBell(ui_->chkBell->isChecked());
    terminal_.setCursor(ui_->chkCursor->isChecked());
}

} // namespace glyphterm
