#include "platform/file_dialogs.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace platform {

QStringList qtFilters(const QString &pipeFilter)
{
    static const QRegularExpression kPatternsInDescription(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        const QString description = QString(parts[i]).remove(kPatternsInDescription).trimmed();
        filters << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

std::optional<QString> QtFileDialogs::choose(QWidget *parent, const FileDialogRequest &request)
{
    QFileDialog dialog(parent, request.title, request.initialPath);
    dialog.setNameFilters(qtFilters(request.filter));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save || request.newNameAllowed ? QFileDialog::AnyFile
                                                              : QFileDialog::ExistingFile);
    // The program asks its own "Replace existing file" question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace platform
