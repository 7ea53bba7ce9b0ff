#include "platform/file_dialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace platform {

QString qtFilter(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << QStringLiteral("%1 (%2)").arg(
            parts[i], QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')));
    return entries.join(QStringLiteral(";;"));
}

std::optional<QString> QtFileDialogs::choose(QWidget *parent, const FileDialogRequest &request)
{
    QFileDialog::Options options;
    if (request.hideReadOnly)
        options |= QFileDialog::ReadOnly;
    // The program asks its own "Replace existing file" question.
    options |= QFileDialog::DontConfirmOverwrite;
    const QString filter = qtFilter(request.filter);
    if (request.mayCreate && !request.save) {
        QFileDialog dialog(parent, request.title, request.initialPath, filter);
        dialog.setOptions(options);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }
    const QString path = request.save
                             ? QFileDialog::getSaveFileName(parent, request.title, request.initialPath,
                                                            filter, nullptr, options)
                             : QFileDialog::getOpenFileName(parent, request.title, request.initialPath,
                                                            filter, nullptr, options);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace platform
