#pragma once
// The DHCP relay server editor: one address a row.
#include "ui/editors/single_address_editor.h"

#include <memory>

namespace Ui {
class frmAddDHCPServer;
}

class frmAddDHCPServer : public SingleAddressEditor
{
    Q_OBJECT
public:
    explicit frmAddDHCPServer(frmTevoHadraConfig &callingForm);
    ~frmAddDHCPServer() override;

    std::unique_ptr<Ui::frmAddDHCPServer> ui;
};
