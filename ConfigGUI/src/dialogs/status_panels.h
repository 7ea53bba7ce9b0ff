#pragma once
// The five keyed panels of the status bar sbrTerminal: "Status", "Settings",
// "ConnectTime" (text) and "Receive", "Connected" (pictures of the image list).
#include <QHash>
#include <QString>

class QLabel;
class QStatusBar;

class StatusPanels
{
public:
    explicit StatusPanels(QStatusBar *bar);

    QString text(const QString &key) const;
    void setText(const QString &key, const QString &text);
    // The image-list key of the picture a panel shows.
    QString picture(const QString &key) const;
    void setPicture(const QString &key, const QString &imageKey);
    QLabel *panel(const QString &key) const;

private:
    QHash<QString, QLabel *> panels_;
    QHash<QString, QString> pictures_;
};

// A picture of the program's image list by its key ("Active", "Connected", ...).
QString imagePath(const QString &imageKey);
