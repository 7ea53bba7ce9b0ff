// The exports end to end: readings reach the tables and charts from the simulated unit at set
// times, the exports are run from the context menus and the File menu, and the files are read
// back. The test runs with TZ=Europe/Berlin and a device pixel ratio of 2 (QT_SCALE_FACTOR).
#include "csv_reading.h"
#include "monitor_fixture.h"

#include "platform/settings_store.h"
#include "widgets/bar_chart.h"
#include "window_fixture.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QMenu>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <unitsim/simulated_unit.h>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The entry of a display's context menu.
QAction *contextEntry(QWidget *display, const char *name)
{
    EXPECT_EQ(display->contextMenuPolicy(), Qt::ActionsContextMenu);
    for (QAction *action : display->actions())
        if (action->objectName() == QLatin1String(name))
            return action;
    ADD_FAILURE() << "no " << name << " in the context menu of " << display->objectName().toStdString();
    return nullptr;
}

// The header row of a list view, then its rows.
QList<QStringList> tableWithHeader(const QTreeWidget *table)
{
    QStringList header;
    for (int column = 0; column < table->columnCount(); ++column)
        header << table->headerItem()->text(column);
    return QList<QStringList>{header} + rowsOf(table);
}

// The column of a CSV header that holds `caption`.
qsizetype columnOf(const QList<QStringList> &rows, const QString &caption)
{
    return rows.isEmpty() ? -1 : rows[0].indexOf(caption);
}

int distinctColours(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

class Exports : public MonitorFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        forgetSettings();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void TearDown() override
    {
        MonitorFixture::TearDown();
        QLocale::setDefault(QLocale::c());
    }
    // Connected and retrieved, the clock set, and no poll comes by itself during a case.
    void connectWithClock()
    {
        connectAndRetrieve();
        ui().mnuUtilitiesMonitoringRate60sec->trigger();
        w->monitors().clock.set([this] { return now; });
    }
    void unitSends(const std::string &lines, const std::function<bool()> &arrived)
    {
        ASSERT_TRUE(unit->sendUnasked(unitsim::FrontEnd::Telnet, lines));
        ASSERT_TRUE(waitForCondition(arrived));
    }
    // Runs an export that is given `name` in the temporary folder; the rows read back from
    // `written` (the same name unless given).
    std::optional<QList<QStringList>> exportCsv(QAction *entry, const QString &name, QString written = {})
    {
        files.answerNext(dir.filePath(name));
        entry->trigger();
        return readCsv(contents(dir.filePath(written.isEmpty() ? name : written)));
    }
    QAction *fileEntry(const char *name) const { return w->findChild<QAction *>(QLatin1String(name)); }
    void showTab(QWidget *tab, QWidget *subTab = nullptr)
    {
        ui().SSTab1->setCurrentWidget(tab);
        if (subTab)
            ui().RSSISubTab->setCurrentWidget(subTab);
    }
    // Opens the File menu and closes it again: its entries are set for what is shown.
    void openFileMenu()
    {
        ui().mnuFile->popup(w->mapToGlobal(QPoint(0, 0)));
        EXPECT_TRUE(ui().mnuFile->isVisible());
        ui().mnuFile->hide();
    }

    QTemporaryDir dir;
    QDateTime now{QDate(2026, 3, 5), QTime(9, 7, 3)};
};

TEST_F(Exports, StatisticsTablesAsShownWithQuotedFieldsAndIsoTimes)
{
    connectWithClock();
    // An interface reading with a comma and a quote in its fields.
    const int interfaces = ui().lviewIFStats->topLevelItemCount();
    unitSends("IFSTATS=1;START\r\nIFSTATS=Ethernet;8863,2;00:0A \"eth0\";1500;1;0;17\r\n"
              "IFSTATS=Radio;101;8843;00:0B;1500;1;0;5\r\nIFSTATS=1;END\r\n>",
              [&] { return ui().lviewIFStats->topLevelItemCount() == interfaces + 2; });
    const auto interfaceRows = exportCsv(contextEntry(ui().lviewIFStats, "exportAsCsv"), "if.csv");
    ASSERT_TRUE(interfaceRows) << contents(dir.filePath("if.csv")).toStdString();
    EXPECT_EQ(*interfaceRows, tableWithHeader(ui().lviewIFStats));
    ASSERT_EQ(interfaceRows->size(), interfaces + 3);
    EXPECT_EQ((*interfaceRows)[0].size(), 18);
    EXPECT_EQ((*interfaceRows)[0][0], "Device Port");
    EXPECT_EQ((*interfaceRows)[interfaces + 1][2], "8863,2");
    EXPECT_EQ((*interfaceRows)[interfaces + 1][3], "00:0A \"eth0\"");
    const QByteArray raw = contents(dir.filePath("if.csv"));
    EXPECT_TRUE(raw.contains(",\"8863,2\",\"00:0A \"\"eth0\"\"\",")) << raw.toStdString();
    EXPECT_EQ(files.requests().constLast().title, "Export as CSV");
    EXPECT_EQ(files.requests().constLast().initialPath, "interface-statistics.csv");
    EXPECT_TRUE(files.requests().constLast().save);

    // Two IP readings an hour apart, exported from the File menu while their table is shown.
    ui().cmdResetIPStats->click();
    for (const char *fields :
         {"IPSTATS=100;0;0;0;0;0;3;1;0;90;0;0;0;0;2;4;0", "IPSTATS=250;1;0;0;0;0;3;1;0;200;0"}) {
        now = now.addSecs(3600);
        const int rows = ui().lviewIPStats->topLevelItemCount();
        unitSends("IPSTATS=1;START\r\n" + std::string(fields) + "\r\nIPSTATS=1;END\r\n>",
                  [&] { return ui().lviewIPStats->topLevelItemCount() == rows + 1; });
    }
    showTab(ui().tabStatistics);
    w->option(QStringLiteral("OptStatistics"), 1)->click();
    openFileMenu();
    QAction *exportEntry = fileEntry("mnuFileExportCsv");
    ASSERT_TRUE(exportEntry);
    EXPECT_TRUE(exportEntry->isEnabled());
    EXPECT_EQ(exportEntry->menu(), nullptr); // one table shown: the entry exports it
    const auto local = exportCsv(exportEntry, "ip-local", "ip-local.csv"); // the extension is added
    ASSERT_TRUE(local);
    ASSERT_EQ(local->size(), 3);
    EXPECT_EQ((*local)[0][0], "Time");
    EXPECT_EQ((*local)[0][17], "No Route Discards");
    EXPECT_EQ((*local)[1][0], "2026-03-05T10:07:03.000+01:00");
    EXPECT_EQ((*local)[2][0], "2026-03-05T11:07:03.000+01:00");
    // Every other column as the table shows it.
    QList<QStringList> shown = tableWithHeader(ui().lviewIPStats);
    for (qsizetype row = 1; row < shown.size(); ++row)
        EXPECT_EQ((*local)[row].mid(1), shown[row].mid(1));
    EXPECT_EQ((*local)[2][10], "200");
    EXPECT_EQ((*local)[2][17], "");

    // In UTC, from the Utilities menu; the choice is remembered.
    QAction *utc = fileEntry("mnuUtilitiesTimesInUTC");
    ASSERT_TRUE(utc);
    EXPECT_FALSE(utc->isChecked());
    utc->trigger();
    EXPECT_EQ(platform::loadSetting(QStringLiteral("TimesInUTC")), "True");
    const auto inUtc = exportCsv(exportEntry, "ip-utc.csv");
    ASSERT_TRUE(inUtc);
    EXPECT_EQ((*inUtc)[1][0], "2026-03-05T09:07:03.000Z");
    EXPECT_EQ((*inUtc)[2][0], "2026-03-05T10:07:03.000Z");
    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join(" | ").toStdString();

    frmTevoHadraConfig second;
    EXPECT_TRUE(second.findChild<QAction *>(QStringLiteral("mnuUtilitiesTimesInUTC"))->isChecked());
}

TEST_F(Exports, HistoryChartsEveryPointWithDotDecimals)
{
    connectWithClock();
    ui().chkHistoryPERMonitor->click();
    for (const char *rate : {"12.5", "0", "3.25"}) {
        now = now.addSecs(60);
        const int points = perChart().pointCount();
        unitSends("PER=1;START\r\nPER=101;200;25;" + std::string(rate) +
                      "\r\nPER=102;100;1;1.00\r\nPER=1;END\r\n>",
                  [&] { return perChart().pointCount() == points + 1; });
    }
    const auto per = exportCsv(contextEntry(&perChart(), "exportAsCsv"), "per.csv");
    ASSERT_TRUE(per);
    ASSERT_EQ(per->size(), perChart().pointCount() + 1);
    ASSERT_EQ((*per)[0].size(), perChart().channelCount() + 1);
    EXPECT_EQ((*per)[0][0], "Time");
    // Each value reads back as the chart holds it.
    for (int point = 0; point < perChart().pointCount(); ++point)
        for (int channel = 0; channel < perChart().channelCount(); ++channel) {
            const QString field = (*per)[point + 1][channel + 1];
            const std::optional<double> value = perChart().channelData(channel, point);
            EXPECT_EQ(field.isEmpty(), !value.has_value());
            if (value) {
                EXPECT_EQ(field.toDouble(), *value) << field.toStdString();
            }
        }
    // The three readings sent, with dot decimals although the locale is German.
    const qsizetype station101 = columnOf(*per, "101");
    const qsizetype station102 = columnOf(*per, "102");
    ASSERT_GT(station101, 0);
    ASSERT_GT(station102, 0);
    QList<QStringList> sent;
    for (const QStringList &row : per->mid(per->size() - 3))
        sent << QStringList{row[0], row[station101], row[station102]};
    EXPECT_EQ(sent, (QList<QStringList>{{"2026-03-05T09:08:03.000+01:00", "12.5", "1"},
                                        {"2026-03-05T09:09:03.000+01:00", "0", "1"},
                                        {"2026-03-05T09:10:03.000+01:00", "3.25", "1"}}));

    ui().chkHistoryRSSIMonitor->click();
    for (const int rssi : {37, 41}) {
        now = now.addSecs(5);
        const int points = rssiChart().pointCount();
        unitSends("RADIO RSSI=0;" + std::to_string(rssi) + "\r\n>",
                  [&] { return rssiChart().pointCount() == points + 1; });
    }
    // On the History sub-tab the File menu names the two charts.
    showTab(ui().tabDiagnostics, ui().tabHistory);
    openFileMenu();
    QAction *exportEntry = fileEntry("mnuFileExportCsv");
    ASSERT_TRUE(exportEntry->isEnabled());
    ASSERT_TRUE(exportEntry->menu());
    const QList<QAction *> charts = exportEntry->menu()->actions();
    ASSERT_EQ(charts.size(), 2);
    EXPECT_EQ(charts[0]->text(), "Packet Error Rate (%)");
    EXPECT_EQ(charts[1]->text(), "RSSI");
    const auto rssi = exportCsv(charts[1], "rssi.csv");
    ASSERT_TRUE(rssi);
    EXPECT_EQ(rssi->constFirst(), (QStringList{"Time", "RSSI"}));
    EXPECT_EQ(rssi->mid(rssi->size() - 2), (QList<QStringList>{{"2026-03-05T09:10:08.000+01:00", "37"},
                                                               {"2026-03-05T09:10:13.000+01:00", "41"}}));
    EXPECT_EQ(files.requests().constLast().initialPath, "rssi-history.csv");
    // The PER entry writes what the context menu wrote.
    exportCsv(charts[0], "per-again.csv");
    EXPECT_EQ(contents(dir.filePath("per-again.csv")), contents(dir.filePath("per.csv")));
    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join(" | ").toStdString();
}

TEST_F(Exports, PicturesAtTheDevicePixelRatio)
{
    connectWithClock();
    ui().chkHistoryRSSIMonitor->click();
    unitSends("RADIO RSSI=0;37\r\n>", [&] { return rssiChart().pointCount() == 1; });
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    showTab(ui().tabDiagnostics, ui().tabHistory);

    struct Case
    {
        QWidget *display;
        QAction *entry;
        const char *name;
    };
    const auto pictureOf = [&](const Case &c) {
        files.answerNext(dir.filePath(c.name));
        c.entry->trigger();
        QImage picture;
        EXPECT_TRUE(picture.load(dir.filePath(c.name), "PNG")) << c.name;
        return picture;
    };
    ASSERT_EQ(rssiChart().devicePixelRatioF(), 2.0); // QT_SCALE_FACTOR reached the window
    for (const Case &c : {Case{&rssiChart(), contextEntry(&rssiChart(), "savePicture"), "rssi.png"},
                          Case{&perChart(), contextEntry(&perChart(), "savePicture"), "per.png"}}) {
        const QImage picture = pictureOf(c);
        EXPECT_EQ(picture.size(), c.display->size() * 2) << c.name;
        EXPECT_GE(distinctColours(picture), 3) << c.name; // background, grid and text at least
    }

    // The packet-loss bar chart from the File menu while its sub-tab is shown.
    showTab(ui().tabDiagnostics, ui().tabPacketErrorRate);
    openFileMenu();
    QAction *pictureEntry = fileEntry("mnuFileSavePicture");
    ASSERT_TRUE(pictureEntry->isEnabled());
    EXPECT_EQ(pictureEntry->menu(), nullptr);
    const QImage bars = pictureOf({ui().MSChartPacketLoss, pictureEntry, "bars"});
    EXPECT_EQ(bars.size(), ui().MSChartPacketLoss->size() * 2);
    EXPECT_GE(distinctColours(bars), 3);
    EXPECT_EQ(files.requests().constLast().title, "Save Picture");
    EXPECT_EQ(files.requests().constLast().initialPath, "packet-loss.png");
    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join(" | ").toStdString();
}

TEST_F(Exports, FileEntriesFollowTheTabAndTheView)
{
    connectWithClock(); // a unit with the signal-strength feature: the History tab has both charts
    QAction *csv = fileEntry("mnuFileExportCsv");
    QAction *picture = fileEntry("mnuFileSavePicture");
    QAction *stamps = w->findChild<QMenu *>(QStringLiteral("mnuFileLogTimeStamps"))->menuAction();
    struct Case
    {
        QWidget *tab;
        QWidget *subTab;
        bool csv, picture, csvMenu;
    };
    for (const Case &c : {Case{ui().tabGeneral, nullptr, false, false, false},
                          Case{ui().tabStatistics, nullptr, true, false, false},
                          Case{ui().tabDiagnostics, ui().tabPacketErrorRate, false, true, false},
                          Case{ui().tabDiagnostics, ui().tabHistory, true, true, true},
                          Case{ui().tabUtilities, nullptr, false, false, false}}) {
        showTab(c.tab, c.subTab);
        openFileMenu();
        const std::string where = (c.subTab ? c.subTab : c.tab)->objectName().toStdString();
        EXPECT_TRUE(csv->isVisible() && picture->isVisible()) << where;
        EXPECT_FALSE(stamps->isVisible()) << where;
        EXPECT_EQ(csv->isEnabled(), c.csv) << where;
        EXPECT_EQ(picture->isEnabled(), c.picture) << where;
        EXPECT_EQ(csv->menu() != nullptr, c.csvMenu) << where;
    }
    // Triggered with nothing to export, the entries ask for nothing.
    showTab(ui().tabGeneral);
    openFileMenu();
    csv->trigger();
    picture->trigger();
    EXPECT_TRUE(files.requests().isEmpty());

    ui().mnuWindowUseTerminal->trigger();
    openFileMenu();
    EXPECT_FALSE(csv->isVisible());
    EXPECT_FALSE(picture->isVisible());
    EXPECT_TRUE(stamps->isVisible());
    ui().mnuWindowUseForms->trigger();
    openFileMenu();
    EXPECT_TRUE(csv->isVisible());
    EXPECT_FALSE(stamps->isVisible());
    // The File menu keeps its order: the configuration commands, these, then Exit.
    const QList<QAction *> entries = ui().mnuFile->actions();
    EXPECT_LT(entries.indexOf(ui().mnuFileSave), entries.indexOf(csv));
    EXPECT_LT(entries.indexOf(stamps), entries.indexOf(ui().mnuFileExit));
}

TEST_F(Exports, AnExistingFileIsReplacedOnlyWhenTheOperatorAgrees)
{
    connectWithClock();
    const QString path = dir.filePath("table.csv");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("keep me\r\n");
    }
    QAction *entry = contextEntry(ui().lviewIFStats, "exportAsCsv");
    // No asks for another file; cancelling that leaves the old one.
    files.answerNext(path);
    boxes.answerNext(platform::MsgAnswer::No);
    entry->trigger();
    EXPECT_EQ(files.requests().size(), 2);
    EXPECT_EQ(boxes.texts(), QStringList{"Replace existing file - " + path + "?"});
    EXPECT_EQ(contents(path), "keep me\r\n");

    boxes.clear();
    files.answerNext(path);
    boxes.answerNext(platform::MsgAnswer::Yes);
    entry->trigger();
    EXPECT_EQ(readCsv(contents(path)), tableWithHeader(ui().lviewIFStats));

    // A file that cannot be written says why and leaves nothing behind.
    boxes.clear();
    const QString nowhere = dir.filePath("missing/folder/table.csv");
    files.answerNext(nowhere);
    entry->trigger();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith(nowhere + ": ")) << boxes.texts()[0].toStdString();
    EXPECT_EQ(boxes.shown()[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_FALSE(QFile::exists(nowhere));
}

} // namespace
