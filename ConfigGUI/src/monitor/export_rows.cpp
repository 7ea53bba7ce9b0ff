#include "monitor/export_rows.h"

#include "monitor/csv_export.h"
#include "widgets/strip_chart.h"

#include <QDateTime>
#include <QTreeWidget>

namespace monitor {

QList<QStringList> tableRows(const QTreeWidget &table, bool utc)
{
    QStringList header;
    for (int column = 0; column < table.columnCount(); ++column)
        header << table.headerItem()->text(column);
    QList<QStringList> rows{header};
    for (int i = 0; i < table.topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = table.topLevelItem(i);
        QStringList row;
        for (int column = 0; column < table.columnCount(); ++column)
            row << item->text(column);
        const QDateTime arrival = item->data(0, kArrivalTimeRole).toDateTime();
        if (arrival.isValid())
            row[0] = isoTimestamp(arrival, utc);
        rows << row;
    }
    return rows;
}

QList<QStringList> chartRows(const linkset::StripChart &chart, bool utc)
{
    QStringList header{QStringLiteral("Time")};
    for (int channel = 0; channel < chart.channelCount(); ++channel)
        header << chart.channelName(channel);
    QList<QStringList> rows{header};
    for (int point = 0; point < chart.pointCount(); ++point) {
        QStringList row{isoTimestamp(chart.pointTime(point), utc)};
        for (int channel = 0; channel < chart.channelCount(); ++channel) {
            const std::optional<double> value = chart.channelData(channel, point);
            row << (value ? csvNumber(*value) : QString());
        }
        rows << row;
    }
    return rows;
}

} // namespace monitor
