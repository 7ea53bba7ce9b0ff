#pragma once
// The DNS server editor: one address a row.
#include "ui/editors/single_address_editor.h"

#include <memory>

namespace Ui {
class frmAddDNSServer;
}

class frmAddDNSServer : public SingleAddressEditor
{
    Q_OBJECT
public:
    explicit frmAddDNSServer(frmTevoHadraConfig &callingForm);
    ~frmAddDNSServer() override;

    std::unique_ptr<Ui::frmAddDNSServer> ui;
};
