#pragma once
// The SNMP trap server editor: the server's address and the community its traps carry.
#include "ui/editors/list_editor.h"

#include <memory>

namespace Ui {
class frmAddTrapServer;
}

class frmAddTrapServer : public ListEditor
{
    Q_OBJECT
public:
    explicit frmAddTrapServer(frmTevoHadraConfig &callingForm);
    ~frmAddTrapServer() override;

    std::unique_ptr<Ui::frmAddTrapServer> ui;

private:
    QString keyText() const override;
    void copyRowIn(const QTreeWidgetItem &row) override;
    void writeRow(QTreeWidgetItem &row) const override;
};
