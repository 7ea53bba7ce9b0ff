#pragma once
// Where the exports are offered: "Export as CSV…" in the context menu of the two statistics
// tables and the two history charts, "Save Picture…" in that of the history charts and the
// packet-loss bar chart; and both in the File menu for the displays of the tab shown (a
// submenu names them when the tab has two). On tabs with nothing to export the File entries
// are disabled; in the terminal view they are hidden.
class frmTevoHadraConfig;

namespace monitor {

void addExportCommands(frmTevoHadraConfig &w);

} // namespace monitor
