#pragma once
// The review before an update: every pending write, grouped under the caption of its tab,
// with the value retrieved from the unit and the value to write. "Write to Device" accepts,
// "Cancel" (or Escape) rejects, and nothing is written.
#include <QDialog>
#include <memory>

namespace Ui {
class frmReviewUpdate;
}

class frmReviewUpdate : public QDialog
{
    Q_OBJECT
public:
    explicit frmReviewUpdate(QWidget &parent);
    ~frmReviewUpdate() override;

    std::unique_ptr<Ui::frmReviewUpdate> ui;

    // Adds a write under the group of `tab`, which is made on the tab's first write.
    void addRow(const QString &tab, const QString &setting, const QString &retrieved, const QString &toWrite);

protected:
    void showEvent(QShowEvent *event) override;
};
