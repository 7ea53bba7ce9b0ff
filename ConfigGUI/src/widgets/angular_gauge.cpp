#include "widgets/angular_gauge.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace linkset {
namespace {

constexpr double kStartAngle = 225.0; // degrees, anticlockwise from three o'clock
constexpr double kSweep = 270.0;      // clockwise from the start
constexpr int kMajorTicks = 14;
constexpr int kMinorTicksBetween = 4;
constexpr double kRedSectionEnd = 35.0;

const QColor kFace(0xFF, 0xFF, 0xFF);
const QColor kRim(0x40, 0x40, 0x40);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kLime(0x00, 0xFF, 0x00);
const QColor kPointer(0x00, 0x00, 0x00);
const QColor kMaxHoldPointer(0x00, 0x80, 0x00);

// Radii as fractions of the dial radius.
constexpr double kSectionInner = 0.78;
constexpr double kSectionOuter = 0.90;
constexpr double kMajorTickInner = 0.74;
constexpr double kMinorTickInner = 0.84;
constexpr double kTickOuter = 0.90;
constexpr double kLabelRadius = 0.62;
constexpr double kLabelHeight = 0.11;
constexpr double kPointerLength = 0.82;
constexpr double kPointerHalfBase = 0.05;
constexpr double kHubRadius = 0.07;
constexpr double kMaxHoldTip = 0.91;
constexpr double kMaxHoldBase = 0.99;
constexpr double kMaxHoldHalfBase = 0.05;

// The point at `radius` from the centre in the direction `degrees` (anticlockwise, y down).
QPointF polar(double radius, double degrees)
{
    const double a = qDegreesToRadians(degrees);
    return QPointF(radius * std::cos(a), -radius * std::sin(a));
}

// The square around the circle of `radius` about the centre.
QRectF circleBounds(double radius)
{
    return QRectF(-radius, -radius, 2 * radius, 2 * radius);
}

QPolygonF triangle(double tipRadius, double baseRadius, double halfBase, double degrees)
{
    const QPointF side = polar(halfBase, degrees + 90.0);
    const QPointF base = polar(baseRadius, degrees);
    return QPolygonF({polar(tipRadius, degrees), base + side, base - side});
}

} // namespace

AngularGauge::AngularGauge(QWidget *parent) : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void AngularGauge::setPosition(double position)
{
    if (std::isnan(position))
        throw std::invalid_argument("The gauge position must be a number.");
    const double clamped = std::clamp(position, 0.0, positionMax_);
    maxHold_ = std::max(maxHold_, clamped);
    if (clamped == position_)
        return;
    position_ = clamped;
    update();
    emit positionChanged(position_);
}

void AngularGauge::setPositionMax(double maximum)
{
    if (!(maximum > 0.0) || std::isinf(maximum))
        throw std::invalid_argument("The gauge maximum must be a number above 0.");
    positionMax_ = maximum;
    maxHold_ = std::min(maxHold_, positionMax_);
    setPosition(position_);
    update();
}

void AngularGauge::resetMax()
{
    maxHold_ = position_;
    update();
}

double AngularGauge::angleOf(double value) const
{
    return kStartAngle - kSweep * value / positionMax_;
}

QSize AngularGauge::sizeHint() const
{
    return QSize(220, 220);
}

QSize AngularGauge::minimumSizeHint() const
{
    return QSize(100, 100);
}

void AngularGauge::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double radius = std::min(width(), height()) / 2.0 - 2.0;
    painter.translate(width() / 2.0, height() / 2.0);

    painter.setPen(QPen(kRim, 2.0));
    painter.setBrush(kFace);
    painter.drawEllipse(QPointF(0, 0), radius, radius);

    // Coloured sections: a band under the ticks.
    const auto section = [&](double from, double to, const QColor &color) {
        QPainterPath band;
        const QRectF outer = circleBounds(radius * kSectionOuter);
        const QRectF inner = circleBounds(radius * kSectionInner);
        band.arcMoveTo(outer, angleOf(from));
        band.arcTo(outer, angleOf(from), angleOf(to) - angleOf(from));
        band.arcTo(inner, angleOf(to), angleOf(from) - angleOf(to));
        band.closeSubpath();
        painter.fillPath(band, color);
    };
    section(0.0, std::min(kRedSectionEnd, positionMax_), kRed);
    if (positionMax_ > kRedSectionEnd)
        section(kRedSectionEnd, positionMax_, kLime);

    // Ticks and labels.
    const double majorStep = positionMax_ / (kMajorTicks - 1);
    QFont font = painter.font();
    font.setPixelSize(std::max(1, int(radius * kLabelHeight)));
    painter.setFont(font);
    for (int major = 0; major < kMajorTicks; ++major) {
        const double value = major * majorStep;
        painter.setPen(QPen(kPointer, 2.0));
        painter.drawLine(polar(radius * kMajorTickInner, angleOf(value)),
                         polar(radius * kTickOuter, angleOf(value)));
        const QPointF at = polar(radius * kLabelRadius, angleOf(value));
        const QRectF box(at.x() - radius * 0.15, at.y() - radius * kLabelHeight, radius * 0.3,
                         radius * kLabelHeight * 2);
        painter.drawText(box, Qt::AlignCenter, QString::number(std::lround(value)));
        if (major + 1 == kMajorTicks)
            break;
        painter.setPen(QPen(kPointer, 1.0));
        for (int minor = 1; minor <= kMinorTicksBetween; ++minor) {
            const double angle = angleOf(value + majorStep * minor / (kMinorTicksBetween + 1));
            painter.drawLine(polar(radius * kMinorTickInner, angle), polar(radius * kTickOuter, angle));
        }
    }

    painter.setPen(Qt::NoPen);
    painter.setBrush(kMaxHoldPointer);
    painter.drawPolygon(
        triangle(radius * kMaxHoldTip, radius * kMaxHoldBase, radius * kMaxHoldHalfBase, angleOf(maxHold_)));

    painter.setBrush(kPointer);
    painter.drawPolygon(
        triangle(radius * kPointerLength, 0.0, radius * kPointerHalfBase, angleOf(position_)));
    painter.drawEllipse(QPointF(0, 0), radius * kHubRadius, radius * kHubRadius);
}

} // namespace linkset
