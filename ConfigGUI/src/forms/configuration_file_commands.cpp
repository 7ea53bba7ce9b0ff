#include "forms/configuration_file_commands.h"

#include "forms/config_record.h"
#include "forms/configuration_display.h"
#include "forms/configuration_file.h"
#include "platform/replace_question.h"
#include "session/mod_config_script.h"
#include "session/process_reply.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"
#include "widgets/bar_chart.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QScopeGuard>

namespace forms {

namespace {

platform::FileDialogRequest fileRequest(const QString &title, bool save)
{
    platform::FileDialogRequest request;
    request.title = title;
    request.filter = QLatin1String(kConfigurationFileFilter);
    request.save = save;
    return request;
}

// A name typed without an extension gets the configuration files' one.
QString withExtension(const QString &path)
{
    if (!QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + QLatin1String(kConfigurationFileExtension);
}

void showFileError(frmTevoHadraConfig &w, const QString &error)
{
    w.messageBoxes().inform(&w, error, QString(), platform::MsgIcon::Exclamation);
}

} // namespace

void SaveConfiguration(frmTevoHadraConfig &w)
{
    ConfigRecord record;
    ReadFormConfig(w, record);
    const platform::FileDialogRequest request =
        fileRequest(QStringLiteral("Save Configuration to File"), true);
    for (;;) {
        const std::optional<QString> chosen = w.fileDialogs().choose(&w, request);
        if (!chosen)
            return;
        const QString path = withExtension(*chosen);
        // No keeps the file: the operator chooses another name (as after Cancel).
        if (QFileInfo::exists(path) &&
            platform::askToReplace(w.messageBoxes(), &w, path) != platform::MsgAnswer::Yes)
            continue;
        const QString error =
            writeConfigurationFile(path, configurationFileLines(record, !w.chkRoutingMode(1)->isHidden()));
        if (!error.isEmpty())
            showFileError(w, error);
        return;
    }
}

void ImportConfiguration(frmTevoHadraConfig &w)
{
    if (const std::optional<QString> path =
            chooseConfigurationFile(w, QStringLiteral("Import Configuration from File")))
        importConfigurationFile(w, *path);
}

std::optional<QString> chooseConfigurationFile(frmTevoHadraConfig &w, const QString &title,
                                               const QString &folder)
{
    platform::FileDialogRequest request = fileRequest(title, false);
    request.initialPath = folder;
    std::optional<QString> path;
    do {
        path = w.fileDialogs().choose(&w, request);
    } while (path && !QFileInfo(*path).isFile());
    return path;
}

bool importConfigurationFile(frmTevoHadraConfig &w, const QString &path)
{
    FileReading reading;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        // The stations' packet-loss chart is laid out once, when the whole file is in.
        w.ui->MSChartPacketLoss->BeginUpdate();
        const auto drawChart = qScopeGuard([&w] { w.ui->MSChartPacketLoss->EndUpdate(); });
        ClearConfigurationDisplay(w);
        // A file line only ever fills the window: it goes to the reply grammar without the
        // login tests, which would answer a "password" line with the operator's credentials.
        reading = readConfigurationFile(path, [&w](const QString &text) {
            const QString line = modConfigScript::StripLineBreaks(text);
            if (!line.isEmpty())
                session::ApplyReplyGrammar(w, line);
        });
    }
    if (!reading.error.isEmpty()) {
        showFileError(w, reading.error);
        return false;
    }
    if (reading.truncated)
        showFileError(w, QStringLiteral("Only the first %1 KB of %2 were imported: a configuration file is "
                                        "never that large.")
                             .arg(kLargestConfigurationFile / 1024)
                             .arg(path));
    return true;
}

} // namespace forms
