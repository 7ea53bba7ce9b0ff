#include "widgets/strip_chart.h"

#include "widgets/trace_thinning.h"

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

int StripChart::AddIndexTimeNow()
{
    return AddIndexTime(clock_ ? clock_() : QDateTime::currentDateTime());
}

int StripChart::AddIndexTime(const QDateTime &time)
{
    const qint64 stamp = time.toMSecsSinceEpoch();
    times_.push_back(stamp);
    for (Channel &c : channels_)
        c.values.emplace_back();
    if (times_.size() > size_t(kMaxPoints)) {
        times_.pop_front();
        for (Channel &c : channels_)
            c.values.pop_front();
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
    auto *series = new QLineSeries;
    series->setName(name);
    series->setPen(QPen(color, std::max(lineWidth, 0)));
    chart_->addSeries(series);
    series->attachAxis(timeAxis_);
    series->attachAxis(valueAxis_);
    channels_.push_back(Channel{name, series, std::deque<std::optional<double>>(times_.size())});
    changed();
    return channelCount() - 1;
}

void StripChart::removeAllChannels()
{
    chart_->removeAllSeries();
    channels_.clear();
    changed();
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
    changed();
}

void StripChart::setXAxisSpan(double days)
{
    if (!(days > 0.0))
        throw std::invalid_argument("The time span of a strip chart must be above 0.");
    xAxisSpanDays_ = days;
    changed();
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
    changed();
}

void StripChart::redraw() const
{
    pendingRedraw_ = false;
    const qint64 start = xAxisStart_;
    const qint64 end = xAxisEnd();

    // The points in view, plus one on each side so that the traces run to the edges.
    const auto firstInView = std::find_if(times_.begin(), times_.end(), [&](qint64 t) { return t >= start; });
    const auto pastView = std::find_if(firstInView, times_.end(), [&](qint64 t) { return t > end; });
    const size_t from = size_t(std::max<std::ptrdiff_t>(firstInView - times_.begin() - 1, 0));
    const size_t to = std::min(size_t(pastView - times_.begin()) + 1, times_.size());

    double top = yAxisMax_;
    for (const Channel &c : channels_) {
        TraceThinning trace(start, end, std::max(width(), kMinimumTraceColumns));
        for (size_t i = from; i < to; ++i) {
            if (!c.values[i])
                continue;
            trace.add(times_[i], *c.values[i]);
            if (times_[i] >= start && times_[i] <= end)
                top = std::max(top, *c.values[i]);
        }
        c.series->replace(trace.finish());
    }
    timeAxis_->setRange(QDateTime::fromMSecsSinceEpoch(start), QDateTime::fromMSecsSinceEpoch(end));
    valueAxis_->setRange(0.0, top);
}

} // namespace linkset
