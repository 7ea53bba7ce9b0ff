// The design-time property page: host name, terminal, port, time-out, binary, blocking
// and local echo, shown filled from the control and written back on OK.
#include "control_error.h"
#include "ui_telnet_client_prop_page.h"

#include <QMessageBox>

namespace wiretalk {

bool TelnetClient::ShowPropertyPage(QWidget *parent)
{
    QDialog page(parent);
    Ui::TelnetClientPropPage form;
    form.setupUi(&page);
    form.txtHostName->setText(!m_hostName.isEmpty() ? m_hostName : m_hostAddress);
    form.txtTerminal->setText(m_terminal);
    form.spnPort->setValue(m_remotePort);
    form.spnTimeout->setValue(m_timeout);
    form.chkBinary->setChecked(m_binary);
    form.chkBlocking->setChecked(m_blocking);
    form.chkLocalEcho->setChecked(m_localEcho);
    while (page.exec() == QDialog::Accepted) {
        try {
            setHostName(form.txtHostName->text());
            setTerminal(form.txtTerminal->text());
            setRemotePort(form.spnPort->value());
            setTimeout(static_cast<short>(form.spnTimeout->value()));
            setBinary(form.chkBinary->isChecked());
            setBlocking(form.chkBlocking->isChecked());
            setLocalEcho(form.chkLocalEcho->isChecked());
            return true;
        } catch (const ControlError &error) {
            QMessageBox::warning(&page, page.windowTitle(), error.description());
        }
    }
    return false;
}

} // namespace wiretalk
