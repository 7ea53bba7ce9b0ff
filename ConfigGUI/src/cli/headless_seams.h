#pragma once
// What stands in for the operator when the window runs without being shown: message
// boxes that are printed and answered at once, a file dialog that answers with the file
// the command line named, and a login that answers with the given credentials once.
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "session/login_prompt.h"

#include <QList>

namespace cli {

// Prints every box to standard error ("linkset: TITLE: text") and answers the choice that
// changes nothing: OK, Cancel, No or Abort. Keeps the boxes for the run's result.
class HeadlessMessageBoxes : public platform::MessageBoxes
{
public:
    platform::MsgAnswer show(QWidget *parent, const platform::MessageBox &box) override;
    const QList<platform::MessageBox> &shown() const { return shown_; }
    // Boxes from now on are answered but neither printed nor kept: what follows the outcome
    // (the disconnect at the end of a run, or after a refused login) says nothing new.
    void silence() { silent_ = true; }

private:
    QList<platform::MessageBox> shown_;
    bool silent_ = false;
};

// Answers the next file dialog with `path`, and every later one with Cancel.
class OneFileDialog : public platform::FileDialogs
{
public:
    void answerNext(const QString &path) { next_ = path; }
    std::optional<QString> choose(QWidget *parent, const platform::FileDialogRequest &request) override;

private:
    std::optional<QString> next_;
};

// Answers each kind of login request once with the given credentials; a second request of
// the same kind (the unit refused them and asks again) gives the session up.
class HeadlessLoginPrompt : public session::LoginPrompt
{
public:
    // `boxes` fall silent once the login is refused.
    HeadlessLoginPrompt(QString user, QString password, HeadlessMessageBoxes &boxes)
        : user_(std::move(user)), password_(std::move(password)), boxes_(boxes)
    {}
    void ask(frmTevoHadraConfig &w, session::LoginRequest request) override;
    bool refused() const { return refused_; }

private:
    QString user_;
    QString password_;
    HeadlessMessageBoxes &boxes_;
    bool userNameAsked_ = false;
    bool passwordAsked_ = false;
    bool refused_ = false;
};

} // namespace cli
