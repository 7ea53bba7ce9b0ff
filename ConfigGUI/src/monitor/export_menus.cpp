#include "monitor/export_menus.h"

#include "monitor/export_commands.h"
#include "monitor/export_rows.h"
#include "session/handler_boundary.h"
#include "ui/file_menu_entries.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui/times_in_utc.h"
#include "ui_frmTevoHadraConfig.h"
#include "widgets/bar_chart.h"
#include "widgets/strip_chart.h"

#include <QAction>
#include <QMenu>
#include <QTreeWidget>
#include <functional>

namespace monitor {

namespace {

const QString kCsvCaption = QStringLiteral("&Export as CSV\u2026");
const QString kPictureCaption = QStringLiteral("Save &Picture\u2026");

// A display that can be exported: a table or a history chart (as CSV), a chart (as a picture).
struct Display
{
    QWidget *widget;
    QString name;     // as the File menu's submenu names it
    QString fileName; // offered in the file dialog, without extension
    bool csv;
    bool picture;
};

class ExportMenus : public QObject
{
public:
    explicit ExportMenus(frmTevoHadraConfig &w) : QObject(&w), w_(w)
    {
        Ui::frmTevoHadraConfig &ui = *w.ui;
        displays_ = {
            {ui.lviewIFStats, QStringLiteral("Network Interface Statistics"),
             QStringLiteral("interface-statistics"), true, false},
            {ui.lviewIPStats, QStringLiteral("IP Statistics"), QStringLiteral("ip-statistics"), true, false},
            {ui.iStripChartX1_0, ui.iStripChartX1_0->title(), QStringLiteral("per-history"), true, true},
            {ui.iStripChartX1_1, ui.iStripChartX1_1->title(), QStringLiteral("rssi-history"), true, true},
            {ui.MSChartPacketLoss, ui.MSChartPacketLoss->title(), QStringLiteral("packet-loss"), false, true},
        };
        for (const Display &display : displays_)
            addContextMenu(display);

        makeFileEntry(csv_, kCsvCaption, QStringLiteral("mnuFileExportCsv"));
        makeFileEntry(picture_, kPictureCaption, QStringLiteral("mnuFileSavePicture"));
        addToFileMenu(w, {csv_.entry, picture_.entry});

        // The entries are set for the tab shown as the menu opens: nothing else reaches them.
        connect(ui.mnuFile, &QMenu::aboutToShow, this, [this] { updateFileEntries(); });
        updateFileEntries();
    }

private:
    void exportCsv(const Display &display)
    {
        const bool utc = timesInUtc();
        QList<QStringList> rows;
        if (const auto *table = qobject_cast<const QTreeWidget *>(display.widget))
            rows = tableRows(*table, utc);
        else
            rows = chartRows(*static_cast<const linkset::StripChart *>(display.widget), utc);
        monitor::exportAsCsv(w_, rows, display.fileName + QStringLiteral(".csv"));
    }
    void savePicture(const Display &display)
    {
        monitor::savePicture(w_, *display.widget, display.fileName + QStringLiteral(".png"));
    }
    // An action that runs the command inside the window's handler boundary.
    QAction *commandAction(const QString &caption, QObject *parent, std::function<void()> command)
    {
        auto *action = new QAction(caption, parent);
        connect(action, &QAction::triggered, this, [this, command] { session::guarded(w_, command); });
        return action;
    }
    void addContextMenu(const Display &display)
    {
        display.widget->setContextMenuPolicy(Qt::ActionsContextMenu);
        if (display.csv) {
            QAction *csv =
                commandAction(kCsvCaption, display.widget, [this, display] { exportCsv(display); });
            csv->setObjectName(QStringLiteral("exportAsCsv"));
            display.widget->addAction(csv);
        }
        if (display.picture) {
            QAction *picture =
                commandAction(kPictureCaption, display.widget, [this, display] { savePicture(display); });
            picture->setObjectName(QStringLiteral("savePicture"));
            display.widget->addAction(picture);
        }
    }
    // A File menu entry: it runs its command on the one display shown, or opens its submenu.
    struct FileEntry
    {
        QAction *entry = nullptr;
        QMenu *submenu = nullptr;
        std::function<void()> command; // empty unless exactly one display is shown
    };
    void makeFileEntry(FileEntry &file, const QString &caption, const QString &name)
    {
        file.entry = commandAction(caption, this, [&file] {
            if (file.command)
                file.command();
        });
        file.entry->setObjectName(name);
        file.submenu = new QMenu(caption, &w_);
        file.submenu->setObjectName(name + QStringLiteral("Menu"));
    }
    // The displays of the tab shown (none in the terminal view).
    QList<Display> shownDisplays(bool Display::*kind) const
    {
        QList<Display> shown;
        if (!w_.blnFormsView)
            return shown;
        for (const Display &display : displays_)
            if (display.*kind && display.widget->isVisibleTo(w_.ui->SSTab1))
                shown << display;
        return shown;
    }
    void updateFileEntries()
    {
        updateFileEntry(csv_, shownDisplays(&Display::csv), &ExportMenus::exportCsv);
        updateFileEntry(picture_, shownDisplays(&Display::picture), &ExportMenus::savePicture);
    }
    void updateFileEntry(FileEntry &file, const QList<Display> &shown,
                         void (ExportMenus::*command)(const Display &))
    {
        file.entry->setVisible(w_.blnFormsView);
        file.entry->setEnabled(!shown.isEmpty());
        file.command = nullptr;
        file.submenu->clear();
        if (shown.size() == 1) {
            file.entry->setMenu(static_cast<QMenu *>(nullptr));
            file.command = [this, display = shown.constFirst(), command] { (this->*command)(display); };
            return;
        }
        for (const Display &display : shown)
            file.submenu->addAction(commandAction(display.name, file.submenu,
                                                  [this, display, command] { (this->*command)(display); }));
        file.entry->setMenu(shown.isEmpty() ? nullptr : file.submenu);
    }

    frmTevoHadraConfig &w_;
    QList<Display> displays_;
    FileEntry csv_;
    FileEntry picture_;
};

} // namespace

void addExportCommands(frmTevoHadraConfig &w)
{
    new ExportMenus(w);
}

} // namespace monitor
