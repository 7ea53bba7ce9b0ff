#pragma once
// The SNMP community editor: the community string and its access, "read" or "write".
#include "ui/editors/list_editor.h"

#include <memory>

namespace Ui {
class frmAddCommunityString;
}

class frmAddCommunityString : public ListEditor
{
    Q_OBJECT
public:
    explicit frmAddCommunityString(frmTevoHadraConfig &callingForm);
    ~frmAddCommunityString() override;

    std::unique_ptr<Ui::frmAddCommunityString> ui;

private:
    QString keyText() const override;
    void copyRowIn(const QTreeWidgetItem &row) override;
    void writeRow(QTreeWidgetItem &row) const override;
};
