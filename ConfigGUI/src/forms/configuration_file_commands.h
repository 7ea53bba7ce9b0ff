#pragma once
// The file commands of the forms view: save the configuration shown to a file, and import
// one into the window (nothing is sent to the unit; a later update writes what differs).
#include <QString>
#include <optional>

class frmTevoHadraConfig;

namespace forms {

// Asks for a file name (again after No or Cancel to the replace question) and writes the
// configuration the controls show. An existing file is replaced only by a complete new one.
void SaveConfiguration(frmTevoHadraConfig &w);

// Asks for an existing file, clears the configuration shown and replays the file's lines
// through the reply grammar.
void ImportConfiguration(frmTevoHadraConfig &w);

// Asks for a configuration file under `title`, starting in `folder` (the dialog's own choice
// when empty), again until the file chosen exists. Nothing when the operator cancels.
std::optional<QString> chooseConfigurationFile(frmTevoHadraConfig &w, const QString &title,
                                               const QString &folder = QString());

// Clears the configuration shown and replays the lines of the file at `path`; a file that
// cannot be read is reported. False when nothing was read.
bool importConfigurationFile(frmTevoHadraConfig &w, const QString &path);

} // namespace forms
