// Every control of every window and dialog of the program can be found by assistive
// technology: each widget that takes the focus or a click, and each tab page, has a
// non-empty accessible name (its label as buddy, its own caption, or an accessibleName).
//
// The program's forms are gathered from its .ui files when the build is configured; a form
// missing from the table below fails the first case, so a dialog added later is checked too.
#include "dialogs/frmAbout.h"
#include "dialogs/frmConnectAnimation.h"
#include "dialogs/frmReviewUpdate.h"
#include "dialogs/frmSerialProperties.h"
#include "dialogs/frmTelnetProperties.h"
#include "dialogs/frmUploadStatus.h"
#include "dialogs/frmUserNamePassword.h"
#include "ui/editors/frmAddCommunityString.h"
#include "ui/editors/frmAddDHCPServer.h"
#include "ui/editors/frmAddDNSServer.h"
#include "ui/editors/frmAddOSPFArea.h"
#include "ui/editors/frmAddRoutes.h"
#include "ui/editors/frmAddStation.h"
#include "ui/editors/frmAddTrapServer.h"
#include "ui/editors/frmIPAddress.h"
#include "ui_frmTevoHadraConfig.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <functional>
#include <map>

namespace {

// A window of one form, made for the main window `w`; the main window itself is `w`.
using WindowFactory = std::function<std::unique_ptr<QWidget>(frmTevoHadraConfig &w)>;

template <typename Dialog> WindowFactory dialogOf()
{
    return [](frmTevoHadraConfig &w) { return std::make_unique<Dialog>(w); };
}

const std::map<QString, WindowFactory> &windowFactories()
{
    static const std::map<QString, WindowFactory> factories{
        {QStringLiteral("frmTevoHadraConfig"), nullptr},
        {QStringLiteral("frmAbout"),
         [](frmTevoHadraConfig &w) { return std::make_unique<frmAbout>(w.messageBoxes(), &w); }},
        {QStringLiteral("frmConnectAnimation"), dialogOf<frmConnectAnimation>()},
        {QStringLiteral("frmReviewUpdate"), dialogOf<frmReviewUpdate>()},
        {QStringLiteral("frmSerialProperties"), dialogOf<frmSerialProperties>()},
        {QStringLiteral("frmTelnetProperties"), dialogOf<frmTelnetProperties>()},
        {QStringLiteral("frmUploadStatus"), dialogOf<frmUploadStatus>()},
        {QStringLiteral("frmUserNamePassword"), dialogOf<frmUserNamePassword>()},
        {QStringLiteral("frmAddCommunityString"), dialogOf<frmAddCommunityString>()},
        {QStringLiteral("frmAddDHCPServer"), dialogOf<frmAddDHCPServer>()},
        {QStringLiteral("frmAddDNSServer"), dialogOf<frmAddDNSServer>()},
        {QStringLiteral("frmAddOSPFArea"), dialogOf<frmAddOSPFArea>()},
        {QStringLiteral("frmAddRoutes"), dialogOf<frmAddRoutes>()},
        {QStringLiteral("frmAddStation"), dialogOf<frmAddStation>()},
        {QStringLiteral("frmAddTrapServer"), dialogOf<frmAddTrapServer>()},
        {QStringLiteral("frmIPAddress"),
         [](frmTevoHadraConfig &w) {
             return std::make_unique<frmIPAddress>(w, w.ui->txtEthernetIP, w.cmboNetmask(0), false);
         }},
    };
    return factories;
}

QString accessibleName(QObject *object)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(QAccessible::Name).trimmed() : QString();
}

// Qt's own parts of a control (a scroll area's viewport and bars, a spin box's text field,
// a tab widget's bar) carry object names starting with "qt_"; a combo box's pop-up list
// belongs to the combo box.
bool insideQtPart(const QWidget *widget, const QWidget *window)
{
    for (const QWidget *part = widget; part && part != window; part = part->parentWidget())
        if (part->objectName().startsWith(QLatin1String("qt_")) ||
            (part != widget && qobject_cast<const QComboBox *>(part)))
            return true;
    return false;
}

bool takesFocusOrClick(const QWidget *widget)
{
    return widget->focusPolicy() != Qt::NoFocus || qobject_cast<const QAbstractButton *>(widget);
}

// "form: object (class)" for each control of `window` without a name.
QStringList unnamedControls(const QString &form, QWidget *window)
{
    QStringList unnamed;
    const auto note = [&](const QWidget *widget, const QString &what) {
        unnamed << QStringLiteral("%1: %2 (%3)%4")
                       .arg(form, widget->objectName(), QLatin1String(widget->metaObject()->className()),
                            what);
    };
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (auto *tabs = qobject_cast<QTabBar *>(widget)) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(tabs);
            for (int tab = 0; tab < tabs->count(); ++tab)
                if (face->child(tab)->text(QAccessible::Name).trimmed().isEmpty())
                    note(tabs->parentWidget(), QStringLiteral(" tab %1").arg(tab));
            continue;
        }
        // An editable combo's or a spin box's text field counts as the control itself.
        const bool partOfAnother =
            qobject_cast<QLineEdit *>(widget) && (qobject_cast<QComboBox *>(widget->parentWidget()) ||
                                                  qobject_cast<QAbstractSpinBox *>(widget->parentWidget()));
        // A control whose focus goes to another (a tab widget's to its bar) is that other.
        if (partOfAnother || widget->focusProxy() || insideQtPart(widget, window) ||
            !takesFocusOrClick(widget))
            continue;
        if (accessibleName(widget).isEmpty())
            note(widget, QString());
    }
    return unnamed;
}

} // namespace

class Accessibility : public WindowFixture
{
};

TEST_F(Accessibility, EveryFormOfTheProgramIsInTheTable)
{
    const QStringList forms = QStringLiteral(LINKSET_FORMS).split(u',', Qt::SkipEmptyParts);
    ASSERT_FALSE(forms.isEmpty());
    for (const QString &form : forms)
        EXPECT_TRUE(windowFactories().count(form))
            << form.toStdString() << ".ui has no entry in the table of this test: add a factory for it";
}

TEST_F(Accessibility, EveryControlOfEveryWindowHasAName)
{
    // Every feature shown, as for a unit that has them all.
    feed(QStringLiteral("CAPABILITY=RIP;OSPF;RSSI\r\nRIP Enabled\r\nGET=1;04=Corvane QDV v2.4\r\n"));
    w->show();
    QStringList unnamed = unnamedControls(QStringLiteral("frmTevoHadraConfig"), w.get());
    for (const auto &[form, make] : windowFactories()) {
        if (!make)
            continue;
        std::unique_ptr<QWidget> window = make(*w);
        window->show();
        QApplication::processEvents();
        unnamed << unnamedControls(form, window.get());
    }
    EXPECT_TRUE(unnamed.isEmpty()) << "controls without an accessible name:\n"
                                   << unnamed.join(u'\n').toStdString();
}
