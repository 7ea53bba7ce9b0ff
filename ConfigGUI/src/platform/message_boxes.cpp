#include "platform/message_boxes.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

MsgAnswer MessageBoxes::inform(QWidget *parent, const QString &text, const QString &title, MsgIcon icon)
{
    MessageBox box;
    box.text = text;
    box.title = title;
    box.icon = icon;
    return show(parent, box);
}

QString applicationTitle()
{
    return QStringLiteral("Linkset");
}

namespace {

QMessageBox::StandardButtons standardButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

MsgAnswer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Abort:
        return MsgAnswer::Abort;
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    case QMessageBox::Ignore:
        return MsgAnswer::Ignore;
    default:
        return MsgAnswer::Ok;
    }
}

} // namespace

MsgAnswer QtMessageBoxes::show(QWidget *parent, const MessageBox &box)
{
    if (box.foreground && parent) {
        parent->window()->raise();
        parent->window()->activateWindow();
    }
    QMessageBox message(standardIcon(box.icon), box.title.isEmpty() ? applicationTitle() : box.title,
                        box.text, standardButtons(box.buttons), parent);
    if (box.systemModal)
        message.setWindowModality(Qt::ApplicationModal);
    return answerOf(message.exec());
}

} // namespace platform
