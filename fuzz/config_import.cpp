// Fuzz target for importing a configuration file: the bytes are written to a file, and the
// window's Import button is pressed with a file dialog that chooses that file, so the
// import runs as the operator starts it (file reading, line splitting, the reply grammar).
// Whatever the bytes, nothing crashes, no exception escapes, and the displays stay within
// their limits.
#include "fuzz_window.h"

#include "platform/file_dialogs.h"
#include "ui/frmTevoHadraConfig.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

// Chooses the one file every time.
class ChooseFile : public platform::FileDialogs
{
public:
    explicit ChooseFile(QString path) : path_(std::move(path)) {}
    std::optional<QString> choose(QWidget *, const platform::FileDialogRequest &) override { return path_; }

private:
    QString path_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    frmTevoHadraConfig &w = fuzzWindow("config_import");
    static QTemporaryDir folder;
    static ChooseFile dialogs(folder.filePath(QStringLiteral("input.qdv")));
    static bool installed = false;
    if (!installed) {
        w.setFileDialogs(&dialogs);
        installed = true;
    }
    QFile file(folder.filePath(QStringLiteral("input.qdv")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();

    QAction *import = w.tlbrMainButton(QStringLiteral("Import"));
    if (!import || !import->isEnabled())
        std::abort();
    try {
        import->trigger();
    } catch (...) {
        std::abort(); // a handler boundary lets nothing through
    }
    checkDisplayLimits(w);
    startAfresh(w);
    return 0;
}
