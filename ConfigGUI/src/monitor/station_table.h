#pragma once
// StationChartTable: one column per remote station in the order stations were first seen;
// row 1 holds the station label (a blank and the station ID), row 2 a packet-loss rate.
// It is created with one empty column, which the first station fills. Columns count from 1.
#include "widgets/bar_chart.h"

#include <QList>
#include <QString>

namespace monitor {

class StationTable
{
public:
    StationTable();

    int columnCount() const { return int(columns_.size()); }
    // The label and rate of a column (1 to columnCount()).
    const linkset::BarChart::Column &column(int column) const;
    // The column whose label is `label`, or 0.
    int find(const QString &label) const;
    // Puts a station into the last column when that column is still empty, otherwise into
    // a new column at the end. Returns the column.
    int add(const QString &label, double rate);
    void setRate(int column, double rate);
    // The stations held: 0 while the table has only its first, empty column.
    int stationCount() const;

    // The bar chart's data.
    const QList<linkset::BarChart::Column> &chartData() const { return columns_; }

    // "101" gives " 101": the label of a station ID.
    static QString labelOf(const QString &stationId);

private:
    QList<linkset::BarChart::Column> columns_;
};

} // namespace monitor
