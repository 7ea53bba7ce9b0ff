#include "cli/commands.h"

#include "cli/headless_session.h"
#include "cli/password_source.h"
#include "cli/run_result.h"
#include "forms/configuration_file.h"
#include "forms/configuration_transfer.h"
#include "forms/update_list.h"
#include "ui/frmTevoHadraConfig.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <cstdio>

namespace cli {

namespace {

void say(const QString &text)
{
    std::fprintf(stderr, "linkset: %s\n", qPrintable(text));
}

void print(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

// The files a command reads, checked before anything is connected.
bool filesReadable(const QStringList &paths)
{
    for (const QString &path : paths) {
        const QFileInfo file(path);
        if (!file.isFile() || !file.isReadable()) {
            say(QStringLiteral("%1 is not a readable file").arg(path));
            return false;
        }
    }
    return true;
}

// The entries of `list` into the result, one review row per entry in the order the entries
// are written, so that each row meets the state of its entry; as text they are printed as
// the review shows them, grouped by tab.
void takeEntries(const Invocation &invocation, const forms::UpdateList &list,
                 const forms::ConfigRecord &retrieved, RunResult &result)
{
    for (const forms::UpdateEntry &entry : list.entries)
        result.entries << forms::reviewRows(forms::UpdateList{{entry}, false}, retrieved).constFirst();
    if (!invocation.json)
        print(forms::reviewText(forms::reviewRows(list, retrieved)));
}

// Reports the result and returns its exit status.
int finish(const Invocation &invocation, RunResult &result, const HeadlessSession &session)
{
    result.command = invocation.command;
    result.messages = session.boxes().shown();
    if (invocation.json)
        std::fputs(resultJson(result).constData(), stdout);
    else
        print(entryStatesText(result));
    return result.code;
}

// Connects and logs in; the password comes from its source first, so that a command line
// without one fails before anything is connected.
ExitCode openSession(const Invocation &invocation, HeadlessSession &session)
{
    const Password password = readPassword(invocation.passwordFile);
    if (!password.error.isEmpty()) {
        say(password.error);
        return UsageError;
    }
    if (!password.text) {
        say(QStringLiteral("no password: set LINKSET_PASSWORD, give --password-file, or run on a terminal"));
        return UsageError;
    }
    const ExitCode opened = session.open(invocation.unit, invocation.user, *password.text);
    return opened == Success ? session.retrieve() : opened;
}

int runRetrieve(const Invocation &invocation)
{
    HeadlessSession session;
    RunResult result;
    result.code = openSession(invocation, session);
    const forms::ConfigurationTransfer &transfer = session.window().configurationTransfer();
    if (result.code == Success) {
        result.unit = transfer.retrievedUnit;
        const QString error =
            forms::writeConfigurationFile(invocation.output, transfer.retrievedConfigurationLines());
        if (error.isEmpty()) {
            result.output = invocation.output;
        } else {
            say(error);
            result.code = FileFailure;
        }
    }
    session.close();
    return finish(invocation, result, session);
}

int runApply(const Invocation &invocation)
{
    if (!filesReadable(invocation.files))
        return FileFailure;
    HeadlessSession session;
    RunResult result;
    result.code = openSession(invocation, session);
    forms::ConfigurationTransfer &transfer = session.window().configurationTransfer();
    if (result.code == Success && !session.import(invocation.files.first()))
        result.code = FileFailure;
    if (result.code == Success) {
        result.unit = transfer.retrievedUnit;
        transfer.NumberOfConfigurationChanges();
        takeEntries(invocation, transfer.updateList, *transfer.retrievedRecord, result);
        if (!invocation.dryRun && !result.entries.isEmpty()) {
            result.code = session.update();
            result.states = session.entryStates();
        }
    }
    session.close();
    return finish(invocation, result, session);
}

int runDiff(const Invocation &invocation)
{
    if (!filesReadable(invocation.files))
        return FileFailure;
    HeadlessSession session;
    RunResult result;
    forms::ConfigRecord records[2];
    for (int i = 0; i < 2; ++i) {
        if (!session.import(invocation.files[i]))
            result.code = FileFailure;
        forms::ReadFormConfig(session.window(), records[i]);
    }
    if (result.code == Success) {
        takeEntries(invocation, forms::compareRecords(records[0], records[1]), records[0], result);
    }
    return finish(invocation, result, session);
}

void qtMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        say(message);
}

} // namespace

void prepareHeadlessApplication()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(qtMessage);
}

int runCommand(const Invocation &invocation)
{
    switch (invocation.command) {
    case Command::Retrieve:
        return runRetrieve(invocation);
    case Command::Apply:
        return runApply(invocation);
    case Command::Diff:
        return runDiff(invocation);
    case Command::Window:
        break;
    }
    return UsageError;
}

} // namespace cli
