#include "forms/radio_enable_button.h"

#include "ui/frmTevoHadraConfig.h"
#include "dialogs/status_panels.h"

#include <QAction>
#include <QIcon>

namespace {

const char *const kImageProperty = "imageNumber";

} // namespace

void showRadioEnableImage(frmTevoHadraConfig &w, int imageNumber)
{
    QAction *button = w.tlbrMainButton(QStringLiteral("RadioEnable"));
    const bool off = imageNumber == kRadioOffImage;
    button->setProperty(kImageProperty, imageNumber);
    button->setIcon(QIcon(imagePath(off ? QStringLiteral("RadioOff") : QStringLiteral("RadioEnable"))));
    button->setToolTip(off ? QStringLiteral("Click to Enable Radio")
                           : QStringLiteral("Click to Disable Radio"));
}

int radioEnableImage(const frmTevoHadraConfig &w)
{
    return w.tlbrMainButton(QStringLiteral("RadioEnable"))->property(kImageProperty).toInt();
}
