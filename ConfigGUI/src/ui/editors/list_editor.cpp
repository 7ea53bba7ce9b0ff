#include "ui/editors/list_editor.h"

#include "dialogs/dialog_placement.h"
#include "dialogs/select_on_entry.h"
#include "ui/address_typing.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

ListEditor::ListEditor(frmTevoHadraConfig &callingForm, const ListTexts &listTexts)
    : QDialog(&callingForm), frmCallingForm(callingForm), texts(listTexts)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

QTreeWidget &ListEditor::list() const
{
    return *(frmCallingForm.ui.get()->*texts.list);
}

void ListEditor::connectButtons(QAbstractButton *ok, QAbstractButton *cancel)
{
    connect(ok, &QAbstractButton::clicked, this, &ListEditor::accept);
    connect(cancel, &QAbstractButton::clicked, this, &ListEditor::reject);
}

void ListEditor::addAddressField(QLineEdit *field, const QLabel *label)
{
    checkAddressTyping(field);
    selectAllOnEntry(field);
    addressFields_.append({field, fieldName(label)});
}

void ListEditor::showToAdd()
{
    blnAddNew = true;
    setWindowTitle(QLatin1String(texts.addCaption));
    exec();
}

void ListEditor::showToEdit(QTreeWidgetItem *row)
{
    blnAddNew = false;
    setWindowTitle(QLatin1String(texts.editCaption));
    itmX = row;
    copyRowIn(*row);
    exec();
}

void ListEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

bool ListEditor::addressesReady()
{
    for (const AddressField &address : addressFields_)
        if (!addressFieldReady(frmCallingForm.messageBoxes(), this, address.field, address.name))
            return false;
    return true;
}

ListEditor::Target ListEditor::findTarget(const QString &key)
{
    const QList<QTreeWidgetItem *> found = list().findItems(key, Qt::MatchExactly);
    if (found.isEmpty()) {
        itmX = new QTreeWidgetItem(&list(), QStringList{key});
        return Target::Write;
    }
    itmX = found.first();
    platform::MessageBox box;
    box.text = QLatin1String(texts.duplicateQuestion);
    box.title = QStringLiteral("Warning");
    box.buttons = platform::MsgButtons::YesNoCancel;
    box.icon = platform::MsgIcon::Question;
    switch (frmCallingForm.messageBoxes().show(this, box)) {
    case platform::MsgAnswer::No:
        return Target::CloseUnchanged;
    case platform::MsgAnswer::Cancel:
        return Target::StayOpen;
    default:
        return Target::Write;
    }
}

void ListEditor::accept()
{
    if (!valuesReady())
        return;
    const QString key = keyText();
    if (key.isEmpty()) {
        reject();
        return;
    }
    if (!addressesReady())
        return;
    if (blnAddNew) {
        switch (findTarget(key)) {
        case Target::StayOpen:
            return;
        case Target::CloseUnchanged:
            reject();
            return;
        case Target::Write:
            break;
        }
    }
    // A retrieval may have refilled the list while the dialog was open: the row is gone.
    if (list().indexOfTopLevelItem(itmX) < 0) {
        reject();
        return;
    }
    itmX->setText(0, key);
    writeRow(*itmX);
    QDialog::accept();
}

QString fieldName(const QLabel *label)
{
    QString name = label->text().remove(QLatin1Char('&')).trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name;
}
