#include "ui/editors/frmAddDHCPServer.h"

#include "ui_frmAddDHCPServer.h"

frmAddDHCPServer::frmAddDHCPServer(frmTevoHadraConfig &callingForm)
    : SingleAddressEditor(callingForm, kDhcpServerTexts), ui(std::make_unique<Ui::frmAddDHCPServer>())
{
    ui->setupUi(this);
    setUpFields(ui->mskIP, ui->lblIP, ui->cmdOK, ui->cmdCancel);
}

frmAddDHCPServer::~frmAddDHCPServer() = default;
