#pragma once
// What a command of the command line reports: the unit, the entries with their states,
// and the boxes the window showed on the way; as text or as one JSON object.
#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "forms/configuration_transfer.h"
#include "forms/update_review.h"
#include "platform/message_boxes.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace cli {

struct RunResult
{
    Command command = Command::Retrieve;
    ExitCode code = Success;
    forms::UnitIdentity unit;
    QList<forms::ReviewRow> entries;
    QStringList states; // one per entry once they were written; empty before
    QString output;     // retrieve: the file written
    QList<platform::MessageBox> messages;
};

// One line per written entry: its state, then its tab and setting.
QString entryStatesText(const RunResult &result);

// {"command", "result", "exitCode", "unit": {"serial", "version", "model"},
//  "entries": [{"tab", "setting", "retrieved", "toWrite", "state"}], "output",
//  "messages": [{"title", "text"}]}; "state" only once the entries were written.
QByteArray resultJson(const RunResult &result);

} // namespace cli
