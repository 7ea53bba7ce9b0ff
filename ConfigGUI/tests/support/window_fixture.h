#pragma once
// A main window with scripted message boxes and file dialogs and no unit: text is fed to
// ProcessReply as the receive path would hand it on.
#include "scripted_message_boxes.h"
#include "session/mscomm.h"
#include "session/process_reply.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

// Every item of a list view: its text, then its sub-items in column order.
inline QList<QStringList> rowsOf(const QTreeWidget *list)
{
    QList<QStringList> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList row;
        for (int column = 0; column < list->columnCount(); ++column)
            row << list->topLevelItem(i)->text(column);
        rows << row;
    }
    return rows;
}

class WindowFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        w = std::make_unique<frmTevoHadraConfig>();
        w->setMessageBoxes(&boxes);
        w->setFileDialogs(&files);
    }
    void feed(const QString &text) { session::ProcessReply(*w, w->MSComm1, text); }
    Ui::frmTevoHadraConfig &ui() { return *w->ui; }

    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs files;
    std::unique_ptr<frmTevoHadraConfig> w;
};
