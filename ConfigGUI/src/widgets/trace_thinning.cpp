#include "widgets/trace_thinning.h"

#include <algorithm>
#include <cmath>

namespace linkset {
namespace {

// A column's points in the order they came: one when the lowest is also the highest.
void appendColumn(QList<QPointF> &points, const QPointF &lowest, const QPointF &highest, bool lowestFirst)
{
    points.append(lowestFirst ? lowest : highest);
    if (lowest != highest)
        points.append(lowestFirst ? highest : lowest);
}

} // namespace

TraceThinning::TraceThinning(double columnMilliseconds)
    : columnMilliseconds_(std::max(columnMilliseconds, 1.0))
{}

qint64 TraceThinning::columnOf(qint64 time) const
{
    return qint64(std::floor(double(time) / columnMilliseconds_));
}

qint64 TraceThinning::columnStart(qint64 time) const
{
    return qint64(std::ceil(double(columnOf(time)) * columnMilliseconds_));
}

void TraceThinning::add(qint64 time, double value)
{
    const QPointF point(double(time), value);
    const qint64 column = columnOf(time);
    if (!open_ || column != column_) {
        if (open_)
            appendColumn(closed_, lowest_, highest_, lowestFirst_);
        open_ = true;
        column_ = column;
        lowest_ = highest_ = point;
    } else if (value < lowest_.y()) {
        lowest_ = point;
        lowestFirst_ = false;
    } else if (value > highest_.y()) {
        highest_ = point;
        lowestFirst_ = true;
    }
}

void TraceThinning::forgetBefore(qint64 time)
{
    // The first closed point at or after `time`; the one before it stays for the edge.
    const auto inView = std::lower_bound(closed_.cbegin(), closed_.cend(), double(time),
                                         [](const QPointF &p, double t) { return p.x() < t; });
    const qsizetype forget = std::max<qsizetype>(inView - closed_.cbegin() - 1, 0);
    closed_.remove(0, forget);
}

QList<QPointF> TraceThinning::points() const
{
    QList<QPointF> points = closed_;
    if (open_)
        appendColumn(points, lowest_, highest_, lowestFirst_);
    return points;
}

} // namespace linkset
