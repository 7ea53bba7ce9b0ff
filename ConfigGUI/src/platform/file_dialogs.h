#pragma once
// The file-dialog seam: title, filter and flags in, a chosen path or "cancelled" out.
// The program uses QFileDialog; tests install a scripted implementation.
#include <QString>
#include <optional>
#include <QStringList>

class QWidget;

namespace platform {

struct FileDialogRequest
{
    QString title;
    QString filter; // "Description|pattern|Description|pattern", as the program's menus give it
    bool save = false;
    // An open dialog that also accepts the name of a file not made yet (a log to start).
    bool newNameAllowed = false;
    QString initialPath;
};

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // The chosen path, or nothing when the operator cancels.
    virtual std::optional<QString> choose(QWidget *parent, const FileDialogRequest &request) = 0;
};

class QtFileDialogs : public FileDialogs
{
public:
    std::optional<QString> choose(QWidget *parent, const FileDialogRequest &request) override;
};

// The dialog's filter list: each description once, followed by the patterns that apply.
// "Log Files (*.LOG)|*.log|All Files (*.*)|*.*" -> {"Log Files (*.log)", "All Files (*)"}:
// a pattern in the description is replaced by the stated one, and "*.*" (every file on the
// system the texts were written for) becomes "*", which here also matches names without a dot.
QStringList qtFilters(const QString &pipeFilter);

} // namespace platform
