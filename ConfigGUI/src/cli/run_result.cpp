#include "cli/run_result.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {

namespace {

QString commandName(Command command)
{
    switch (command) {
    case Command::Retrieve:
        return QStringLiteral("retrieve");
    case Command::Apply:
        return QStringLiteral("apply");
    case Command::Diff:
        return QStringLiteral("diff");
    case Command::Window:
        break;
    }
    return {};
}

QString resultName(ExitCode code)
{
    switch (code) {
    case Success:
        return QStringLiteral("success");
    case FileFailure:
        return QStringLiteral("file failure");
    case UsageError:
        return QStringLiteral("usage error");
    case ConnectionFailed:
        return QStringLiteral("connection failed");
    case LoginRefused:
        return QStringLiteral("login refused");
    case EntriesFailed:
        return QStringLiteral("entries failed");
    }
    return {};
}

} // namespace

QString entryStatesText(const RunResult &result)
{
    QString text;
    for (qsizetype i = 0; i < result.entries.size() && i < result.states.size(); ++i) {
        const forms::ReviewRow &row = result.entries[i];
        text += QStringLiteral("%1 %2: %3\n").arg(result.states[i], -10).arg(row.tab, row.setting);
    }
    return text;
}

QByteArray resultJson(const RunResult &result)
{
    QJsonArray entries;
    for (qsizetype i = 0; i < result.entries.size(); ++i) {
        const forms::ReviewRow &row = result.entries[i];
        QJsonObject entry{{QStringLiteral("tab"), row.tab},
                          {QStringLiteral("setting"), row.setting},
                          {QStringLiteral("retrieved"), row.retrieved},
                          {QStringLiteral("toWrite"), row.toWrite}};
        if (i < result.states.size())
            entry.insert(QStringLiteral("state"), result.states[i]);
        entries.append(entry);
    }
    QJsonArray messages;
    for (const platform::MessageBox &box : result.messages)
        messages.append(
            QJsonObject{{QStringLiteral("title"), box.title}, {QStringLiteral("text"), box.text}});
    QJsonObject object{{QStringLiteral("command"), commandName(result.command)},
                       {QStringLiteral("result"), resultName(result.code)},
                       {QStringLiteral("exitCode"), int(result.code)},
                       {QStringLiteral("entries"), entries},
                       {QStringLiteral("messages"), messages}};
    if (result.command != Command::Diff)
        object.insert(QStringLiteral("unit"), QJsonObject{{QStringLiteral("serial"), result.unit.serial},
                                                          {QStringLiteral("version"), result.unit.version},
                                                          {QStringLiteral("model"), result.unit.model}});
    if (!result.output.isEmpty())
        object.insert(QStringLiteral("output"), result.output);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

} // namespace cli
