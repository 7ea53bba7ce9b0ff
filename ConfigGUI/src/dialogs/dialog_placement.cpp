#include "dialogs/dialog_placement.h"

#include <QScreen>
#include <QWidget>

void centreOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    window.move(available.left() + (available.width() - window.width()) / 2,
                available.top() + (available.height() - window.height()) / 2);
}
