#include "ui/editors/single_address_editor.h"

#include <QLineEdit>
#include <QTreeWidgetItem>

void SingleAddressEditor::setUpFields(QLineEdit *address, const QLabel *label, QAbstractButton *ok,
                                      QAbstractButton *cancel)
{
    address_ = address;
    connectButtons(ok, cancel);
    addAddressField(address, label);
}

QString SingleAddressEditor::keyText() const
{
    return address_->text();
}

void SingleAddressEditor::copyRowIn(const QTreeWidgetItem &row)
{
    address_->setText(row.text(0));
}
