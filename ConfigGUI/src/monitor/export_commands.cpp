#include "monitor/export_commands.h"

#include "monitor/csv_export.h"
#include "platform/replace_question.h"
#include "ui/frmTevoHadraConfig.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPixmap>
#include <QSaveFile>
#include <QWidget>
#include <optional>

namespace monitor {

namespace {

// The file to write, with the extension added when the name has none; nothing when the
// operator cancelled. No to the replace question asks again.
std::optional<QString> chooseFile(frmTevoHadraConfig &w, const platform::FileDialogRequest &request,
                                  const QString &extension)
{
    for (;;) {
        const std::optional<QString> chosen = w.fileDialogs().choose(&w, request);
        if (!chosen)
            return std::nullopt;
        const QString path =
            QFileInfo(*chosen).suffix().isEmpty() ? *chosen + QLatin1Char('.') + extension : *chosen;
        if (!QFileInfo::exists(path) ||
            platform::askToReplace(w.messageBoxes(), &w, path) == platform::MsgAnswer::Yes)
            return path;
    }
}

// Writes the whole file or leaves what was there; a failure is shown with its reason.
void writeFile(frmTevoHadraConfig &w, const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return;
    w.messageBoxes().inform(&w, path + QStringLiteral(": ") + file.errorString(), QString(),
                            platform::MsgIcon::Exclamation);
}

platform::FileDialogRequest saveRequest(const char *title, const char *filter, const QString &suggestedName)
{
    platform::FileDialogRequest request;
    request.title = QLatin1String(title);
    request.filter = QLatin1String(filter);
    request.save = true;
    request.initialPath = suggestedName;
    return request;
}

} // namespace

void exportAsCsv(frmTevoHadraConfig &w, const QList<QStringList> &rows, const QString &suggestedName)
{
    const std::optional<QString> path = chooseFile(
        w, saveRequest("Export as CSV", "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*", suggestedName),
        QStringLiteral("csv"));
    if (path)
        writeFile(w, *path, csvDocument(rows));
}

void savePicture(frmTevoHadraConfig &w, QWidget &widget, const QString &suggestedName)
{
    const std::optional<QString> path = chooseFile(
        w, saveRequest("Save Picture", "PNG Pictures (*.png)|*.png|All Files (*.*)|*.*", suggestedName),
        QStringLiteral("png"));
    if (!path)
        return;
    // grab() draws at the widget's device pixel ratio: the picture has the screen's pixels.
    const QPixmap picture = widget.grab();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) {
        w.messageBoxes().inform(&w, QStringLiteral("The picture could not be made."), QString(),
                                platform::MsgIcon::Exclamation);
        return;
    }
    writeFile(w, *path, png);
}

} // namespace monitor
