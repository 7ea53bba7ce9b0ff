#pragma once

#include <QList>
#include <QPointF>

namespace linkset {

// The points of one strip-chart trace, thinned to columns of a fixed width in time (one pixel
// of the time axis). Columns are counted from the epoch, so they stay where they are while
// the axis scrolls, and the trace grows by appending new points instead of being rebuilt.
// Of the points in a column it keeps the lowest and the highest, in the order they came, so a day of
// readings draws as fast as a minute of them and no peak is lost.
class TraceThinning
{
public:
    TraceThinning() = default;
    explicit TraceThinning(double columnMilliseconds);

    // The first millisecond of the column that holds `time`.
    qint64 columnStart(qint64 time) const;
    // Points must come in time order.
    void add(qint64 time, double value);
    // Forgets the points before `time` except the last of them, so that the trace still runs
    // to the left edge of an axis that starts there.
    void forgetBefore(qint64 time);
    // The trace: the kept points in time order.
    QList<QPointF> points() const;

private:
    qint64 columnOf(qint64 time) const;

    double columnMilliseconds_ = 1.0;
    QList<QPointF> closed_; // the points of the columns before the open one
    bool open_ = false;     // whether a column is being collected
    qint64 column_ = 0;
    QPointF lowest_;
    QPointF highest_;
    bool lowestFirst_ = true; // whether the lowest came before the highest
};

} // namespace linkset
