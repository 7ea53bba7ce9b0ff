#pragma once
// The OSPF area dialog: area ID, interface and cost. The unit has no command that reads or
// writes OSPF areas, so nothing typed here is kept; the dialog says so.
#include <QDialog>
#include <memory>

namespace Ui {
class frmAddOSPFArea;
}
class frmTevoHadraConfig;

class frmAddOSPFArea : public QDialog
{
    Q_OBJECT
public:
    explicit frmAddOSPFArea(frmTevoHadraConfig &callingForm);
    ~frmAddOSPFArea() override;

    std::unique_ptr<Ui::frmAddOSPFArea> ui;

protected:
    void showEvent(QShowEvent *event) override;
};
