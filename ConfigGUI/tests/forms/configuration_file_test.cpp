// Configuration files: what a save writes, an import into a fresh window giving the same
// configuration, an import followed by an update, the replace question, a save that fails
// half way, and files that are not configurations at all.
#include "forms/configuration_file.h"
#include "forms/configuration_file_commands.h"
#include "transfer_fixture.h"
#include "ui_frmTevoHadraConfig.h"
#include "widgets/bar_chart.h"
#include "window_fixture.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QDialog>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>

using forms::ConfigRecord;
using platform::MsgAnswer;

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

// The file holds only the routes the operator made: the unit's own (direct and learned)
// routes are read from the unit, never from a file.
ConfigRecord withoutUnitRoutes(ConfigRecord record)
{
    record.staticRoutes.removeIf([](const QStringList &route) { return route.value(3) != "Static"; });
    return record;
}

} // namespace

class FileWithUnit : public TransferFixture
{
protected:
    QString pathOf(const QString &name) const { return dir.filePath(name); }
    void save(const QString &path)
    {
        files.answerNext(path);
        forms::SaveConfiguration(*w);
    }
    QTemporaryDir dir;
};

TEST_F(FileWithUnit, ASavedFileStartsWithTheTwentySevenParameterLines)
{
    connectAndRetrieve();
    save(pathOf("unit"));
    ASSERT_EQ(files.requests().size(), 1);
    EXPECT_EQ(files.requests()[0].title, "Save Configuration to File");
    EXPECT_EQ(files.requests()[0].filter, "Configuration Files (*.qdv)|*.qdv|All Files (*.*)|*.*");
    EXPECT_TRUE(files.requests()[0].save);

    // A name without an extension gets ".qdv".
    const QByteArray content = contentOf(pathOf("unit.qdv"));
    const QList<QByteArray> lines = content.split('\n');
    ASSERT_GT(lines.size(), 27);
    const char *codes[] = {"15", "10", "11", "16", "47", "27", "28", "01", "43", "12", "13", "45", "41", "29",
                           "2A", "30", "17", "18", "1B", "1C", "19", "14", "02", "03", "58", "33", "34"};
    for (int i = 0; i < 27; ++i) {
        EXPECT_TRUE(lines[i].startsWith(QByteArray("get=1;") + codes[i] + "=")) << lines[i].constData();
        EXPECT_TRUE(lines[i].endsWith('\r'));
    }
    EXPECT_EQ(lines[0], "get=1;15=example.net\r");
    EXPECT_EQ(lines[7], "get=1;01=Hadra Base\r");
    EXPECT_EQ(lines[27], "RIP Enabled\r");
}

class FileRoundTrip : public FileWithUnit, public ::testing::WithParamInterface<unitsim::Model>
{
};

INSTANTIATE_TEST_SUITE_P(Modes, FileRoundTrip, ::testing::Values(unitsim::Model::Hadra, unitsim::Model::Tevo),
                         [](const auto &info) {
                             return info.param == unitsim::Model::Hadra ? std::string("Routing")
                                                                        : std::string("Bridging");
                         });

TEST_P(FileRoundTrip, AnImportIntoAFreshWindowShowsTheSameConfiguration)
{
    unitsim::UnitOptions options;
    options.model = GetParam();
    connectAndRetrieve(Transport::Telnet, options);
    const bool bridging = GetParam() == unitsim::Model::Tevo;
    ASSERT_EQ(w->optForwardingMode(0)->isChecked(), bridging);
    ASSERT_GT(w->ui->lviewStationsAdded->topLevelItemCount(), 0);
    save(pathOf("unit.qdv"));

    ScriptedMessageBoxes freshBoxes; // outlive the window that uses them
    ScriptedFileDialogs freshFiles;
    StartOptions sameDevices;
    sameDevices.demoSerialDevice = QString::fromStdString(unit->ptySlavePath());
    frmTevoHadraConfig fresh(sameDevices);
    fresh.setMessageBoxes(&freshBoxes);
    fresh.setFileDialogs(&freshFiles);
    freshFiles.answerNext(pathOf("unit.qdv"));
    forms::ImportConfiguration(fresh);
    ASSERT_EQ(freshFiles.requests().size(), 1);
    EXPECT_EQ(freshFiles.requests()[0].title, "Import Configuration from File");
    EXPECT_FALSE(freshFiles.requests()[0].save);

    ConfigRecord saved;
    ConfigRecord imported;
    forms::ReadFormConfig(*w, saved);
    forms::ReadFormConfig(fresh, imported);
    EXPECT_EQ(withoutUnitRoutes(imported), withoutUnitRoutes(saved));
    EXPECT_FALSE(imported.staticRoutes.isEmpty());
    EXPECT_TRUE(freshBoxes.shown().isEmpty()) << qPrintable(freshBoxes.texts().join(" | "));

    // The stations' packet-loss chart shows a bar for each station of the file once the import ends.
    const linkset::BarChart &chart = *fresh.ui->MSChartPacketLoss;
    const auto *bars = qobject_cast<const QBarSeries *>(chart.chart()->series().value(0));
    ASSERT_NE(bars, nullptr);
    EXPECT_GT(chart.chartData().size(), 0);
    EXPECT_EQ(bars->barSets().value(0)->count(), chart.chartData().size());
}

TEST_F(FileWithUnit, AnImportDifferingInThreeSettingsMakesTheUpdateWriteExactlyThose)
{
    connectAndRetrieve();
    const QString path = pathOf("unit.qdv");
    save(path);
    QByteArray content = contentOf(path);
    content.replace("get=1;01=Hadra Base", "get=1;01=Mast 2");
    content.replace("get=1;58=25", "get=1;58=30");
    content.replace("DNS=198.51.100.53", "DNS=203.0.113.53");
    writeFile(path, content);

    files.answerNext(path);
    forms::ImportConfiguration(*w);
    EXPECT_EQ(w->ui->txtSNMPName->text(), "Mast 2");
    before = commandCount();
    ASSERT_TRUE(update());
    EXPECT_EQ(commandsFrom(before).mid(0, 5),
              (QStringList{"Set 01=Mast 2", "ip dns server del 198.51.100.53",
                           "ip dns server add 203.0.113.53", "Set 58=30", "Set 60= 1"}));
    EXPECT_EQ(commandsFrom(before).mid(5), retrievalCommands());
    for (const Row &row : rows())
        EXPECT_EQ(row.state, "Success") << qPrintable(row.message);
    EXPECT_EQ(rows().size(), 4);
}

class FileWithoutUnit : public WindowFixture
{
protected:
    QString pathOf(const QString &name) const { return dir.filePath(name); }
    void import(const QString &path)
    {
        files.answerNext(path);
        forms::ImportConfiguration(*w);
    }
    QTemporaryDir dir;
};

TEST_F(FileWithoutUnit, RoutesAreWrittenWithTheirTypeAndThreeFieldLinesAreStillRead)
{
    const QString older = pathOf("older.qdv");
    writeFile(older, "IP ROUTE=1;START\n"
                     "IP ROUTE=10.7.0.0;255.255.0.0;10.0.0.7\n"
                     "IP ROUTE=10.8.0.0;255.255.0.0;10.0.0.8;Static\n"
                     "IP ROUTE=10.9.0.0;255.255.0.0;10.0.0.9;Directly connected\n"
                     "IP ROUTE=1;END\n");
    import(older);
    EXPECT_EQ(rowsOf(ui().lviewRouterRoutes),
              (QList<QStringList>{{"10.7.0.0", "255.255.0.0", "10.0.0.7", "Static", "", ""},
                                  {"10.8.0.0", "255.255.0.0", "10.0.0.8", "Static", "", ""},
                                  {"10.9.0.0", "255.255.0.0", "10.0.0.9", "Directly connected", "", ""}}));

    // An older file's three-field route is static. The type goes with the route, as the
    // unit itself sends it: imported again, the route is still one the operator made.
    const QString saved = pathOf("saved.qdv");
    files.answerNext(saved);
    forms::SaveConfiguration(*w);
    const QByteArray content = contentOf(saved);
    EXPECT_TRUE(content.contains("IP ROUTE=1;START\r\n"
                                 "IP ROUTE=10.7.0.0;255.255.0.0;10.0.0.7;Static\r\n"
                                 "IP ROUTE=10.8.0.0;255.255.0.0;10.0.0.8;Static\r\n"
                                 "IP ROUTE=1;END\r\n"))
        << content.constData();
}

TEST_F(FileWithoutUnit, NoToTheReplaceQuestionKeepsTheFileAndAsksForAnotherName)
{
    const QString kept = pathOf("kept.qdv");
    writeFile(kept, "old configuration\r\n");
    ui().txtSNMPName->setText("Mast 2");

    files.answerNext(kept);
    boxes.answerNext(MsgAnswer::No);
    files.answerNext(kept);
    boxes.answerNext(MsgAnswer::Cancel);
    files.answerNext(pathOf("other.qdv"));
    forms::SaveConfiguration(*w);

    EXPECT_EQ(contentOf(kept), "old configuration\r\n");
    EXPECT_EQ(files.requests().size(), 3);
    EXPECT_EQ(boxes.texts(), (QStringList{"Replace existing file - " + kept + "?",
                                          "Replace existing file - " + kept + "?"}));
    EXPECT_EQ(boxes.shown()[0].buttons, platform::MsgButtons::YesNoCancel);
    EXPECT_EQ(boxes.shown()[0].icon, platform::MsgIcon::Question);
    EXPECT_TRUE(contentOf(pathOf("other.qdv")).contains("get=1;01=Mast 2\r\n"));

    // Yes replaces it.
    boxes.clear();
    files.answerNext(kept);
    forms::SaveConfiguration(*w);
    EXPECT_TRUE(contentOf(kept).startsWith("get=1;15="));
}

TEST_F(FileWithoutUnit, ASaveThatFailsHalfWayLeavesThePreviousFileIntact)
{
    const QString path = pathOf("unit.qdv");
    const QByteArray previous = "get=1;01=Previous\r\n";
    writeFile(path, previous);
    ui().txtSNMPName->setText("Mast 2");

    // A full disk: writes past the first 100 bytes fail.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit original{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &original), 0);
    rlimit small = original;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    files.answerNext(path);
    boxes.answerNext(MsgAnswer::Yes);
    forms::SaveConfiguration(*w);
    setrlimit(RLIMIT_FSIZE, &original);

    EXPECT_EQ(contentOf(path), previous);
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown()[1].icon, platform::MsgIcon::Exclamation);
    EXPECT_FALSE(boxes.shown()[1].text.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"unit.qdv"}); // no temporary file left
}

TEST_F(FileWithoutUnit, AnImportAsksUntilTheFileExistsAndACancelChangesNothing)
{
    ui().txtSNMPName->setText("Kept");
    files.answerNext(pathOf("missing.qdv"));
    files.cancelNext();
    forms::ImportConfiguration(*w);
    EXPECT_EQ(files.requests().size(), 2);
    EXPECT_EQ(ui().txtSNMPName->text(), "Kept");
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(FileWithoutUnit, GarbageAndTruncatedBlocksFillWhatTheyCan)
{
    const QString path = pathOf("damaged.qdv");
    writeFile(path, "get=1;01=First\n"
                    "this line means nothing\n"
                    "get=1;=;;==;10\n"
                    "DNS=1;START\n"
                    "DNS=192.0.2.1\n" // the block never ends
                    "SNMP COMMUNITY=\n"
                    "IP ROUTE=10.0.0.0\n"
                    "RADIOIP=;\n"
                    "get=1;02=Second\r\n"
                    "get=1;58=not a number\n"
                    "Password: \n" // never answered from a file
                    "get=1;03=Third");
    ui().txtSNMPName->setText("old");
    ui().txtESN->setText("from before the import");
    ModalDriver modals;
    modals.onNextModal(
        "frmUserNamePassword", [](QDialog &dialog) { dialog.reject(); }, 200);
    import(path);
    EXPECT_EQ(ui().txtESN->text(), "");
    EXPECT_EQ(ui().txtSNMPName->text(), "First");
    EXPECT_EQ(ui().txtSNMPContact->text(), "Second");
    EXPECT_EQ(ui().txtSNMPLocation->text(), "Third");
    EXPECT_EQ(rowsOf(ui().lviewDNSServers), (QList<QStringList>{{"192.0.2.1"}}));
    EXPECT_EQ(ui().lviewRouterRoutes->topLevelItemCount(), 1);
    EXPECT_EQ(modals.handledCount("frmUserNamePassword"), 0);
    EXPECT_TRUE(boxes.shown().isEmpty()) << qPrintable(boxes.texts().join(" | "));
}

TEST_F(FileWithoutUnit, ABinaryFileAndOverlongLinesAreSkipped)
{
    QByteArray binary(256 * 1024, '\0');
    QRandomGenerator random(7);
    for (char &byte : binary)
        byte = char(random.bounded(256));
    binary += "\nget=1;01=After the noise\n";
    binary += QByteArray(200 * 1024, 'x') + "get=1;02=inside a long line\n";
    binary += "get=1;03=Last\n";
    const QString path = pathOf("binary.qdv");
    writeFile(path, binary);
    import(path);
    EXPECT_EQ(ui().txtSNMPName->text(), "After the noise");
    EXPECT_EQ(ui().txtSNMPContact->text(), "");
    EXPECT_EQ(ui().txtSNMPLocation->text(), "Last");
}

TEST_F(FileWithoutUnit, AHundredMegabyteFileIsReadUpToTheLimitOfAConfiguration)
{
    QByteArray start = "get=1;01=Start\n";
    const QByteArray filler = "# padding that is not a reply line at all\n";
    while (start.size() < 2 * forms::kLargestConfigurationFile)
        start += filler;
    const QString path = pathOf("large.qdv");
    writeFile(path, start);
    // 100 MB, most of it a hole of zero bytes, and one more line at its very end.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(100 * 1000 * 1000));
    file.write("\nget=1;02=Beyond the limit\n");
    file.close();

    import(path);
    EXPECT_EQ(ui().txtSNMPName->text(), "Start");
    EXPECT_EQ(ui().txtSNMPContact->text(), "");
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.texts()[0], "Only the first 1024 KB of " + path +
                                    " were imported: a configuration file is never that large.");
}

TEST(ConfigurationFileLines, LinesUpToTheLongestAreHandedOverWholeAndLongerOnesSkipped)
{
    // A line may take 64 KB with its line break (the last line of a file may have none); one
    // byte more and it is skipped whole.
    constexpr int longest = 64 * 1024;
    const QByteArray fits(longest - 1, 'a');
    const QByteArray fitsBeforeCrLf(longest - 2, 'b');
    const QByteArray tooLong(longest, 'c');
    const QByteArray withNul("d\0e", 3);
    const struct
    {
        QByteArray content;
        QStringList handedOver;
    } cases[] = {
        {fits + "\nnext\n", {QString::fromLatin1(fits), "next"}},
        {fitsBeforeCrLf + "\r\nnext\r\n", {QString::fromLatin1(fitsBeforeCrLf), "next"}},
        {tooLong + "\nnext\n", {"next"}},
        {tooLong + tooLong + "\nnext", {"next"}},
        {"first\n" + fits, {"first", QString::fromLatin1(fits)}},
        {"first\n" + tooLong, {"first", QString::fromLatin1(tooLong)}},
        {"first\n" + tooLong + "c", {"first"}},
        {withNul + "\n", {QString::fromLatin1(withNul)}},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("lines.qdv");
    for (const auto &c : cases) {
        writeFile(path, c.content);
        QStringList lines;
        const forms::FileReading reading =
            forms::readConfigurationFile(path, [&lines](const QString &line) { lines << line; });
        EXPECT_TRUE(reading.error.isEmpty()) << qPrintable(reading.error);
        EXPECT_FALSE(reading.truncated);
        EXPECT_EQ(lines, c.handedOver) << "case of " << c.content.size() << " bytes";
    }
}
