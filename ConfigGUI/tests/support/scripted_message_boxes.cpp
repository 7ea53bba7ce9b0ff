#include "scripted_message_boxes.h"

#include <QStringList>

platform::MsgAnswer ScriptedMessageBoxes::show(QWidget *, const platform::MessageBox &box)
{
    shown_.append(box);
    if (!answers_.empty()) {
        const platform::MsgAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    switch (box.buttons) {
    case platform::MsgButtons::YesNo:
    case platform::MsgButtons::YesNoCancel:
        return platform::MsgAnswer::Yes;
    case platform::MsgButtons::AbortRetryIgnore:
        return platform::MsgAnswer::Abort;
    case platform::MsgButtons::RetryCancel:
        return platform::MsgAnswer::Retry;
    default:
        return platform::MsgAnswer::Ok;
    }
}

QStringList ScriptedMessageBoxes::each(QString platform::MessageBox::*field) const
{
    QStringList list;
    for (const platform::MessageBox &box : shown_)
        list << box.*field;
    return list;
}

std::optional<QString> ScriptedFileDialogs::choose(QWidget *, const platform::FileDialogRequest &request)
{
    requests_.append(request);
    const QString path = answers_.isEmpty() ? QString() : answers_.takeFirst();
    if (path.isNull())
        return std::nullopt;
    return path;
}
