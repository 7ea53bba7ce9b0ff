#include "session_fixture.h"

#include "session/mscomm.h"
#include "ui_frmTevoHadraConfig.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QSettings>
#include <QStringList>
#include <cstdio>
#include <wiretalk/telnet_client.h>

void SessionFixture::start(unitsim::UnitOptions options)
{
    options.pty = true;
    unit = std::make_unique<unitsim::SimulatedUnit>(options);
    unit->start();
    StartOptions startOptions;
    startOptions.demoSerialDevice = QString::fromStdString(unit->ptySlavePath());
    w = std::make_unique<frmTevoHadraConfig>(startOptions);
    w->setMessageBoxes(&boxes);
    w->setFileDialogs(&files);
}

void SessionFixture::TearDown()
{
    // A failed case tells what the operator would have seen.
    if (HasFailure()) {
        for (const platform::MessageBox &box : boxes.shown())
            std::fprintf(stderr, "box: [%s] %s\n", qPrintable(box.title), qPrintable(box.text));
        if (w)
            std::fprintf(stderr,
                         "telnet control %s, connected %d, serial open %d, logins %d, missed dialogs %d\n",
                         w->TelnetClient1 ? "present" : "missing", w->telnetConnected(), w->serialOpen(),
                         logins(), modals.missedCount());
    }
    if (w) {
        // Leave quietly: a connected window would ask before closing.
        if (w->telnetConnected())
            w->TelnetClient1->Disconnect();
        if (w->serialOpen())
            w->MSComm1->setPortOpen(false);
        w.reset();
    }
    if (unit)
        unit->stop();
}

void SessionFixture::requestTelnetConnection(quint16 port)
{
    const quint16 target = port ? port : unit->telnetPort();
    modals.onNextModal(QStringLiteral("frmTelnetProperties"), [target](QDialog &dialog) {
        dialog.findChild<QLineEdit *>(QStringLiteral("mskIP"))->setText(QStringLiteral("127.0.0.1"));
        dialog.findChild<QLineEdit *>(QStringLiteral("txtTelnetPort"))->setText(QString::number(target));
        pressButton(dialog, QStringLiteral("cmdOK"));
    });
    w->ui->mnuConnectTelnet->trigger();
}

bool SessionFixture::connectTelnet()
{
    requestTelnetConnection();
    return waitForCondition([this] { return w->telnetConnected(); });
}

void SessionFixture::answerLogin(const QString &user, const QString &password)
{
    modals.onNextModal(QStringLiteral("frmUserNamePassword"), [user, password](QDialog &dialog) {
        dialog.findChild<QLineEdit *>(QStringLiteral("txtUserName"))->setText(user);
        dialog.findChild<QLineEdit *>(QStringLiteral("txtPassword"))->setText(password);
        pressButton(dialog, QStringLiteral("cmdOK"));
    });
}

void SessionFixture::cancelLogin()
{
    modals.onNextModal(QStringLiteral("frmUserNamePassword"),
                       [](QDialog &dialog) { pressButton(dialog, QStringLiteral("cmdCancel")); });
}

bool SessionFixture::connectTelnetAndLogIn()
{
    answerLogin(QStringLiteral("admin"), QStringLiteral("radio"));
    return connectTelnet() && waitForCondition([this] { return w->bGotPrompt; });
}

bool SessionFixture::connectSerialAndLogIn()
{
    answerLogin(QString(), QStringLiteral("radio"));
    w->ConnectSerial();
    return w->serialOpen() && waitForCondition([this] { return w->bGotPrompt; });
}

bool SessionFixture::connectAndLogIn(Transport transport)
{
    return transport == Transport::Telnet ? connectTelnetAndLogIn() : connectSerialAndLogIn();
}

void SessionFixture::forgetSettings()
{
    QSettings(QStringLiteral("Corvane"), QStringLiteral("Linkset")).remove(QStringLiteral("Properties"));
}

QStringList SessionFixture::commandLines() const
{
    QStringList lines;
    for (const unitsim::ReceivedLine &line : unit->receivedLines()) {
        if (line.kind == unitsim::ReceivedLine::Kind::CommandLine)
            lines << QString::fromStdString(line.text);
    }
    return lines;
}

int SessionFixture::bareLineFeeds() const
{
    int count = 0;
    for (const unitsim::ReceivedLine &line : unit->receivedLines())
        count += line.kind == unitsim::ReceivedLine::Kind::BareLineFeed ? 1 : 0;
    return count;
}
