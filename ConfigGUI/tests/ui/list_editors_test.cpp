// The list editors, driven through the window's Add, Edit and Delete buttons and the real
// dialogs; the scripted message boxes answer the questions. One table of the six editors
// drives the cases they share; the rules of single editors follow.
#include "field_typing.h"
#include "modal_driver.h"
#include "window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using Form = Ui::frmTevoHadraConfig;

namespace {

using Button = QPushButton *Form::*;

struct EditorCase
{
    const char *dialog;
    Button add, edit, remove;
    QTreeWidget *Form::*list;
    const char *addCaption, *editCaption, *duplicateQuestion, *deleteQuestion;
    int limit;
    const char *limitText, *limitTitle;
    // The field of each column ("" for a column no field writes), and two full rows with
    // the same key.
    QStringList fields;
    QStringList first, second;
    const char *keyPattern; // %1: the number of a further row
};

const EditorCase kEditors[] = {
    {"frmAddRoutes",
     &Form::cmdAddRoute,
     &Form::cmdEditRoute,
     &Form::cmdDeleteRoute,
     &Form::lviewRouterRoutes,
     "Add Routes",
     "Edit Network Routes",
     "This I.P. route already exists in the configuration.  Do you wish to continue and update the record?",
     "Are you sure you wish to delete this Network Route?",
     0,
     "",
     "",
     {"txtIPNetwork", "cmboNetmask", "txtGateway"},
     {"10.1.0.0", "16", "10.0.0.9", "Static", "", ""},
     {"10.1.0.0", "24", "10.0.0.8", "Static", "", ""},
     "10.2.%1.0"},
    {"frmAddDHCPServer",
     &Form::cmdAddDHCPServer,
     &Form::cmdEditDHCPServer,
     &Form::cmdDeleteDHCPServer,
     &Form::lviewDHCPServers,
     "Add DHCP Server",
     "Edit DHCP Server...",
     "This DHCP Server already exists in the configuration.  Do you wish to continue and update the record?",
     "Are you sure you wish to delete this DHCP Server definition?",
     5,
     "You may only define a maximum of 5 DHCP Servers",
     "Too Many DHCP Servers",
     {"mskIP"},
     {"10.0.0.5"},
     {"10.0.0.5"},
     "10.0.1.%1"},
    {"frmAddDNSServer",
     &Form::cmdAddDNS,
     &Form::cmdEditDNS,
     &Form::cmdDeleteDNS,
     &Form::lviewDNSServers,
     "Add DNS Server",
     "Edit DNS Server...",
     "This DNS Server already exists in the configuration.  Do you wish to continue and update the record?",
     "Are you sure you wish to delete this DNS Server definition?",
     5,
     "You may only define a maximum of 5 DNS Servers",
     "Too Many DNS Servers",
     {"mskIP"},
     {"192.0.2.1"},
     {"192.0.2.1"},
     "192.0.2.%1"},
    {"frmAddCommunityString",
     &Form::cmdAddCommunity,
     &Form::cmdEditCommunity,
     &Form::cmdDeleteCommunity,
     &Form::lviewSNMPCommunities,
     "Add Community String",
     "Edit SNMP Community...",
     "This Community already exists in the configuration.  Do you wish to continue and update the record?",
     "Are you sure you wish to delete this Community String?",
     5,
     "You may only define a maximum of 5 SNMP Communities!",
     "Too Many SNMP Communities!",
     {"cmboCommunityString", "OptCommunity"},
     {"ops", "read"},
     {"ops", "write"},
     "c%1"},
    {"frmAddTrapServer",
     &Form::cmdAddTrap,
     &Form::cmdEditTrap,
     &Form::cmdDeleteTrap,
     &Form::lviewTrapServers,
     "Add Trap Server",
     "Edit SNMP Trap Server...",
     "This Trap Server already exists in the configuration.  Do you wish to continue and update the record?",
     "Are you sure you wish to delete this Trap Server definition?",
     5,
     "You may only define a maximum of 5 Trap Servers!",
     "Too Many SNMP Trap Servers",
     {"cmboTrapIP", "cmboTrapCommunity"},
     {"10.0.0.30", "public"},
     {"10.0.0.30", "ops"},
     "10.0.3.%1"},
    {"frmAddStation",
     &Form::cmdAddStation,
     &Form::cmdEditStation,
     &Form::cmdDeleteStation,
     &Form::lviewStationsAdded,
     "Add Remote Unit",
     "Edit Remote Unit...",
     "This Remote ID already exists in the configuration.  Do you wish to continue and update the record?",
     "Are you sure you wish to Delete this Remote unit definition?",
     0,
     "",
     "",
     {"txtLocalID", "", "mskIP"},
     {"7", "", "10.0.0.7"},
     {"7", "", "10.0.0.8"},
     "%1"},
};

// What the dialog's fields show, column by column as `fill` takes them.
QStringList shown(QDialog &dialog, const EditorCase &c)
{
    QStringList values;
    for (const QString &name : c.fields) {
        if (name == QLatin1String("OptCommunity"))
            values << (dialog.findChild<QRadioButton *>("OptCommunity_0")->isChecked() ? "read" : "write");
        else if (auto *combo = dialog.findChild<QComboBox *>(name))
            values << combo->currentText();
        else
            values << (name.isEmpty() ? QString() : dialog.findChild<QLineEdit *>(name)->text());
    }
    return values;
}

void fill(QDialog &dialog, const EditorCase &c, const QStringList &row)
{
    for (qsizetype column = 0; column < c.fields.size(); ++column) {
        const QString &name = c.fields[column];
        if (name == QLatin1String("OptCommunity"))
            dialog
                .findChild<QRadioButton *>(row[column] == QLatin1String("read") ? "OptCommunity_0"
                                                                                : "OptCommunity_1")
                ->click();
        else if (!name.isEmpty())
            typeInto(dialog.findChild<QWidget *>(name), row[column]);
    }
}

QStringList further(const EditorCase &c, int number)
{
    QStringList row = c.first;
    row[0] = QString::fromLatin1(c.keyPattern).arg(number);
    return row;
}

} // namespace

class ListEditors : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        // A base station may have many remote units; the station's rule has a case of its own.
        w->optRadioType(1)->setChecked(true);
        w->option("optDHCPMode", 1)->setChecked(true); // relay: the DHCP server list is open
    }
    QTreeWidget *list(const EditorCase &c) { return ui().*c.list; }
    void click(Button button) { (ui().*button)->click(); }

    // Adds `row` through the editor: its fields typed, OK pressed.
    void addThrough(const EditorCase &c, const QStringList &row)
    {
        modals.onNextModal(c.dialog, [&c, row](QDialog &dialog) {
            fill(dialog, c, row);
            pressButton(dialog, "cmdOK");
        });
        click(c.add);
    }
    // Whether `action` opened a modal dialog (which is then closed).
    static bool opensDialog(const std::function<void()> &action)
    {
        bool opened = false;
        QTimer::singleShot(0, [&opened] {
            if (QWidget *dialog = QApplication::activeModalWidget()) {
                opened = true;
                dialog->close();
            }
        });
        action();
        QCoreApplication::processEvents();
        return opened;
    }

    ModalDriver modals;
    Watchdog watchdog{50};
};

TEST_F(ListEditors, AddEditAndDeleteThroughTheButtons)
{
    for (const EditorCase &c : kEditors) {
        SCOPED_TRACE(c.dialog);
        QString caption;
        modals.onNextModal(c.dialog, [&](QDialog &dialog) {
            caption = dialog.windowTitle();
            fill(dialog, c, c.first);
            pressButton(dialog, "cmdOK");
        });
        click(c.add);
        EXPECT_EQ(caption, c.addCaption);
        EXPECT_EQ(rowsOf(list(c)), QList<QStringList>{c.first});

        QStringList copiedIn;
        modals.onNextModal(c.dialog, [&](QDialog &dialog) {
            caption = dialog.windowTitle();
            copiedIn = shown(dialog, c);
            fill(dialog, c, c.second);
            pressButton(dialog, "cmdOK");
        });
        click(c.edit);
        EXPECT_EQ(caption, c.editCaption);
        EXPECT_EQ(copiedIn, c.first.mid(0, c.fields.size()));
        EXPECT_EQ(rowsOf(list(c)), QList<QStringList>{c.second});

        boxes.clear();
        boxes.answerNext(MsgAnswer::No);
        click(c.remove);
        ASSERT_EQ(boxes.shown().size(), 1);
        EXPECT_EQ(boxes.shown()[0].text, c.deleteQuestion);
        EXPECT_EQ(boxes.shown()[0].title, "WARNING!");
        EXPECT_EQ(boxes.shown()[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(boxes.shown()[0].icon, MsgIcon::Question);
        EXPECT_EQ(list(c)->topLevelItemCount(), 1);
        boxes.answerNext(MsgAnswer::Yes);
        click(c.remove);
        EXPECT_EQ(list(c)->topLevelItemCount(), 0);
    }
    EXPECT_EQ(modals.missedCount(), 0);
}

TEST_F(ListEditors, EditAndDeleteOnAnEmptyListDoNothing)
{
    for (const EditorCase &c : kEditors) {
        EXPECT_FALSE(opensDialog([&] { click(c.edit); })) << c.dialog;
        EXPECT_FALSE(opensDialog([&] { click(c.remove); })) << c.dialog;
    }
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(ListEditors, TheSixthEntryOfALimitedListIsRefused)
{
    for (const EditorCase &c : kEditors) {
        if (c.limit == 0)
            continue;
        SCOPED_TRACE(c.dialog);
        for (int n = 1; n <= c.limit; ++n)
            addThrough(c, further(c, n));
        ASSERT_EQ(list(c)->topLevelItemCount(), c.limit);
        boxes.clear();
        EXPECT_FALSE(opensDialog([&] { click(c.add); }));
        ASSERT_EQ(boxes.shown().size(), 1);
        EXPECT_EQ(boxes.shown()[0].text, c.limitText);
        EXPECT_EQ(boxes.shown()[0].title, c.limitTitle);
        EXPECT_EQ(boxes.shown()[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(list(c)->topLevelItemCount(), c.limit);
    }
    EXPECT_EQ(modals.missedCount(), 0);
}

TEST_F(ListEditors, ADuplicateKeyAsksWhetherToOverwrite)
{
    for (const EditorCase &c : kEditors) {
        SCOPED_TRACE(c.dialog);
        addThrough(c, c.first);

        // No: the list stays as it was and the dialog closes.
        boxes.clear();
        boxes.answerNext(MsgAnswer::No);
        addThrough(c, c.second);
        ASSERT_EQ(boxes.shown().size(), 1);
        EXPECT_EQ(boxes.shown()[0].text, c.duplicateQuestion);
        EXPECT_EQ(boxes.shown()[0].title, "Warning");
        EXPECT_EQ(boxes.shown()[0].buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(boxes.shown()[0].icon, MsgIcon::Question);
        EXPECT_EQ(rowsOf(list(c)), QList<QStringList>{c.first});

        // Cancel: the dialog stays open with what was typed.
        bool stillOpen = false;
        QStringList kept;
        boxes.answerNext(MsgAnswer::Cancel);
        modals.onNextModal(c.dialog, [&](QDialog &dialog) {
            fill(dialog, c, c.second);
            pressButton(dialog, "cmdOK");
            stillOpen = dialog.isVisible();
            kept = shown(dialog, c);
            pressButton(dialog, "cmdCancel");
        });
        click(c.add);
        EXPECT_TRUE(stillOpen);
        EXPECT_EQ(kept, c.second.mid(0, c.fields.size()));
        EXPECT_EQ(rowsOf(list(c)), QList<QStringList>{c.first});

        // Yes: the row is overwritten, not doubled.
        boxes.answerNext(MsgAnswer::Yes);
        addThrough(c, c.second);
        EXPECT_EQ(rowsOf(list(c)), QList<QStringList>{c.second});
    }
    EXPECT_EQ(modals.missedCount(), 0);
}

TEST_F(ListEditors, AnEmptyKeyClosesWithoutChangeAndCancelChangesNothing)
{
    for (const EditorCase &c : kEditors) {
        SCOPED_TRACE(c.dialog);
        bool closedByOk = false;
        modals.onNextModal(c.dialog, [&closedByOk](QDialog &dialog) {
            pressButton(dialog, "cmdOK");
            closedByOk = !dialog.isVisible();
            pressButton(dialog, "cmdCancel");
        });
        click(c.add);
        // The route's netmask is asked for before anything else.
        EXPECT_EQ(closedByOk, c.add != &Form::cmdAddRoute);
        modals.onNextModal(c.dialog, [&c](QDialog &dialog) {
            fill(dialog, c, c.first);
            pressButton(dialog, "cmdCancel");
        });
        click(c.add);
        EXPECT_EQ(list(c)->topLevelItemCount(), 0);
    }
    EXPECT_EQ(modals.handledCount("frmAddRoutes"), 2);
    EXPECT_EQ(modals.missedCount(), 0);
}

TEST_F(ListEditors, ARouteNeedsANetmaskAndWholeAddresses)
{
    const EditorCase &routes = kEditors[0];
    QStringList refusals;
    boxes.clear();
    modals.onNextModal("frmAddRoutes", [&](QDialog &dialog) {
        typeInto(dialog.findChild<QLineEdit *>("txtIPNetwork"), "10.1.0.0");
        pressButton(dialog, "cmdOK"); // no netmask
        refusals << (dialog.isVisible() ? "open" : "closed");
        fill(dialog, routes, {"10.0.", "16", "10.0.0.9"});
        pressButton(dialog, "cmdOK"); // an unfinished network address
        refusals << (dialog.isVisible() ? "open" : "closed");
        fill(dialog, routes, {"10.1.0.0", "16", "10.0.0.9"});
        pressButton(dialog, "cmdOK");
    });
    click(routes.add);
    EXPECT_EQ(refusals, (QStringList{"open", "open"}));
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown()[0].text, "Please enter a netmask value before exiting.");
    EXPECT_EQ(boxes.shown()[0].title, "ERROR");
    EXPECT_EQ(boxes.shown()[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(
        boxes.shown()[1].text,
        "\"10.0.\" is not a complete IP address. Please complete the Destination Network field or clear it.");
    EXPECT_EQ(rowsOf(list(routes)), QList<QStringList>{routes.first});
}

TEST_F(ListEditors, TheRouteNetmaskIsShownDottedAndAddressTypingIsChecked)
{
    QString dotted;
    QString typed;
    modals.onNextModal("frmAddRoutes", [&](QDialog &dialog) {
        EXPECT_EQ(dialog.findChild<QLabel *>("lblStringNetmask")->text(), "0.0.0.0");
        dialog.findChild<QComboBox *>("cmboNetmask")->setCurrentText("20");
        dotted = dialog.findChild<QLabel *>("lblStringNetmask")->text();
        auto *gateway = dialog.findChild<QLineEdit *>("txtGateway");
        QTest::keyClicks(gateway, "256.1a");
        typed = gateway->text();
        pressButton(dialog, "cmdCancel");
    });
    click(kEditors[0].add);
    EXPECT_EQ(dotted, "255.255.240.0");
    EXPECT_EQ(typed, "25.1");
}

TEST_F(ListEditors, AStationTalksToOneRemoteUnit)
{
    const EditorCase &stations = kEditors[5];
    w->optRadioType(0)->setChecked(true);
    addThrough(stations, stations.first);
    ASSERT_EQ(list(stations)->topLevelItemCount(), 1);
    boxes.clear();
    EXPECT_FALSE(opensDialog([&] { click(stations.add); }));
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].text, "Stations are only allowed to communicate with one remote unit.");
    EXPECT_EQ(boxes.shown()[0].title, "WARNING");
    EXPECT_EQ(boxes.shown()[0].icon, MsgIcon::Exclamation);

    // A subscriber names its option after its model: the message follows the caption.
    w->optRadioType(0)->setText("&Tevo");
    boxes.clear();
    EXPECT_FALSE(opensDialog([&] { click(stations.add); }));
    EXPECT_EQ(boxes.texts(), QStringList{"Tevos are only allowed to communicate with one remote unit."});
}

TEST_F(ListEditors, ABridgingUnitsRemoteUnitsHaveNoRadioAddress)
{
    const EditorCase &stations = kEditors[5];
    new QTreeWidgetItem(list(stations), QStringList{"7", "10.0.0.1", "10.0.0.7"});
    w->optForwardingMode(0)->setChecked(true);
    bool addressHidden = false;
    modals.onNextModal(stations.dialog, [&](QDialog &dialog) {
        addressHidden = dialog.findChild<QLineEdit *>("mskIP")->isHidden() &&
                        dialog.findChild<QLabel *>("lblIP")->isHidden();
        typeInto(dialog.findChild<QLineEdit *>("txtLocalID"), "9");
        pressButton(dialog, "cmdOK");
    });
    click(stations.edit);
    EXPECT_TRUE(addressHidden);
    // The ID changes; the addresses the unit reported stay.
    EXPECT_EQ(rowsOf(list(stations)), (QList<QStringList>{{"9", "10.0.0.1", "10.0.0.7"}}));

    w->optForwardingMode(1)->setChecked(true);
    modals.onNextModal(stations.dialog, [&](QDialog &dialog) {
        addressHidden = dialog.findChild<QLineEdit *>("mskIP")->isHidden();
        pressButton(dialog, "cmdCancel");
    });
    click(stations.add);
    EXPECT_FALSE(addressHidden);
}

TEST_F(ListEditors, ARemoteIdIsANumberInRangeAndItsArrowsStepIt)
{
    const EditorCase &stations = kEditors[5];
    QString stepped;
    modals.onNextModal(stations.dialog, [&](QDialog &dialog) {
        auto *id = dialog.findChild<QLineEdit *>("txtLocalID");
        typeInto(id, "16384");
        dialog.findChild<QAbstractButton *>("updownLocalIDUp")->click();
        dialog.findChild<QAbstractButton *>("updownLocalIDDown")->click();
        stepped = id->text();
        typeInto(id, "16385");
        pressButton(dialog, "cmdOK");
        typeInto(id, "12");
        pressButton(dialog, "cmdOK");
    });
    click(stations.add);
    EXPECT_EQ(stepped, "16383");
    EXPECT_EQ(boxes.texts(), QStringList{"The Remote ID must be a number from 1 to 16384."});
    EXPECT_EQ(rowsOf(list(stations)), (QList<QStringList>{{"12", "", ""}}));
}

TEST_F(ListEditors, OspfAreasAreNotKept)
{
    w->option("optOSPFEnable", 0)->setChecked(true);
    QString note;
    for (QPushButton *button : {ui().cmdAddOSPFArea, ui().cmdEditOSPFArea}) {
        modals.onNextModal("frmAddOSPFArea", [&](QDialog &dialog) {
            note = dialog.findChild<QLabel *>("lblNotTransferred")->text();
            typeInto(dialog.findChild<QLineEdit *>("txtArea"), "0.0.0.1");
            typeInto(dialog.findChild<QLineEdit *>("txtInterface"), "radio");
            typeInto(dialog.findChild<QLineEdit *>("txtCost"), "10");
            pressButton(dialog, "cmdOK");
        });
        button->click();
    }
    EXPECT_EQ(modals.handledCount("frmAddOSPFArea"), 2);
    EXPECT_TRUE(note.contains("not transferred to the unit"));
    EXPECT_EQ(ui().lviewOSPFAreas->topLevelItemCount(), 0);
}
