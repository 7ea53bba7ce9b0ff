#include "dialogs/frmAbout.h"

#include "dialogs/dialog_placement.h"
#include "platform/message_boxes.h"
#include "platform/system_info.h"
#include "ui_frmAbout.h"

#include <QTimer>

namespace {

constexpr int kUnitsPerPixel = 15;
constexpr int kWidthStep = 51;
constexpr int kHeightStep = 8;
// The last height from which the logo still grows one step (to its full height).
constexpr int kLastGrowingHeight = 672;

int pixels(int units)
{
    return (units + kUnitsPerPixel / 2) / kUnitsPerPixel;
}

} // namespace

frmAbout::frmAbout(platform::MessageBoxes &boxes, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmAbout>()), timerStretchLogo(new QTimer(this)), boxes_(boxes)
{
    Q_INIT_RESOURCE(about);
    ui->setupUi(this);
    ui->lblVersion->setText(QStringLiteral("Version ") + QStringLiteral(LINKSET_VERSION));
    timerStretchLogo->setObjectName(QStringLiteral("timerStretchLogo"));
    timerStretchLogo->setInterval(10);
    connect(timerStretchLogo, &QTimer::timeout, this, &frmAbout::stretchLogo);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmAbout::accept);
    connect(ui->cmdSysInfo, &QPushButton::clicked, this, &frmAbout::showSystemInfo);
}

frmAbout::~frmAbout() = default;

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    // Each opening grows the logo from nothing again.
    widthCounter_ = 0;
    heightCounter_ = 0;
    setLogoSize(0, 0);
    timerStretchLogo->start();
}

void frmAbout::stretchLogo()
{
    widthCounter_ += kWidthStep;
    heightCounter_ += kHeightStep;
    if (widthCounter_ <= kLogoWidth) {
        setLogoSize(logoWidth_ <= kLogoWidth ? widthCounter_ : logoWidth_,
                    logoHeight_ <= kLastGrowingHeight ? heightCounter_ : logoHeight_);
        return;
    }
    timerStretchLogo->stop();
    widthCounter_ = 0;
    heightCounter_ = 0;
}

void frmAbout::setLogoSize(int width, int height)
{
    logoWidth_ = width;
    logoHeight_ = height;
    ui->imgLogo->resize(pixels(width), pixels(height));
}

void frmAbout::showSystemInfo()
{
    if (!platform::startSystemInfo())
        boxes_.inform(this, QStringLiteral("System Information Is Unavailable At This Time"), QString(),
                      platform::MsgIcon::None);
}
