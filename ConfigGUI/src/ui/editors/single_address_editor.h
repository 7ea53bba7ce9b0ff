#pragma once
// The editors of lists that hold one address a row (DHCP relay and DNS servers): the same
// behaviour on two forms that differ only in their captions.
#include "ui/editors/list_editor.h"

class SingleAddressEditor : public ListEditor
{
    Q_OBJECT
protected:
    using ListEditor::ListEditor;
    // The form's address field and its label, OK and Cancel.
    void setUpFields(QLineEdit *address, const QLabel *label, QAbstractButton *ok, QAbstractButton *cancel);

private:
    QString keyText() const override;
    void copyRowIn(const QTreeWidgetItem &row) override;
    void writeRow(QTreeWidgetItem &) const override {}

    QLineEdit *address_ = nullptr;
};
