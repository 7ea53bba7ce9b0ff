#pragma once
// What the list editors share: each edits one row of a list view of the main window. Opened
// to add, OK looks for a row with the same key and, when there is one, asks whether to
// overwrite it; opened to edit, the row is copied in and OK overwrites it. An empty key
// closes the dialog without change. The per-list texts and limits are data (list_texts.h);
// each editor supplies its fields.
#include "ui/editors/list_texts.h"

#include <QDialog>
#include <QList>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class frmTevoHadraConfig;

class ListEditor : public QDialog
{
    Q_OBJECT
public:
    // True: OK adds a row (or overwrites the one with the same key); false: it overwrites itmX.
    bool blnAddNew = false;
    frmTevoHadraConfig &frmCallingForm;
    // The row being edited; in add mode the row found or added by OK.
    QTreeWidgetItem *itmX = nullptr;
    const ListTexts &texts;

    // Shows the dialog modally to add a row.
    void showToAdd();
    // Shows the dialog modally with `row` copied in, to overwrite it.
    void showToEdit(QTreeWidgetItem *row);

    // The list view of the calling window that this editor writes.
    QTreeWidget &list() const;

protected:
    ListEditor(frmTevoHadraConfig &callingForm, const ListTexts &listTexts);

    // Called by each editor after its form is set up.
    void connectButtons(QAbstractButton *ok, QAbstractButton *cancel);
    // An address field: typing is checked, and OK refuses an incomplete address, naming the
    // field by its label.
    void addAddressField(QLineEdit *field, const QLabel *label);

    // The key field's text: the row's text.
    virtual QString keyText() const = 0;
    virtual void copyRowIn(const QTreeWidgetItem &row) = 0;
    // Writes the fields into `row`; its text is already the key.
    virtual void writeRow(QTreeWidgetItem &row) const = 0;
    // Checks of the editor's own, before anything else OK does; false keeps the dialog open.
    virtual bool valuesReady() { return true; }

    void showEvent(QShowEvent *event) override;

private:
    void accept() override;
    bool addressesReady();
    // In add mode: sets itmX to the row with `key` (asking whether to overwrite it) or to a
    // new row, and says what OK does next.
    enum class Target
    {
        Write,
        CloseUnchanged,
        StayOpen
    };
    Target findTarget(const QString &key);

    struct AddressField
    {
        QLineEdit *field;
        QString name;
    };
    QList<AddressField> addressFields_;
};

// The caption of a label without its access-key "&" and its closing colon.
QString fieldName(const QLabel *label);
