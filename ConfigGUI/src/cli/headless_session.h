#pragma once
// The main window run without being shown, for the commands of the command line: it
// connects, logs in, retrieves, imports and updates through the window's own menu
// commands, with the operator's parts played by the headless seams. Nothing it does
// reads or changes the user's settings: the window's settings store is a folder of its
// own that is removed at the end.
#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "cli/headless_seams.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class frmTevoHadraConfig;

namespace cli {

class HeadlessSession
{
public:
    HeadlessSession();
    ~HeadlessSession();

    frmTevoHadraConfig &window() { return *w_; }
    const HeadlessMessageBoxes &boxes() const { return boxes_; }

    // Connects and waits for the unit's first prompt after the login.
    ExitCode open(const UnitAddress &unit, const QString &user, const QString &password);
    // Device > Retrieve, waited for until the retrieved configuration is taken.
    ExitCode retrieve();
    // File > Load with `path`; false when the import reported a problem.
    bool import(const QString &path);
    // Device > Update, waited for until every written entry is validated.
    ExitCode update();
    // The transfer window's state of each entry of the last update, in order.
    QStringList entryStates() const;
    // Ends the connection; the box that says so is not printed.
    void close();

private:
    bool connected() const;
    bool setUnitAddress(const UnitAddress &unit);

    QTemporaryDir settingsFolder_;
    HeadlessMessageBoxes boxes_;
    OneFileDialog files_;
    std::unique_ptr<HeadlessLoginPrompt> login_;
    std::unique_ptr<frmTevoHadraConfig> w_;
};

} // namespace cli
