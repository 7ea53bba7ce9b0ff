#include "cli/headless_seams.h"

#include "ui/frmTevoHadraConfig.h"

#include <cstdio>

namespace cli {

namespace {

platform::MsgAnswer safeAnswer(platform::MsgButtons buttons)
{
    switch (buttons) {
    case platform::MsgButtons::Ok:
        return platform::MsgAnswer::Ok;
    case platform::MsgButtons::OkCancel:
    case platform::MsgButtons::YesNoCancel:
    case platform::MsgButtons::RetryCancel:
        return platform::MsgAnswer::Cancel;
    case platform::MsgButtons::YesNo:
        return platform::MsgAnswer::No;
    case platform::MsgButtons::AbortRetryIgnore:
        return platform::MsgAnswer::Abort;
    }
    return platform::MsgAnswer::Cancel;
}

} // namespace

platform::MsgAnswer HeadlessMessageBoxes::show(QWidget *, const platform::MessageBox &box)
{
    if (!silent_) {
        shown_ << box;
        // The boxes' texts break lines with CR LF; a terminal wants LF alone.
        QString text = box.text;
        text.remove(QLatin1Char('\r'));
        if (box.title.isEmpty())
            std::fprintf(stderr, "linkset: %s\n", qPrintable(text));
        else
            std::fprintf(stderr, "linkset: %s: %s\n", qPrintable(box.title), qPrintable(text));
    }
    return safeAnswer(box.buttons);
}

std::optional<QString> OneFileDialog::choose(QWidget *, const platform::FileDialogRequest &)
{
    return std::exchange(next_, std::nullopt);
}

void HeadlessLoginPrompt::ask(frmTevoHadraConfig &w, session::LoginRequest request)
{
    bool &asked = request == session::LoginRequest::UserName ? userNameAsked_ : passwordAsked_;
    if (asked) {
        refused_ = true;
        boxes_.silence();
        w.blnShouldConnect = false;
        return;
    }
    asked = true;
    w.strUserName = user_;
    w.strPassword = password_;
    // blnShownUsernameForm stays false, so that every further request comes here.
    w.blnShouldConnect = true;
}

} // namespace cli
