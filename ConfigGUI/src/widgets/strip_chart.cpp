#include "widgets/strip_chart.h"
#include "widgets/strip_chart_traces.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLegend>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace linkset {
namespace {

constexpr double kMillisecondsPerDay = 86400000.0;
// Traces keep at least this much detail while the chart is still small or hidden.
constexpr int kMinimumTraceColumns = 200;
// The time axis labels read "hh:nn:ss": hours, minutes and seconds, two digits each.
const QString kTimeLabelFormat = QStringLiteral("hh:mm:ss");

const QColor kBackground(0x00, 0x00, 0x00);
const QColor kGrid(0x00, 0xFF, 0x00);
const QColor kText(0xFF, 0xFF, 0xFF);

void styleAxis(QAbstractAxis *axis)
{
    axis->setGridLineColor(kGrid);
    axis->setLinePenColor(kGrid);
    axis->setLabelsColor(kText);
    axis->setTitleBrush(kText);
}

} // namespace

StripChart::StripChart(QWidget *parent)
    : QWidget(parent), chart_(new QChart), timeAxis_(new QDateTimeAxis), valueAxis_(new QValueAxis),
      xAxisStart_(QDateTime::currentMSecsSinceEpoch())
{
    chart_->setBackgroundBrush(kBackground);
    chart_->setPlotAreaBackgroundBrush(kBackground);
    chart_->setPlotAreaBackgroundVisible(true);
    chart_->setTitleBrush(kText);
    chart_->legend()->setLabelColor(kText);
    chart_->legend()->setAlignment(Qt::AlignRight);
    chart_->setMargins(QMargins(4, 4, 4, 4));

    timeAxis_->setFormat(kTimeLabelFormat);
    timeAxis_->setTickCount(5);
    styleAxis(timeAxis_);
    styleAxis(valueAxis_);
    valueAxis_->setLabelFormat(QStringLiteral("%g"));
    chart_->addAxis(timeAxis_, Qt::AlignBottom);
    chart_->addAxis(valueAxis_, Qt::AlignLeft);

    traces_ = new StripChartTraces(chart_);
    connect(chart_, &QChart::plotAreaChanged, this, [this] { traces_->plotAreaChanged(); });

    view_ = new QChartView(chart_, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    redraw();
}

StripChart::~StripChart() = default;

void StripChart::BeginUpdate()
{
    ++updateDepth_;
}

void StripChart::EndUpdate()
{
    if (updateDepth_ == 0)
        return;
    if (--updateDepth_ == 0 && pendingRedraw_)
        scheduleRedraw();
}

void StripChart::changed()
{
    pendingRedraw_ = true;
    if (updateDepth_ == 0)
        scheduleRedraw();
}

void StripChart::scheduleRedraw()
{
    if (redrawScheduled_)
        return;
    redrawScheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            redrawScheduled_ = false;
            if (pendingRedraw_ && updateDepth_ == 0)
                redraw();
        },
        Qt::QueuedConnection);
}

const QChart *StripChart::chart() const
{
    if (pendingRedraw_ && updateDepth_ == 0)
        redraw();
    return chart_;
}

QList<QPointF> StripChart::tracePoints(int channel) const
{
    const Channel &c = channels_[size_t(checkChannel(channel))];
    chart(); // draws what is not drawn yet
    return c.trace.points();
}

int StripChart::AddIndexTimeNow()
{
    return AddIndexTime(clock_ ? clock_() : QDateTime::currentDateTime());
}

int StripChart::AddIndexTime(const QDateTime &time)
{
    const qint64 stamp = time.toMSecsSinceEpoch();
    if (!times_.empty() && stamp < times_.back()) {
        // The clock was set back: the earlier points move back with it.
        const qint64 step = times_.back() - stamp;
        for (qint64 &t : times_)
            t -= step;
        rebuildLater();
    }
    times_.push_back(stamp);
    for (Channel &c : channels_)
        c.values.emplace_back();
    if (times_.size() > size_t(kMaxPoints)) {
        if (times_.front() >= xAxisStart_)
            rebuildLater(); // the forgotten point is drawn
        times_.pop_front();
        for (Channel &c : channels_)
            c.values.pop_front();
        ++forgotten_;
    }
    if (stamp > xAxisEnd() || stamp < xAxisStart_)
        xAxisStart_ = stamp - spanMilliseconds();
    changed();
    return pointCount() - 1;
}

QDateTime StripChart::pointTime(int index) const
{
    checkIndex(index);
    return QDateTime::fromMSecsSinceEpoch(times_[size_t(index)]);
}

int StripChart::addChannel(const QString &name, const QColor &color, int lineWidth)
{
    // The chart's series holds no points: it gives the channel its entry in the legend.
    const QPen pen(color, std::max(lineWidth, 0));
    auto *series = new QLineSeries;
    series->setName(name);
    series->setPen(pen);
    chart_->addSeries(series);
    channels_.push_back(Channel{name, pen, std::deque<std::optional<double>>(times_.size()), {}});
    rebuildLater();
    return channelCount() - 1;
}

void StripChart::removeAllChannels()
{
    chart_->removeAllSeries();
    channels_.clear();
    rebuildLater();
}

int StripChart::checkChannel(int channel) const
{
    if (channel < 0 || channel >= channelCount())
        throw std::out_of_range("The strip chart has no channel " + std::to_string(channel) + " (it has " +
                                std::to_string(channelCount()) + ").");
    return channel;
}

void StripChart::checkIndex(int index) const
{
    if (index < 0 || index >= pointCount())
        throw std::out_of_range("The strip chart has no point " + std::to_string(index) + " (it has " +
                                std::to_string(pointCount()) + ").");
}

QString StripChart::channelName(int channel) const
{
    return channels_[size_t(checkChannel(channel))].name;
}

std::optional<double> StripChart::channelData(int channel, int index) const
{
    checkIndex(index);
    return channels_[size_t(checkChannel(channel))].values[size_t(index)];
}

void StripChart::setChannelData(int channel, int index, double value)
{
    checkIndex(index);
    channels_[size_t(checkChannel(channel))].values[size_t(index)] = value;
    if (forgotten_ + index < tracedPoints_)
        rebuildLater(); // the point is drawn already
    else
        changed();
}

qint64 StripChart::spanMilliseconds() const
{
    return qint64(std::llround(xAxisSpanDays_ * kMillisecondsPerDay));
}

qint64 StripChart::xAxisEnd() const
{
    return xAxisStart_ + spanMilliseconds();
}

QDateTime StripChart::xAxisStart() const
{
    return QDateTime::fromMSecsSinceEpoch(xAxisStart_);
}

void StripChart::setXAxisStart(const QDateTime &start)
{
    xAxisStart_ = start.toMSecsSinceEpoch();
    rebuildLater();
}

void StripChart::setXAxisSpan(double days)
{
    if (!(days > 0.0))
        throw std::invalid_argument("The time span of a strip chart must be above 0.");
    xAxisSpanDays_ = days;
    rebuildLater();
}

QString StripChart::title() const
{
    return chart_->title();
}

void StripChart::setTitle(const QString &title)
{
    chart_->setTitle(title);
}

bool StripChart::legendVisible() const
{
    return chart_->legend()->isVisible();
}

void StripChart::setLegendVisible(bool visible)
{
    chart_->legend()->setVisible(visible);
}

void StripChart::setYAxisMax(double maximum)
{
    yAxisMax_ = maximum;
    changed();
}

void StripChart::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    rebuildLater();
}

void StripChart::rebuildLater()
{
    rebuildTraces_ = true;
    changed();
}

void StripChart::redraw() const
{
    pendingRedraw_ = false;
    const qint64 start = xAxisStart_;
    const qint64 end = xAxisEnd();
    if (rebuildTraces_ || start < tracedStart_)
        rebuildTraces(start, end);
    else
        extendTraces(start);
    tracedStart_ = start;

    double top = yAxisMax_;
    std::vector<StripChartTraces::Trace> traces;
    for (const Channel &c : channels_) {
        QList<QPointF> points = c.trace.points();
        for (const QPointF &p : points)
            if (p.x() >= double(start) && p.x() <= double(end))
                top = std::max(top, p.y());
        traces.push_back({std::move(points), c.pen});
    }
    traces_->setTraces(std::move(traces));
    timeAxis_->setRange(QDateTime::fromMSecsSinceEpoch(start), QDateTime::fromMSecsSinceEpoch(end));
    valueAxis_->setRange(0.0, top);
    traces_->setRanges(start, end - start, top);
}

void StripChart::rebuildTraces(qint64 start, qint64 end) const
{
    rebuildTraces_ = false;
    // One column of the traces per pixel of the time axis.
    const TraceThinning empty(double(spanMilliseconds()) / std::max(width(), kMinimumTraceColumns));

    // The points in view, plus one on each side so that the traces run to the edges. The column
    // of the point before the axis is thinned from its first point, as when the traces grow.
    const auto firstInView = std::lower_bound(times_.begin(), times_.end(), start);
    const auto pastView = std::upper_bound(firstInView, times_.end(), end);
    auto first = firstInView == times_.begin() ? firstInView : firstInView - 1;
    if (first != times_.end())
        first = std::lower_bound(times_.begin(), first, empty.columnStart(*first));
    const size_t from = size_t(first - times_.begin());
    const size_t to = std::min(size_t(pastView - times_.begin()) + 1, times_.size());

    for (const Channel &c : channels_) {
        c.trace = empty;
        for (size_t i = from; i < to; ++i)
            if (c.values[i])
                c.trace.add(times_[i], *c.values[i]);
        c.trace.forgetBefore(start);
    }
    tracedPoints_ = forgotten_ + qint64(to);
}

void StripChart::extendTraces(qint64 start) const
{
    // Only points were added (the axis may have scrolled with them): they are appended.
    const size_t from = size_t(std::max<qint64>(tracedPoints_ - forgotten_, 0));
    for (const Channel &c : channels_) {
        for (size_t i = from; i < times_.size(); ++i)
            if (c.values[i])
                c.trace.add(times_[i], *c.values[i]);
        c.trace.forgetBefore(start);
    }
    tracedPoints_ = forgotten_ + qint64(times_.size());
}

} // namespace linkset
