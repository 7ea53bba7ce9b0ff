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

QString guidString(const GUID &guid)
{
    QString text = QStringLiteral("{%1-%2-%3-")
                       .arg(guid.Data1, 8, 16, QLatin1Char('0'))
                       .arg(guid.Data2, 4, 16, QLatin1Char('0'))
                       .arg(guid.Data3, 4, 16, QLatin1Char('0'));
    for (int i = 0; i < 8; ++i) {
        if (i == 2)
            text += QLatin1Char('-');
        text += QStringLiteral("%1").arg(guid.Data4[i], 2, 16, QLatin1Char('0'));
    }
    return (text + QLatin1Char('}')).toUpper();
}

namespace {

QString registryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Brixel/controls.conf");
}

// The path of this shared library, found from a function of its own (the exports share
// their names with other component libraries, so their addresses may not be ours).
QString libraryPath()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void *>(&registryPath), &info) || !info.dli_fname)
        return QString();
    return QString::fromLocal8Bit(info.dli_fname);
}

class TerminalFactory final : public IClassFactory
{
public:
    HRESULT CreateInstance(QObject *parent, QObject **object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (parent && !parent->isWidgetType())
            return E_INVALIDARG;
        *object = new Terminal(static_cast<QWidget *>(parent));
        return S_OK;
    }
    HRESULT LockServer(bool lock) override
    {
        locks_ += lock ? 1 : -1;
        return S_OK;
    }
    bool locked() const { return locks_ > 0; }

private:
    std::atomic<int> locks_{0};
};

TerminalFactory &factory()
{
    static TerminalFactory instance;
    return instance;
}

// The groups this library writes, so that unregistration removes exactly them.
QStringList registeredGroups()
{
    return {QString::fromLatin1(TerminalProgId),
            guidString(CLSID_Terminal),
            QString::fromLatin1(TerminalPropertyPageProgId),
            guidString(CLSID_TerminalPropPage),
            guidString(LIBID_TerminalCtrl),
            guidString(DIID__DTerminal),
            guidString(DIID__DTerminalEvents)};
}

void writeGroup(QSettings &registry, const QString &group, const QList<QPair<QString, QVariant>> &entries)
{
    registry.beginGroup(group);
    registry.remove(QString()); // a fresh group: nothing stale survives a re-registration
    for (const auto &entry : entries)
        registry.setValue(entry.first, entry.second);
    registry.endGroup();
}

} // namespace

} // namespace glyphterm

using namespace glyphterm;

extern "C" {

HRESULT DllRegisterServer()
{
    const QString library = libraryPath();
    if (library.isEmpty())
        return SELFREG_E_CLASS;
    QSettings registry(registryPath(), QSettings::IniFormat);
    const QString classId = guidString(CLSID_Terminal);
    const QString pageId = guidString(CLSID_TerminalPropPage);
    const QString libraryId = guidString(LIBID_TerminalCtrl);
    writeGroup(registry, QLatin1String(TerminalProgId), {{"CLSID", classId}, {"Library", library}});
    writeGroup(registry, classId,
               {{"ProgID", QLatin1String(TerminalProgId)},
                {"Library", library},
                {"TypeName", QLatin1String(TerminalTypeName)},
                {"TypeLib", libraryId},
                {"TypeLibVersion", "1.0"},
                {"MiscStatus", TerminalMiscStatus},
                {"ThreadingModel", "Apartment"},
                {"Control", true}});
    writeGroup(registry, QLatin1String(TerminalPropertyPageProgId),
               {{"CLSID", pageId}, {"Library", library}});
    writeGroup(registry, pageId,
               {{"ProgID", QLatin1String(TerminalPropertyPageProgId)},
                {"Library", library},
                {"TypeName", QLatin1String(TerminalPropertyPageName)}});
    writeGroup(registry, libraryId,
               {{"Name", QLatin1String(TerminalTypeLibraryName)},
                {"HelpString", QLatin1String(TerminalTypeLibraryHelp)},
                {"Version", "1.0"},
                {"Locale", 1033},
                {"Library", library}});
    writeGroup(registry, guidString(DIID__DTerminal),
               {{"TypeName", "_DTerminal"},
                {"HelpString", QLatin1String(TerminalDispatchHelp)},
                {"TypeLib", libraryId}});
    writeGroup(registry, guidString(DIID__DTerminalEvents),
               {{"TypeName", "_DTerminalEvents"},
                {"HelpString", QLatin1String(TerminalEventsHelp)},
                {"TypeLib", libraryId}});
    registry.sync();
    return registry.status() == QSettings::NoError ? S_OK : SELFREG_E_CLASS;
}

HRESULT DllUnregisterServer()
{
    QSettings registry(registryPath(), QSettings::IniFormat);
    for (const QString &group : registeredGroups())
        registry.remove(group);
    registry.sync();
    return registry.status() == QSettings::NoError ? S_OK : SELFREG_E_CLASS;
}

HRESULT DllGetClassObject(const GUID *rclsid, const GUID *riid, void **ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!rclsid || !(*rclsid == CLSID_Terminal))
        return CLASS_E_CLASSNOTAVAILABLE;
    if (!riid || !(*riid == IID_IClassFactory))
        return E_NOINTERFACE;
    *ppv = static_cast<IClassFactory *>(&factory());
    return S_OK;
}

HRESULT DllCanUnloadNow()
{
    return liveControls() == 0 && !factory().locked() ? S_OK : S_FALSE;
}

HRESULT DllGetVersion(DLLVERSIONINFO *info)
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
