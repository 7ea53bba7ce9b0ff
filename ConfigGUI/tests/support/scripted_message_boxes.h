#pragma once
// A MessageBoxes that records every box and answers from a queue (Ok, or the first
// button's answer, when the queue is empty).
#include "platform/message_boxes.h"

#include <QList>
#include <QStringList>
#include <deque>

class ScriptedMessageBoxes : public platform::MessageBoxes
{
public:
    platform::MsgAnswer show(QWidget *parent, const platform::MessageBox &box) override;

    void answerNext(platform::MsgAnswer answer) { answers_.push_back(answer); }
    const QList<platform::MessageBox> &shown() const { return shown_; }
    void clear() { shown_.clear(); }
    // The titles or texts of the boxes shown so far, in order.
    QStringList titles() const { return each(&platform::MessageBox::title); }
    QStringList texts() const { return each(&platform::MessageBox::text); }

private:
    QStringList each(QString platform::MessageBox::*field) const;

    QList<platform::MessageBox> shown_;
    std::deque<platform::MsgAnswer> answers_;
};

// A FileDialogs that answers from a queue of paths (a null path = cancelled; cancelled
// as well when the queue is empty).
#include "platform/file_dialogs.h"

class ScriptedFileDialogs : public platform::FileDialogs
{
public:
    std::optional<QString> choose(QWidget *parent, const platform::FileDialogRequest &request) override;

    void answerNext(const QString &path) { answers_.append(path); }
    void cancelNext() { answers_.append(QString()); }
    const QList<platform::FileDialogRequest> &requests() const { return requests_; }

private:
    QList<platform::FileDialogRequest> requests_;
    QStringList answers_;
};
