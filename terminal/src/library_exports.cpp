// The library exports: registration into the per-user component registry, the class
// factory, the unload test and the version.
#include "glyphterm/terminal.h"

#include "live_controls.h"

#include <QSettings>
#include <QStandardPaths>

#include <dlfcn.h>

namespace glyphterm {

std::atomic<int> &liveControls()
{
    static std::atomic<int> count{0};
    return count;
}

namespace {

constexpr long S_OK = 0;
constexpr long S_FALSE = 1;
constexpr long E_POINTER = static_cast<long>(0x80004003u);
constexpr long E_INVALIDARG = static_cast<long>(0x80070057u);
constexpr long CLASS_E_CLASSNOTAVAILABLE = static_cast<long>(0x80040111u);
constexpr long SELFREG_E_CLASS = static_cast<long>(0x80040201u);

QString registryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Brixel/controls.conf");
}

// The path of this shared library.
QString libraryPath()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void *>(&DllGetVersion), &info) || !info.dli_fname)
        return QString();
    return QString::fromLocal8Bit(info.dli_fname);
}

QWidget *createTerminal(QWidget *parent)
{
    return new Terminal(parent);
}

const TerminalClassFactory Factory{&createTerminal};

void writeGroup(QSettings &registry, const QString &group, const QList<QPair<QString, QVariant>> &entries)
{
    registry.beginGroup(group);
    for (const auto &entry : entries)
        registry.setValue(entry.first, entry.second);
    registry.endGroup();
}

} // namespace

} // namespace glyphterm

using namespace glyphterm;

extern "C" {

long DllRegisterServer()
{
    const QString library = libraryPath();
    if (library.isEmpty())
        return SELFREG_E_CLASS;
    QSettings registry(registryPath(), QSettings::IniFormat);
    const QString classId = QLatin1String(TerminalClassGuid);
    writeGroup(registry, QLatin1String(TerminalProgId), {{"CLSID", classId}, {"Library", library}});
    writeGroup(registry, classId,
               {{"ProgID", QLatin1String(TerminalProgId)},
                {"Library", library},
                {"TypeName", QLatin1String(TerminalTypeName)},
                {"TypeLib", QLatin1String(TerminalTypeLibraryGuid)},
                {"TypeLibVersion", "1.0"},
                {"MiscStatus", TerminalMiscStatus},
                {"ThreadingModel", "Apartment"},
                {"Control", true}});
    writeGroup(registry, QLatin1String(TerminalPropertyPageProgId),
               {{"CLSID", QLatin1String(TerminalPropertyPageGuid)}, {"Library", library}});
    writeGroup(registry, QLatin1String(TerminalPropertyPageGuid),
               {{"ProgID", QLatin1String(TerminalPropertyPageProgId)},
                {"Library", library},
                {"TypeName", QLatin1String(TerminalPropertyPageName)}});
    writeGroup(registry, QLatin1String(TerminalTypeLibraryGuid),
               {{"Name", QLatin1String(TerminalTypeLibraryName)},
                {"HelpString", QLatin1String(TerminalTypeLibraryHelp)},
                {"Version", "1.0"},
                {"Locale", 1033},
                {"Library", library}});
    registry.sync();
    return registry.status() == QSettings::NoError ? S_OK : SELFREG_E_CLASS;
}

long DllUnregisterServer()
{
    QSettings registry(registryPath(), QSettings::IniFormat);
    for (const char *group : {TerminalProgId, TerminalClassGuid, TerminalPropertyPageProgId,
                              TerminalPropertyPageGuid, TerminalTypeLibraryGuid})
        registry.remove(QLatin1String(group));
    registry.sync();
    return registry.status() == QSettings::NoError ? S_OK : SELFREG_E_CLASS;
}

long DllGetClassObject(const char *classId, const char *, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!classId ||
        QLatin1String(classId).compare(QLatin1String(TerminalClassGuid), Qt::CaseInsensitive) != 0)
        return CLASS_E_CLASSNOTAVAILABLE;
    *object = const_cast<TerminalClassFactory *>(&Factory);
    return S_OK;
}

long DllCanUnloadNow()
{
    return liveControls() == 0 ? S_OK : S_FALSE;
}

long DllGetVersion(DLLVERSIONINFO *info)
{
    if (!info)
        return E_POINTER;
    if (info->cbSize != sizeof(DLLVERSIONINFO))
        return E_INVALIDARG;
    info->dwMajorVersion = 3;
    info->dwMinorVersion = 20;
    info->dwBuildNumber = 3201;
    info->dwPlatformID = 1;
    return S_OK;
}
}
