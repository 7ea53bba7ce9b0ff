#pragma once
// Writing what the monitors show to files: rows as CSV, a display as a PNG picture. Each
// asks for the file first (a chosen file that exists is replaced only when the operator
// agrees) and says why when the file cannot be written.
#include <QList>
#include <QStringList>

class QWidget;
class frmTevoHadraConfig;

namespace monitor {

// `suggestedName` is offered in the file dialog.
void exportAsCsv(frmTevoHadraConfig &w, const QList<QStringList> &rows, const QString &suggestedName);
// The widget as it is drawn, at its screen's device pixel ratio.
void savePicture(frmTevoHadraConfig &w, QWidget &widget, const QString &suggestedName);

} // namespace monitor
