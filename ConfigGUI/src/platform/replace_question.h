#pragma once
// The question asked before a chosen file that exists is replaced.
#include "platform/message_boxes.h"

namespace platform {

// "Replace existing file - <path>?" with Yes, No and Cancel and the question icon.
MsgAnswer askToReplace(MessageBoxes &boxes, QWidget *parent, const QString &path);

} // namespace platform
