#pragma once
// The file-dialog seam: title, filter and flags in, a chosen path or "cancelled" out.
// The program uses QFileDialog; tests install a scripted implementation.
#include <QString>
#include <optional>

class QWidget;

namespace platform {

struct FileDialogRequest
{
    QString title;
    QString filter; // "Description|pattern|Description|pattern", as the program's menus give it
    bool save = false;
    bool hideReadOnly = true;
    bool mayCreate = false; // an open dialog that also takes a name that does not exist yet
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

// "Log Files (*.LOG)|*.log|All Files (*.*)|*.*" -> "Log Files (*.LOG) (*.log);;All Files (*.*) (*.*)"
QString qtFilter(const QString &pipeFilter);

} // namespace platform
