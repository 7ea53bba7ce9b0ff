#pragma once
// The About window: the program's name and version, a notice, the logo growing to its full
// size each time the window opens, OK, and a button that starts a system-information program.
#include <QDialog>
#include <QSize>
#include <memory>

namespace Ui {
class frmAbout;
}
namespace platform {
class MessageBoxes;
}
class QTimer;

class frmAbout : public QDialog
{
    Q_OBJECT
public:
    // The logo's full size in window units (15 to a pixel).
    static constexpr int kLogoWidth = 4437;
    static constexpr int kLogoHeight = 680;

    explicit frmAbout(platform::MessageBoxes &boxes, QWidget *parent = nullptr);
    ~frmAbout() override;

    std::unique_ptr<Ui::frmAbout> ui;
    QTimer *timerStretchLogo;

    // The logo's current size in window units.
    QSize logoSize() const { return {logoWidth_, logoHeight_}; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void stretchLogo();
    void setLogoSize(int width, int height);
    void showSystemInfo();

    platform::MessageBoxes &boxes_;
    // The size the logo is growing to, one step ahead of it.
    quint16 widthCounter_ = 0;
    quint16 heightCounter_ = 0;
    int logoWidth_ = 0;
    int logoHeight_ = 0;
};
