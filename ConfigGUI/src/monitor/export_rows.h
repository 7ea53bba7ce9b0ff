#pragma once
// What a statistics table or a history chart holds, as rows of text for a CSV file: a
// header row of captions, then one row per table row or per time point.
#include <QList>
#include <QStringList>

class QTreeWidget;
namespace linkset {
class StripChart;
}

namespace monitor {

// Where a table row keeps the moment it arrived (a QDateTime in column 0): written as an
// ISO 8601 time instead of the shown text.
constexpr int kArrivalTimeRole = Qt::UserRole + 1;

// The column captions, then every row's text in column order.
QList<QStringList> tableRows(const QTreeWidget &table, bool utc);
// "Time" and the channel names, then per time point its ISO 8601 time and each channel's
// value (empty where the channel has none).
QList<QStringList> chartRows(const linkset::StripChart &chart, bool utc);

} // namespace monitor
