#pragma once
// "Change IP Address": a new Ethernet address and netmask, or a new radio address, sent to
// the unit at once; the connection is then closed, since the unit answers at its new
// address. Unchanged values close the dialog without asking or sending.
#include <QDialog>
#include <memory>

namespace Ui {
class frmIPAddress;
}
class QComboBox;
class QLineEdit;
class frmTevoHadraConfig;

class frmIPAddress : public QDialog
{
    Q_OBJECT
public:
    // The address field and netmask list of the main window the dialog changes; with
    // `isRadio` the radio address, which has no netmask here.
    frmIPAddress(frmTevoHadraConfig &callingForm, QLineEdit *address, QComboBox *netmask, bool isRadio);
    ~frmIPAddress() override;

    std::unique_ptr<Ui::frmIPAddress> ui;
    QLineEdit *const refIPAddress;
    QComboBox *const refNetmask;
    const bool bIsRadio;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void accept() override;
    void commit();

    frmTevoHadraConfig &frmCallingForm;
};
