// The signal-strength gauge: position, maximum hold and its reset, and where things are drawn.
#include "rendered.h"
#include "widgets/angular_gauge.h"

#include <QSignalSpy>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>

using linkset::AngularGauge;

namespace {

constexpr int kSide = 240;
constexpr double kRadius = kSide / 2.0 - 2.0;

// The scale: 0 at 225° (lower left), 65 at -45° (lower right), clockwise, angles anticlockwise
// from three o'clock.
double scaleAngle(double value)
{
    return 225.0 - 270.0 * value / 65.0;
}

QPoint at(double radiusFraction, double degrees)
{
    const double a = degrees * std::numbers::pi / 180.0;
    return QPoint(int(std::lround(kSide / 2.0 + kRadius * radiusFraction * std::cos(a))),
                  int(std::lround(kSide / 2.0 - kRadius * radiusFraction * std::sin(a))));
}

bool isDark(QColor c)
{
    return c.red() < 60 && c.green() < 60 && c.blue() < 60;
}

} // namespace

TEST(AngularGauge, PositionIsClampedToTheScaleAndEachChangeIsSignalled)
{
    AngularGauge gauge;
    EXPECT_EQ(gauge.positionMax(), 65.0);
    QSignalSpy changes(&gauge, &AngularGauge::positionChanged);

    gauge.setPosition(42.5);
    gauge.setPosition(42.5);
    gauge.setPosition(80.0);
    gauge.setPosition(-3.0);
    EXPECT_EQ(gauge.position(), 0.0);
    ASSERT_EQ(changes.size(), 3);
    EXPECT_EQ(changes[0][0].toDouble(), 42.5);
    EXPECT_EQ(changes[1][0].toDouble(), 65.0);
    EXPECT_EQ(changes[2][0].toDouble(), 0.0);

    EXPECT_THROW(gauge.setPosition(std::nan("")), std::invalid_argument);
    EXPECT_EQ(gauge.position(), 0.0);
}

TEST(AngularGauge, MaximumHoldFollowsTheHighestPositionUntilReset)
{
    AngularGauge gauge;
    for (double v : {20.0, 50.0, 30.0})
        gauge.setPosition(v);
    EXPECT_EQ(gauge.maxHoldPosition(), 50.0);

    gauge.resetMax();
    EXPECT_EQ(gauge.maxHoldPosition(), 30.0);
    gauge.setPosition(10.0);
    EXPECT_EQ(gauge.maxHoldPosition(), 30.0);
    gauge.setPosition(44.0);
    EXPECT_EQ(gauge.maxHoldPosition(), 44.0);

    gauge.setPosition(0.0);
    gauge.resetMax();
    EXPECT_EQ(gauge.maxHoldPosition(), 0.0);
}

TEST(AngularGauge, LoweringTheMaximumClampsPositionAndHold)
{
    AngularGauge gauge;
    gauge.setPosition(60.0);
    QSignalSpy changes(&gauge, &AngularGauge::positionChanged);
    gauge.setPositionMax(40.0);
    EXPECT_EQ(gauge.position(), 40.0);
    EXPECT_EQ(gauge.maxHoldPosition(), 40.0);
    EXPECT_EQ(changes.size(), 1);
    for (double bad : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()})
        EXPECT_THROW(gauge.setPositionMax(bad), std::invalid_argument) << bad;
}

TEST(AngularGauge, PointerPointsAtThePositionOnThe270DegreeArc)
{
    for (double value : {0.0, 13.0, 32.5, 50.0, 65.0}) {
        SCOPED_TRACE(value);
        AngularGauge gauge;
        gauge.setPosition(value);
        const QImage image = rendered(gauge, QSize(kSide, kSide));
        EXPECT_TRUE(isDark(image.pixelColor(at(0.25, scaleAngle(value)))));
        EXPECT_TRUE(isDark(image.pixelColor(at(0.4, scaleAngle(value)))));
        // Nothing dark a little to either side, nor in the other directions.
        for (double off : {-10.0, 10.0, 60.0, 120.0, 180.0})
            EXPECT_FALSE(isDark(image.pixelColor(at(0.4, scaleAngle(value) + off)))) << off;
    }
}

TEST(AngularGauge, RedSectionUpTo35ThenLime)
{
    AngularGauge gauge;
    const QImage image = rendered(gauge, QSize(kSide, kSide));
    for (double value : {0.5, 10.5, 34.5})
        EXPECT_EQ(image.pixelColor(at(0.81, scaleAngle(value))), QColor(0xFF, 0x00, 0x00)) << value;
    for (double value : {35.5, 50.5, 64.5})
        EXPECT_EQ(image.pixelColor(at(0.81, scaleAngle(value))), QColor(0x00, 0xFF, 0x00)) << value;
    // The arc leaves the bottom of the dial free.
    EXPECT_EQ(image.pixelColor(at(0.81, 270.0)), QColor(0xFF, 0xFF, 0xFF));
}

TEST(AngularGauge, MaximumHoldPointerSitsAtTheRimAndMovesOnReset)
{
    const QColor green(0x00, 0x80, 0x00);
    AngularGauge gauge;
    gauge.setPosition(55.0);
    gauge.setPosition(20.0);
    QImage image = rendered(gauge, QSize(kSide, kSide));
    EXPECT_EQ(image.pixelColor(at(0.96, scaleAngle(55.0))), green);
    EXPECT_NE(image.pixelColor(at(0.96, scaleAngle(20.0))), green);

    gauge.resetMax();
    image = rendered(gauge, QSize(kSide, kSide));
    EXPECT_NE(image.pixelColor(at(0.96, scaleAngle(55.0))), green);
    EXPECT_EQ(image.pixelColor(at(0.96, scaleAngle(20.0))), green);
}
