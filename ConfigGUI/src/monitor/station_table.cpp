#include "monitor/station_table.h"

#include <stdexcept>

namespace monitor {

StationTable::StationTable() : columns_{linkset::BarChart::Column{}} {}

const linkset::BarChart::Column &StationTable::column(int column) const
{
    if (column < 1 || column > columnCount())
        throw std::out_of_range("no such station column");
    return columns_[column - 1];
}

int StationTable::find(const QString &label) const
{
    for (int i = 0; i < columnCount(); ++i)
        if (columns_[i].label == label)
            return i + 1;
    return 0;
}

int StationTable::add(const QString &label, double rate)
{
    if (!columns_.last().label.isEmpty())
        columns_.append(linkset::BarChart::Column{});
    columns_.last() = linkset::BarChart::Column{label, rate};
    return columnCount();
}

void StationTable::setRate(int column, double rate)
{
    if (column < 1 || column > columnCount())
        throw std::out_of_range("no such station column");
    columns_[column - 1].value = rate;
}

int StationTable::stationCount() const
{
    return columns_.size() == 1 && columns_.first().label.isEmpty() ? 0 : columnCount();
}

QString StationTable::labelOf(const QString &stationId)
{
    return QLatin1Char(' ') + stationId;
}

} // namespace monitor
