#pragma once
// The remote unit editor: the remote unit's ID and, when the unit routes, its radio address.
#include "ui/editors/list_editor.h"

#include <memory>

namespace Ui {
class frmAddStation;
}

class frmAddStation : public ListEditor
{
    Q_OBJECT
public:
    explicit frmAddStation(frmTevoHadraConfig &callingForm);
    ~frmAddStation() override;

    std::unique_ptr<Ui::frmAddStation> ui;

private:
    QString keyText() const override;
    void copyRowIn(const QTreeWidgetItem &row) override;
    void writeRow(QTreeWidgetItem &row) const override;
    bool valuesReady() override;
    void stepId(int step);
    bool radioAddressShown() const;
};
