#include "ui/editors/frmAddDNSServer.h"

#include "ui_frmAddDNSServer.h"

frmAddDNSServer::frmAddDNSServer(frmTevoHadraConfig &callingForm)
    : SingleAddressEditor(callingForm, kDnsServerTexts), ui(std::make_unique<Ui::frmAddDNSServer>())
{
    ui->setupUi(this);
    setUpFields(ui->mskIP, ui->lblIP, ui->cmdOK, ui->cmdCancel);
}

frmAddDNSServer::~frmAddDNSServer() = default;
