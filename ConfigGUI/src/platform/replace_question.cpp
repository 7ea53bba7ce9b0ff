#include "platform/replace_question.h"

namespace platform {

MsgAnswer askToReplace(MessageBoxes &boxes, QWidget *parent, const QString &path)
{
    MessageBox question;
    question.text = QStringLiteral("Replace existing file - ") + path + QStringLiteral("?");
    question.buttons = MsgButtons::YesNoCancel;
    question.icon = MsgIcon::Question;
    return boxes.show(parent, question);
}

} // namespace platform
