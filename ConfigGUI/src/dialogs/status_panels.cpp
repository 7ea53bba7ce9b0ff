#include "dialogs/status_panels.h"

#include <QLabel>
#include <QPixmap>
#include <QStatusBar>

QString imagePath(const QString &imageKey)
{
    return QStringLiteral(":/images/%1.png").arg(imageKey);
}

StatusPanels::StatusPanels(QStatusBar *bar)
{
    struct PanelDefinition
    {
        const char *key;
        const char *text;
        const char *toolTip;
        int stretch;
    };
    const PanelDefinition panels[] = {
        {"Status", "Status:", "Communications Port Status", 3},
        {"Settings", "Settings:", "Communications Port Settings", 3},
        {"ConnectTime", "", "Connect Time", 1},
        {"Receive", "", "Receive Mode", 0},
        {"Connected", "", "Port Mode", 0},
    };
    for (const PanelDefinition &panel : panels) {
        auto *label = new QLabel(QString::fromLatin1(panel.text), bar);
        label->setObjectName(QStringLiteral("sbrTerminal_") + QLatin1String(panel.key));
        label->setToolTip(QString::fromLatin1(panel.toolTip));
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(panel.stretch ? 90 : 24);
        bar->addPermanentWidget(label, panel.stretch);
        panels_.insert(QString::fromLatin1(panel.key), label);
    }
}

QLabel *StatusPanels::panel(const QString &key) const
{
    return panels_.value(key);
}

QString StatusPanels::text(const QString &key) const
{
    return panels_.value(key)->text();
}

void StatusPanels::setText(const QString &key, const QString &text)
{
    panels_.value(key)->setText(text);
}

QString StatusPanels::picture(const QString &key) const
{
    return pictures_.value(key);
}

void StatusPanels::setPicture(const QString &key, const QString &imageKey)
{
    pictures_.insert(key, imageKey);
    panels_.value(key)->setPixmap(QPixmap(imagePath(imageKey)));
}
