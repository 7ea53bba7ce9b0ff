// The window's craft on a 1280×800 screen: it fits, no caption is cut off on any tab, every
// command has an access key, and no two controls in one container share one.
#include "window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

// The letter of a caption's access key ("G" for "&General"); empty for none.
QString mnemonicOf(const QString &caption)
{
    return QKeySequence::mnemonic(caption).toString().toUpper().remove(QStringLiteral("ALT+"));
}

// The controls that show a caption, with the caption.
QString captionOf(const QWidget *widget)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return qobject_cast<const QToolButton *>(widget) ? QString() : button->text();
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->wordWrap() ? QString() : label->text();
    if (const auto *frame = qobject_cast<const QGroupBox *>(widget))
        return frame->title();
    return QString();
}

// The frame or tab page a control belongs to.
const QWidget *containerOf(const QWidget *widget)
{
    for (const QWidget *parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
        if (qobject_cast<const QGroupBox *>(parent) ||
            qobject_cast<const QTabWidget *>(parent->parentWidget()) ||
            parent->objectName().startsWith(QLatin1String("qt_tabwidget_stackedwidget")))
            return parent;
    }
    return nullptr;
}

} // namespace

class WindowCraft : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        // Every feature shown, as for a unit that has them all.
        feed(QStringLiteral("CAPABILITY=RIP;OSPF;RSSI\r\nRIP Enabled\r\nGET=1;04=Corvane QDV v2.4\r\n"));
        w->resize(1280, 760);
        w->show();
        QApplication::processEvents();
    }

    // Every tab and sub-tab in turn, with the page laid out.
    void forEachPage(const std::function<void(const QString &page)> &check)
    {
        for (int tab = 0; tab < ui().SSTab1->count(); ++tab) {
            ui().SSTab1->setCurrentIndex(tab);
            QTabWidget *subTabs = ui().SSTab1->currentWidget()->findChild<QTabWidget *>();
            for (int sub = 0; sub < (subTabs ? subTabs->count() : 1); ++sub) {
                if (subTabs)
                    subTabs->setCurrentIndex(sub);
                QApplication::processEvents();
                check(ui().SSTab1->tabText(tab).trimmed() +
                      (subTabs ? u'/' + subTabs->tabText(sub) : QString()));
            }
        }
    }
};

TEST_F(WindowCraft, FitsTheScreenAndShowsEveryCaptionWhole)
{
    const QSize minimum = w->minimumSizeHint();
    EXPECT_LE(minimum.width(), 1280);
    EXPECT_LE(minimum.height(), 760); // room for the title bar and the desktop's panel

    // The controls a later view switch shows, and the longest model captions.
    for (QWidget *hidden :
         {static_cast<QWidget *>(ui().chkMonitorIPStats), static_cast<QWidget *>(ui().cmdRefreshIPStats),
          static_cast<QWidget *>(ui().cmdResetIPStats), static_cast<QWidget *>(ui().cmdFlushArpTable)})
        hidden->show();
    int checked = 0;
    forEachPage([&](const QString &page) {
        for (const QWidget *widget : ui().SSTab1->currentWidget()->findChildren<QWidget *>()) {
            if (!widget->isVisible() || captionOf(widget).isEmpty())
                continue;
            ++checked;
            EXPECT_GE(widget->width(), widget->minimumSizeHint().width())
                << page.toStdString() << ": " << widget->objectName().toStdString() << " \""
                << captionOf(widget).toStdString() << "\"";
        }
    });
    EXPECT_GT(checked, 150);
}

TEST_F(WindowCraft, EveryCommandHasAnAccessKeyUniqueInItsContainer)
{
    // Captions of the window itself that collide by their own wording.
    const QStringList allowed{QStringLiteral("G: &General / Dia&gnostics"),
                              QStringLiteral("U: &Utilities / &Utilities/Tools")};

    QHash<QString, QStringList> keysOfWindow; // the menu bar and the main tabs, always shown together
    for (const QAction *menu : ui().menubar->actions())
        keysOfWindow[mnemonicOf(menu->text())] << menu->text();
    for (int tab = 0; tab < ui().SSTab1->count(); ++tab)
        keysOfWindow[mnemonicOf(ui().SSTab1->tabText(tab))] << ui().SSTab1->tabText(tab).trimmed();
    for (auto key = keysOfWindow.cbegin(); key != keysOfWindow.cend(); ++key) {
        EXPECT_FALSE(key.key().isEmpty()) << key.value().join(u',').toStdString();
        if (key.value().size() > 1) {
            const QString collision =
                key.key() + QStringLiteral(": ") + key.value().join(QStringLiteral(" / "));
            EXPECT_TRUE(allowed.contains(collision)) << collision.toStdString();
        }
    }
    for (const QMenu *menu : w->findChildren<QMenu *>()) {
        QStringList keys;
        for (const QAction *entry : menu->actions()) {
            if (entry->isSeparator())
                continue;
            EXPECT_FALSE(mnemonicOf(entry->text()).isEmpty()) << entry->text().toStdString();
            EXPECT_FALSE(keys.contains(mnemonicOf(entry->text()))) << entry->text().toStdString();
            keys << mnemonicOf(entry->text());
        }
    }
    for (const QTabWidget *subTabs : ui().SSTab1->findChildren<QTabWidget *>()) {
        QStringList keys;
        for (int tab = 0; tab < subTabs->count(); ++tab) {
            EXPECT_FALSE(keys.contains(mnemonicOf(subTabs->tabText(tab))))
                << subTabs->tabText(tab).toStdString();
            keys << mnemonicOf(subTabs->tabText(tab));
        }
    }

    int commands = 0;
    forEachPage([&](const QString &page) {
        QHash<const QWidget *, QHash<QString, QString>> keysByContainer;
        for (const QWidget *widget : ui().SSTab1->currentWidget()->findChildren<QWidget *>()) {
            if (!widget->isVisible())
                continue;
            const bool command =
                qobject_cast<const QAbstractButton *>(widget) && !qobject_cast<const QToolButton *>(widget);
            const auto *label = qobject_cast<const QLabel *>(widget);
            if (!command && !(label && label->buddy()))
                continue;
            const QString key = mnemonicOf(captionOf(widget));
            if (command) {
                ++commands;
                EXPECT_FALSE(key.isEmpty())
                    << page.toStdString() << ": " << widget->objectName().toStdString();
            }
            if (key.isEmpty())
                continue;
            QHash<QString, QString> &keys = keysByContainer[containerOf(widget)];
            EXPECT_FALSE(keys.contains(key))
                << page.toStdString() << ": " << key.toStdString() << " in \""
                << keys.value(key).toStdString() << "\" and \"" << captionOf(widget).toStdString() << "\"";
            keys.insert(key, captionOf(widget));
        }
    });
    EXPECT_GT(commands, 60);
}
