#include "widgets/trace_thinning.h"

#include <algorithm>

namespace linkset {

TraceThinning::TraceThinning(qint64 start, qint64 end, int columns)
    : start_(start), end_(std::max(end, start + 1)), columns_(std::max(columns, 1))
{}

void TraceThinning::add(qint64 time, double value)
{
    const QPointF point(double(time), value);
    if (time < start_ || time > end_) {
        closeColumn();
        points_.append(point);
        return;
    }
    const int column = int(std::min<qint64>((time - start_) * columns_ / (end_ - start_), columns_ - 1));
    if (column != column_) {
        closeColumn();
        column_ = column;
        lowest_ = highest_ = point;
    } else if (value < lowest_.y()) {
        lowest_ = point;
    } else if (value > highest_.y()) {
        highest_ = point;
    }
}

void TraceThinning::closeColumn()
{
    if (column_ < 0)
        return;
    const bool lowFirst = lowest_.x() <= highest_.x();
    points_.append(lowFirst ? lowest_ : highest_);
    if (lowest_ != highest_)
        points_.append(lowFirst ? highest_ : lowest_);
    column_ = -1;
}

QList<QPointF> TraceThinning::finish()
{
    closeColumn();
    return std::move(points_);
}

} // namespace linkset
