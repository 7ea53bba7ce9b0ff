#pragma once

#include <QList>
#include <QPointF>

namespace linkset {

// Builds the points of one trace for a time axis `columns` pixels wide that runs from `start`
// to `end` (milliseconds). Of the points inside the axis it keeps, per pixel column, the lowest
// and the highest in time order, so a day of readings draws as fast as a minute of them and no
// peak is lost. Points outside the axis are kept as they come, so the trace runs to the edges.
class TraceThinning
{
public:
    TraceThinning(qint64 start, qint64 end, int columns);

    // Points must come in time order.
    void add(qint64 time, double value);
    QList<QPointF> finish();

private:
    void closeColumn();

    qint64 start_;
    qint64 end_;
    int columns_;
    QList<QPointF> points_;
    int column_ = -1; // the pixel column being collected, -1 when none
    QPointF lowest_;
    QPointF highest_;
};

} // namespace linkset
