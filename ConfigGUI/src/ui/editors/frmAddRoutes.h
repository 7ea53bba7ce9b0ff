#pragma once
// The route editor: destination network, netmask (a prefix length, shown dotted beside it)
// and gateway of a static route.
#include "ui/editors/list_editor.h"

#include <memory>

namespace Ui {
class frmAddRoutes;
}

class frmAddRoutes : public ListEditor
{
    Q_OBJECT
public:
    explicit frmAddRoutes(frmTevoHadraConfig &callingForm);
    ~frmAddRoutes() override;

    std::unique_ptr<Ui::frmAddRoutes> ui;

private:
    QString keyText() const override;
    void copyRowIn(const QTreeWidgetItem &row) override;
    void writeRow(QTreeWidgetItem &row) const override;
    bool valuesReady() override;
};
