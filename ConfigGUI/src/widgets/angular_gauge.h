#pragma once

#include <QWidget>

namespace linkset {

// A round dial for the received signal strength. The scale runs from 0 to positionMax (65 by
// default) over a 270° arc that starts at 225° (lower left, counted anticlockwise from three
// o'clock) and ends at -45° (lower right): 14 labelled major ticks with 4 minor ticks between
// them, a red section from 0 to 35 and a lime one from 35 up, a black triangular pointer at the
// position and a green maximum-hold pointer at the highest position since the last resetMax().
class AngularGauge : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(double position READ position WRITE setPosition NOTIFY positionChanged)
    Q_PROPERTY(double positionMax READ positionMax WRITE setPositionMax)

public:
    explicit AngularGauge(QWidget *parent = nullptr);

    double position() const { return position_; }
    // Clamped to 0..positionMax. Throws std::invalid_argument for NaN. Emits positionChanged
    // after every change.
    void setPosition(double position);

    double positionMax() const { return positionMax_; }
    // Throws std::invalid_argument unless the maximum is a number above 0.
    void setPositionMax(double maximum);

    // The highest position since the last reset.
    double maxHoldPosition() const { return maxHold_; }
    // Brings the maximum-hold pointer back to the current position (0 while nothing is measured).
    void resetMax();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }

signals:
    void positionChanged(double position);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double angleOf(double value) const;

    double position_ = 0.0;
    double positionMax_ = 65.0;
    double maxHold_ = 0.0;
};

} // namespace linkset
