// The window's field rules without a unit: the address-typing rule, the dotted netmasks, the
// whole-number lists, the Enter key in the address fields and the local ID kept apart from
// the remote units' IDs.
#include "field_typing.h"
#include "modal_driver.h"
#include "ui/address_typing.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

TEST(AddressTyping, EachBeginningIsAcceptedOrRefusedAtItsCharacter)
{
    // refusedAt: the position of the first character that cannot be typed; -1 when all can.
    const struct
    {
        const char *text;
        int refusedAt;
    } cases[] = {
        {"", -1},   {"1", -1},       {"192.168.", -1}, {"10.0.0.1", -1}, {"255.255.255.255", -1},
        {"256", 2}, {"01", 1},       {"1..2", 2},      {"1.2.3.4.5", 7}, {"1a", 1},
        {".1", 0},  {"0.0.0.0", -1}, {"249.1", -1},    {"260", 2},       {"39", -1},
        {"400", 2}, {"1.2.3.4.", 7}, {"199.1", -1},    {"1 2", 1},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromLatin1(c.text);
        int refusedAt = -1;
        for (int typed = 1; typed <= text.size() && refusedAt < 0; ++typed)
            if (!addressTypingAccepted(text.left(typed)))
                refusedAt = typed - 1;
        EXPECT_EQ(refusedAt, c.refusedAt) << c.text;
        EXPECT_TRUE(addressTypingAccepted(text.left(refusedAt < 0 ? text.size() : refusedAt))) << c.text;
    }
    for (const char *whole : {"10.0.0.1", "255.255.255.255", "0.0.0.0"})
        EXPECT_TRUE(addressComplete(QString::fromLatin1(whole))) << whole;
    for (const char *part : {"", "10.0.", "10.0.0", "10.0.0.", "1..2.3"})
        EXPECT_FALSE(addressComplete(QString::fromLatin1(part))) << part;
}

class FieldValidation : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        ASSERT_TRUE(showActive(*w));
        ui().SSTab1->setCurrentWidget(ui().tabEthernetRadio);
    }
    void addStations(std::initializer_list<int> ids)
    {
        for (int id : ids)
            new QTreeWidgetItem(ui().lviewStationsAdded, QStringList{QString::number(id)});
    }
    QString localIdAfter(const char *start, QToolButton *arrow)
    {
        ui().txtLocalID->setText(QString::fromLatin1(start));
        arrow->click();
        return ui().txtLocalID->text();
    }
};

TEST_F(FieldValidation, EveryAddressFieldRefusesWhatCannotBeAnAddress)
{
    for (QLineEdit *field : {ui().txtEthernetIP, ui().txtRadioIP, ui().txtRouterIP, ui().txtRadiusIP}) {
        typeInto(field, "1.2.3.4.5");
        EXPECT_EQ(field->text(), "1.2.3.45") << field->objectName().toStdString();
        // What the unit reports is shown as it is.
        field->setText("10.0.0.300");
        EXPECT_EQ(field->text(), "10.0.0.300");
    }
}

TEST_F(FieldValidation, EveryNetmaskListShowsItsDottedNetmask)
{
    const struct
    {
        const char *prefix;
        const char *dotted;
    } cases[] = {{"0", "0.0.0.0"},          {"8", "255.0.0.0"},      {"24", "255.255.255.0"},
                 {"32", "255.255.255.255"}, {"20", "255.255.240.0"}, {"33", "255.255.255.255"}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(w->lblStringNetmask(i)->text(), "0.0.0.0");
        for (const auto &c : cases) {
            typeInto(w->cmboNetmask(i), QString::fromLatin1(c.prefix));
            EXPECT_EQ(w->lblStringNetmask(i)->text(), c.dotted) << i << " " << c.prefix;
        }
        // A netmask the unit reports in dotted form is shown as it is, not as the last prefix.
        w->cmboNetmask(i)->setCurrentText("255.255.252.0");
        EXPECT_EQ(w->lblStringNetmask(i)->text(), "255.255.252.0") << i;
    }
}

TEST_F(FieldValidation, LeavingANumberListWithTextThatIsNoNumberInRangeBringsBackItsValue)
{
    QComboBox *netmask = w->cmboNetmask(0);
    netmask->setCurrentText("255.255.0.0"); // as read from the unit
    clickInto(netmask);
    clickInto(ui().txtLocalID);
    EXPECT_EQ(netmask->currentText(), "255.255.0.0");

    const struct
    {
        const char *typed;
        const char *left;
    } cases[] = {
        {"abc", "255.255.0.0"}, {"33", "255.255.0.0"}, {"-1", "255.255.0.0"}, {"24", "24"}, {"1x", "24"}};
    for (const auto &c : cases) {
        clickInto(netmask);
        typeInto(netmask, QString::fromLatin1(c.typed));
        clickInto(ui().txtLocalID);
        EXPECT_EQ(netmask->currentText(), c.left) << c.typed;
    }
}

TEST_F(FieldValidation, EnterInTheAddressFieldsMovesOn)
{
    clickInto(ui().txtEthernetIP);
    QTest::keyClick(ui().txtEthernetIP, Qt::Key_Return);
    EXPECT_TRUE(w->cmboNetmask(0)->hasFocus());
    clickInto(ui().txtRadioIP);
    QTest::keyClick(ui().txtRadioIP, Qt::Key_Enter);
    EXPECT_TRUE(waitForCondition([this] { return ui().txtLocalID->hasFocus(); }));
}

TEST_F(FieldValidation, TheLocalIdArrowsSkipIdsInUseAndTurnAtTheEnds)
{
    addStations({1, 2, 6, 16383, 16384});
    QToolButton *up = ui().updownLocalIDUp;
    QToolButton *down = ui().updownLocalIDDown;
    EXPECT_EQ(localIdAfter("4", down), "3");
    EXPECT_EQ(localIdAfter("3", down), "3"); // 2 and 1 are used: back up to the first free
    EXPECT_EQ(localIdAfter("1", down), "3");
    EXPECT_EQ(localIdAfter("5", up), "7");
    EXPECT_EQ(localIdAfter("16382", up), "16382"); // 16383 and 16384 are used: back down
    EXPECT_EQ(localIdAfter("16384", up), "16382");
    EXPECT_EQ(localIdAfter("", up), "3"); // no number: from the lowest ID
}

TEST_F(FieldValidation, LeavingTheLocalIdOnAnIdInUseMovesItOn)
{
    addStations({101, 102});
    clickInto(ui().txtLocalID);
    typeInto(ui().txtLocalID, "101");
    clickInto(ui().txtEthernetIP);
    EXPECT_EQ(boxes.texts(),
              QStringList{"This Channel Number ID is already in use.  Please choose another."});
    EXPECT_EQ(boxes.titles(), QStringList{"WARNING"});
    EXPECT_EQ(ui().txtLocalID->text(), "103");
    EXPECT_TRUE(waitForCondition([this] { return ui().txtLocalID->hasFocus(); }));
}
