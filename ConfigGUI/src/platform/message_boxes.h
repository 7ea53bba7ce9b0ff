#pragma once
// The message-box seam: every box the program shows goes through one call that takes
// the text, title, buttons and icon and returns the operator's answer. The program uses
// QMessageBox; tests install a scripted implementation.
#include <QString>

class QWidget;

namespace platform {

enum class MsgButtons
{
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel,
    AbortRetryIgnore,
    RetryCancel
};
enum class MsgIcon
{
    None,
    Information,
    Exclamation,
    Critical,
    Question
};
enum class MsgAnswer
{
    Ok,
    Cancel,
    Yes,
    No,
    Abort,
    Retry,
    Ignore
};

struct MessageBox
{
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    bool systemModal = false; // shown above every window of the program
    bool foreground = false;  // the window is raised before the box appears
};

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(QWidget *parent, const MessageBox &box) = 0;

    // Shorthands for the common shapes.
    MsgAnswer inform(QWidget *parent, const QString &text, const QString &title, MsgIcon icon);
};

// The boxes of the running program.
class QtMessageBoxes : public MessageBoxes
{
public:
    MsgAnswer show(QWidget *parent, const MessageBox &box) override;
};

// The title boxes carry when the caller names none: the program's own name.
QString applicationTitle();

} // namespace platform
