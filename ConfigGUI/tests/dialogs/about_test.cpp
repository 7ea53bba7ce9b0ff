// The About window: opened from the Help menu, its version against `linkset --version`, the
// logo growing by its timer and again at each opening, and the System Info button with and
// without a system-information program on PATH.
#include "dialogs/frmAbout.h"
#include "modal_driver.h"
#include "platform/system_info.h"
#include "ui_frmAbout.h"
#include "window_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// The logo's size after each tick of its timer, and whether the timer still ran then.
struct Tick
{
    QSize units;
    QSize pixels;
    bool timerActive;
};

QList<Tick> ticksUntilStopped(frmAbout &about)
{
    QList<Tick> ticks;
    const auto connection = QObject::connect(about.timerStretchLogo, &QTimer::timeout, [&] {
        ticks << Tick{about.logoSize(), about.ui->imgLogo->size(), about.timerStretchLogo->isActive()};
    });
    waitForCondition([&] { return !about.timerStretchLogo->isActive(); });
    QObject::disconnect(connection);
    return ticks;
}

// Sets PATH for the life of the object.
class PathForTest
{
public:
    explicit PathForTest(const QByteArray &path) : saved_(qgetenv("PATH")) { qputenv("PATH", path); }
    ~PathForTest() { qputenv("PATH", saved_); }

private:
    QByteArray saved_;
};

// A stand-in program that leaves a file named after itself beside it when started.
void makeProgram(const QString &folder, const QString &name)
{
    QFile script(folder + u'/' + name);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n: > \"$0.started\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

class About : public WindowFixture
{
protected:
    ModalDriver modals;
    Watchdog watchdog{50};
};

TEST_F(About, TheHelpMenuOpensItModallyAndOkClosesIt)
{
    EXPECT_EQ(ui().mnuHelp->title(), QStringLiteral("&Help"));
    EXPECT_EQ(ui().mnuAbout->text(), QStringLiteral("&About"));
    QString caption;
    modals.onNextModal(QStringLiteral("frmAbout"), [&](QDialog &dialog) {
        caption = dialog.windowTitle();
        pressButton(dialog, QStringLiteral("cmdOK"));
    });
    ui().mnuAbout->trigger();
    EXPECT_EQ(modals.handledCount(QStringLiteral("frmAbout")), 1);
    EXPECT_EQ(caption, QStringLiteral("Corvane Configuration Utility"));
}

TEST_F(About, TheVersionIsTheOneTheProgramPrints)
{
    QProcess program;
    program.start(QStringLiteral(LINKSET_PROGRAM), {QStringLiteral("--version")});
    ASSERT_TRUE(program.waitForFinished(10000));
    const QString printed = QString::fromLatin1(program.readAllStandardOutput()).trimmed();
    const QRegularExpressionMatch version =
        QRegularExpression(QStringLiteral("^linkset (\\d+\\.\\d+\\.\\d+)$")).match(printed);
    ASSERT_TRUE(version.hasMatch()) << printed.toStdString(); // major, minor and revision

    frmAbout about(boxes);
    EXPECT_EQ(about.ui->lblTitle->text(), QStringLiteral("Configuration Utility"));
    EXPECT_EQ(about.ui->lblVersion->text(), QStringLiteral("Version ") + version.captured(1));
}

TEST_F(About, TheLogoGrowsInEightySevenTicksAndGrowsAgainAtTheNextOpening)
{
    frmAbout about(boxes, w.get());
    about.show();
    EXPECT_EQ(about.logoSize(), QSize(0, 0));
    EXPECT_TRUE(about.timerStretchLogo->isActive());
    const QList<Tick> ticks = ticksUntilStopped(about);
    ASSERT_EQ(ticks.size(), 88);
    EXPECT_EQ(ticks[0].units, QSize(51, 8));
    EXPECT_EQ(ticks[86].units, QSize(frmAbout::kLogoWidth, frmAbout::kLogoHeight));
    EXPECT_EQ(ticks[86].pixels, QSize(296, 45));
    EXPECT_TRUE(ticks[86].timerActive);
    EXPECT_EQ(ticks[87].units, ticks[86].units);
    EXPECT_FALSE(ticks[87].timerActive);

    about.hide();
    about.show();
    EXPECT_EQ(about.logoSize(), QSize(0, 0));
    EXPECT_EQ(about.ui->imgLogo->size(), QSize(0, 0));
    EXPECT_EQ(ticksUntilStopped(about).size(), 88);
    EXPECT_EQ(about.ui->imgLogo->size(), QSize(296, 45));
}

TEST_F(About, SystemInfoWithNoProgramOnThePathSaysItIsUnavailable)
{
    PathForTest empty("");
    frmAbout about(boxes);
    about.ui->cmdSysInfo->click();
    EXPECT_EQ(boxes.texts(), QStringList{"System Information Is Unavailable At This Time"});
}

TEST_F(About, SystemInfoStartsTheFirstProgramOfTheListOnThePath)
{
    QTemporaryDir early;
    QTemporaryDir late;
    const QStringList programs = platform::systemInfoPrograms();
    ASSERT_GE(programs.size(), 3);
    // The second of the list in a later folder beats the third in an earlier one.
    makeProgram(early.path(), programs[2]);
    makeProgram(late.path(), programs[1]);
    PathForTest path((early.path() + u':' + late.path()).toLocal8Bit());
    EXPECT_EQ(platform::findSystemInfoProgram(qEnvironmentVariable("PATH")), late.filePath(programs[1]));

    frmAbout about(boxes);
    about.ui->cmdSysInfo->click();
    EXPECT_TRUE(waitForCondition([&] { return QFile::exists(late.filePath(programs[1] + ".started")); }));
    EXPECT_FALSE(QFile::exists(early.filePath(programs[2] + ".started")));
    EXPECT_TRUE(boxes.shown().isEmpty());
}
