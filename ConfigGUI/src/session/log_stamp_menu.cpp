#include "session/log_stamp_menu.h"

#include "platform/settings_store.h"
#include "session/log_stamps.h"
#include "ui/file_menu_entries.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QActionGroup>
#include <QMenu>

namespace session {

namespace {

struct Choice
{
    LogStampKind kind;
    const char *name; // object name suffix and saved value
    const char *caption;
};

constexpr Choice kChoices[] = {
    {LogStampKind::None, "None", "&None"},
    {LogStampKind::LocalTime, "LocalTime", "&Local Time"},
    {LogStampKind::SinceOpened, "SinceOpened", "Time Since Log &Opened"},
};

} // namespace

void addLogStampMenu(frmTevoHadraConfig &w)
{
    auto *menu = new QMenu(QStringLiteral("Log &Time Stamps"), &w);
    menu->setObjectName(QStringLiteral("mnuFileLogTimeStamps"));
    auto *group = new QActionGroup(menu);
    const QString saved = platform::loadSetting(QStringLiteral("LogTimeStamps"), QStringLiteral("None"));
    for (const Choice &choice : kChoices) {
        const QString name = QString::fromLatin1(choice.name);
        QAction *entry = menu->addAction(QString::fromLatin1(choice.caption));
        entry->setObjectName(QStringLiteral("mnuFileLogTimeStamps") + name);
        entry->setCheckable(true);
        group->addAction(entry);
        if (name == saved) {
            entry->setChecked(true);
            w.logStamps->kind = choice.kind;
        }
        QObject::connect(entry, &QAction::triggered, &w, [&w, kind = choice.kind, name] {
            w.logStamps->kind = kind;
            platform::saveSetting(QStringLiteral("LogTimeStamps"), name);
        });
    }
    if (group->checkedAction() == nullptr) // nothing, or something unknown, was saved
        group->actions().constFirst()->setChecked(true);
    addToFileMenu(w, {menu->menuAction()});

    // The log's commands are the terminal view's; so is this choice. It is set as the menu opens.
    const auto showWithView = [&w, menu] { menu->menuAction()->setVisible(!w.blnFormsView); };
    QObject::connect(w.ui->mnuFile, &QMenu::aboutToShow, menu, showWithView);
    showWithView();
}

} // namespace session
