#include "ui/list_editor_commands.h"

#include "session/handler_boundary.h"
#include "ui/editors/frmAddCommunityString.h"
#include "ui/editors/frmAddDHCPServer.h"
#include "ui/editors/frmAddDNSServer.h"
#include "ui/editors/frmAddOSPFArea.h"
#include "ui/editors/frmAddRoutes.h"
#include "ui/editors/frmAddStation.h"
#include "ui/editors/frmAddTrapServer.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QRadioButton>
#include <QTreeWidget>

namespace {

using Button = QPushButton *Ui::frmTevoHadraConfig::*;

// One list's buttons and how its editor is made.
struct ListButtons
{
    Button add;
    Button edit;
    Button remove;
    const ListTexts &texts;
    ListEditor *(*makeEditor)(frmTevoHadraConfig &w);
    // Whether Add may open the editor; tells the operator why not.
    bool (*mayAdd)(frmTevoHadraConfig &w, const ListTexts &texts);
};

template <typename Editor> ListEditor *make(frmTevoHadraConfig &w)
{
    return new Editor(w);
}

QTreeWidget &listOf(frmTevoHadraConfig &w, const ListTexts &texts)
{
    return *(w.ui.get()->*texts.list);
}

// The row Edit and Delete work on: the selected one, else the current one, else the first.
QTreeWidgetItem *selectedRow(QTreeWidget &list)
{
    const QList<QTreeWidgetItem *> selected = list.selectedItems();
    if (!selected.isEmpty())
        return selected.first();
    return list.currentItem() ? list.currentItem() : list.topLevelItem(0);
}

// A station talks to one remote unit only.
bool stationMayAddRemoteUnit(frmTevoHadraConfig &w, const ListTexts &)
{
    QRadioButton *station = w.optRadioType(0);
    if (!station->isChecked() || w.ui->lviewStationsAdded->topLevelItemCount() == 0)
        return true;
    w.messageBoxes().inform(&w,
                            station->text().remove(QLatin1Char('&')) +
                                QStringLiteral("s are only allowed to communicate with one remote unit."),
                            QStringLiteral("WARNING"), platform::MsgIcon::Exclamation);
    return false;
}

bool belowLimit(frmTevoHadraConfig &w, const ListTexts &texts)
{
    if (texts.limit == 0 || listOf(w, texts).topLevelItemCount() < texts.limit)
        return true;
    w.messageBoxes().inform(&w, limitMessage(texts), QLatin1String(texts.limitTitle),
                            platform::MsgIcon::Exclamation);
    return false;
}

const ListButtons kLists[] = {
    {&Ui::frmTevoHadraConfig::cmdAddRoute, &Ui::frmTevoHadraConfig::cmdEditRoute,
     &Ui::frmTevoHadraConfig::cmdDeleteRoute, kRouteTexts, make<frmAddRoutes>, belowLimit},
    {&Ui::frmTevoHadraConfig::cmdAddDHCPServer, &Ui::frmTevoHadraConfig::cmdEditDHCPServer,
     &Ui::frmTevoHadraConfig::cmdDeleteDHCPServer, kDhcpServerTexts, make<frmAddDHCPServer>, belowLimit},
    {&Ui::frmTevoHadraConfig::cmdAddDNS, &Ui::frmTevoHadraConfig::cmdEditDNS,
     &Ui::frmTevoHadraConfig::cmdDeleteDNS, kDnsServerTexts, make<frmAddDNSServer>, belowLimit},
    {&Ui::frmTevoHadraConfig::cmdAddCommunity, &Ui::frmTevoHadraConfig::cmdEditCommunity,
     &Ui::frmTevoHadraConfig::cmdDeleteCommunity, kCommunityTexts, make<frmAddCommunityString>, belowLimit},
    {&Ui::frmTevoHadraConfig::cmdAddTrap, &Ui::frmTevoHadraConfig::cmdEditTrap,
     &Ui::frmTevoHadraConfig::cmdDeleteTrap, kTrapServerTexts, make<frmAddTrapServer>, belowLimit},
    {&Ui::frmTevoHadraConfig::cmdAddStation, &Ui::frmTevoHadraConfig::cmdEditStation,
     &Ui::frmTevoHadraConfig::cmdDeleteStation, kStationTexts, make<frmAddStation>, stationMayAddRemoteUnit},
};

void addRow(frmTevoHadraConfig &w, const ListButtons &buttons)
{
    if (buttons.mayAdd(w, buttons.texts))
        buttons.makeEditor(w)->showToAdd();
}

void editRow(frmTevoHadraConfig &w, const ListButtons &buttons)
{
    if (QTreeWidgetItem *row = selectedRow(listOf(w, buttons.texts)))
        buttons.makeEditor(w)->showToEdit(row);
}

void deleteRow(frmTevoHadraConfig &w, const ListTexts &texts)
{
    QTreeWidgetItem *row = selectedRow(listOf(w, texts));
    if (!row)
        return;
    platform::MessageBox question;
    question.text = QLatin1String(texts.deleteQuestion);
    question.title = QStringLiteral("WARNING!");
    question.buttons = platform::MsgButtons::YesNo;
    question.icon = platform::MsgIcon::Question;
    if (w.messageBoxes().show(&w, question) != platform::MsgAnswer::No)
        delete row;
}

void onClicked(frmTevoHadraConfig &w, QPushButton *button, std::function<void()> command)
{
    QObject::connect(button, &QPushButton::clicked, &w,
                     [&w, command = std::move(command)] { session::guarded(w, command); });
}

} // namespace

void connectListEditors(frmTevoHadraConfig &w)
{
    Ui::frmTevoHadraConfig &ui = *w.ui;
    for (const ListButtons &buttons : kLists) {
        onClicked(w, ui.*buttons.add, [&w, &buttons] { addRow(w, buttons); });
        onClicked(w, ui.*buttons.edit, [&w, &buttons] { editRow(w, buttons); });
        onClicked(w, ui.*buttons.remove, [&w, &buttons] { deleteRow(w, buttons.texts); });
    }
    for (QPushButton *area : {ui.cmdAddOSPFArea, ui.cmdEditOSPFArea})
        onClicked(w, area, [&w] { (new frmAddOSPFArea(w))->exec(); });
}
