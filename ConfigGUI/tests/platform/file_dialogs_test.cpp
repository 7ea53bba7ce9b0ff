// The file-dialog seam of the program: the filters each stated text shows once with the
// patterns that apply, and the real dialogs are ordinary ones (folders can be made in them),
// open dialogs asking for a file that exists unless the caller allows a new name.
#include "modal_driver.h"
#include "platform/file_dialogs.h"

#include <QFileDialog>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

TEST(FileDialogFilters, EachStatedTextOnceWithThePatternsThatApply)
{
    const struct
    {
        const char *stated;
        QStringList shown;
    } cases[] = {
        {"Configuration Files (*.qdv)|*.qdv|All Files (*.*)|*.*",
         {"Configuration Files (*.qdv)", "All Files (*)"}},
        {"Log Files (*.LOG)|*.log|All Files (*.*)|*.*", {"Log Files (*.log)", "All Files (*)"}},
        {"Link Logs|*.log;*.txt", {"Link Logs (*.log *.txt)"}},
        {"Odd|", {"Odd ()"}},
        {"", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(platform::qtFilters(QString::fromLatin1(c.stated)), c.shown) << c.stated;
}

namespace {

struct SeenDialog
{
    bool readOnly = true;
    bool newFolderEnabled = false;
    QFileDialog::FileMode mode = QFileDialog::Directory;
    QFileDialog::AcceptMode accept = QFileDialog::AcceptOpen;
};

SeenDialog openAndCancel(const platform::FileDialogRequest &request)
{
    SeenDialog seen;
    ModalDriver modals;
    modals.onNextModal(QStringLiteral("QFileDialog"), [&](QDialog &dialog) {
        auto &files = static_cast<QFileDialog &>(dialog);
        seen.readOnly = files.testOption(QFileDialog::ReadOnly);
        auto *newFolder = files.findChild<QToolButton *>(QStringLiteral("newFolderButton"));
        seen.newFolderEnabled = newFolder && newFolder->isEnabled();
        seen.mode = files.fileMode();
        seen.accept = files.acceptMode();
        files.reject();
    });
    platform::QtFileDialogs dialogs;
    EXPECT_FALSE(dialogs.choose(nullptr, request).has_value());
    EXPECT_EQ(modals.handledCount(QStringLiteral("QFileDialog")), 1);
    return seen;
}

} // namespace

TEST(FileDialogs, AreOrdinaryDialogsOfTheRightKind)
{
    Watchdog watchdog(30);
    QTemporaryDir dir;
    platform::FileDialogRequest request;
    request.filter = QStringLiteral("Configuration Files (*.qdv)|*.qdv");
    request.initialPath = dir.path();

    const SeenDialog open = openAndCancel(request);
    EXPECT_FALSE(open.readOnly);
    EXPECT_TRUE(open.newFolderEnabled);
    EXPECT_EQ(open.mode, QFileDialog::ExistingFile);
    EXPECT_EQ(open.accept, QFileDialog::AcceptOpen);

    request.newNameAllowed = true;
    EXPECT_EQ(openAndCancel(request).mode, QFileDialog::AnyFile);

    request.newNameAllowed = false;
    request.save = true;
    const SeenDialog save = openAndCancel(request);
    EXPECT_FALSE(save.readOnly);
    EXPECT_EQ(save.mode, QFileDialog::AnyFile);
    EXPECT_EQ(save.accept, QFileDialog::AcceptSave);
}
