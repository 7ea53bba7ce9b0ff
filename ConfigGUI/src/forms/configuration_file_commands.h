#pragma once
// The file commands of the forms view: save the configuration shown to a file, and import
// one into the window (nothing is sent to the unit; a later update writes what differs).
class frmTevoHadraConfig;

namespace forms {

// Asks for a file name (again after No or Cancel to the replace question) and writes the
// configuration the controls show. An existing file is replaced only by a complete new one.
void SaveConfiguration(frmTevoHadraConfig &w);

// Asks for an existing file, clears the configuration shown and replays the file's lines
// through the reply grammar.
void ImportConfiguration(frmTevoHadraConfig &w);

} // namespace forms
