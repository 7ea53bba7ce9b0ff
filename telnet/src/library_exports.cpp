// The library exports: version, registration in the component registry, the class
// factory and the unload test.
#include "component_registry.h"
#include "control_error.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include <atomic>

#include <dlfcn.h>

namespace wiretalk {

namespace {

std::atomic<int> liveControls{0};
std::atomic<int> serverLocks{0};

class TelnetClientFactory final : public IClassFactory
{
public:
    HRESULT CreateInstance(QObject *parent, QObject **object) override
    {
        if (object == nullptr)
            return E_POINTER;
        *object = new TelnetClient(parent);
        return S_OK;
    }
    HRESULT LockServer(bool lock) override
    {
        serverLocks += lock ? 1 : -1;
        return S_OK;
    }
};

TelnetClientFactory factory;

QString guid(const GUID &id)
{
    return GuidToString(id);
}

// The groups this library writes, so that unregistration removes exactly them.
QStringList registeredGroups()
{
    return {QLatin1String(kTelnetClientProgId),   guid(CLSID_TelnetClient),
            QLatin1String(kTelnetPropPageProgId), guid(CLSID_TelnetClientPropPage),
            guid(LIBID_TelnetClientCtrl),         guid(DIID__DTelnetClient),
            guid(DIID__DTelnetClientEvents)};
}

void writeGroup(QSettings &registry, const QString &group,
                std::initializer_list<std::pair<const char *, QVariant>> values)
{
    registry.beginGroup(group);
    registry.remove(QString()); // a fresh group: nothing stale survives a re-registration
    for (const auto &[key, value] : values)
        registry.setValue(QLatin1String(key), value);
    registry.endGroup();
}

} // namespace

void ControlCreated()
{
    ++liveControls;
}

void ControlDestroyed()
{
    --liveControls;
}

QString ComponentRegistryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Brixel/controls.conf");
}

QString ThisLibraryPath()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&ThisLibraryPath), &info) == 0 || info.dli_fname == nullptr)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).canonicalFilePath();
}

} // namespace wiretalk

using namespace wiretalk;

extern "C" {

HRESULT DllRegisterServer()
{
    const QString library = ThisLibraryPath();
    if (library.isEmpty() || !QDir().mkpath(QFileInfo(ComponentRegistryPath()).path()))
        return SELFREG_E_CLASS;
    QSettings registry(ComponentRegistryPath(), QSettings::IniFormat);
    const QString clsid = guid(CLSID_TelnetClient);
    const QString pageClsid = guid(CLSID_TelnetClientPropPage);
    writeGroup(registry, QLatin1String(kTelnetClientProgId), {{"CLSID", clsid}, {"Library", library}});
    writeGroup(registry, clsid,
               {{"ProgID", QLatin1String(kTelnetClientProgId)},
                {"Library", library},
                {"TypeName", QLatin1String(kTelnetClientTypeName)},
                {"Control", true},
                {"MiscStatus", 0x20591},
                {"ThreadingModel", QStringLiteral("Apartment")},
                {"TypeLib", guid(LIBID_TelnetClientCtrl)},
                {"Version", QStringLiteral("1.0")}});
    writeGroup(registry, QLatin1String(kTelnetPropPageProgId), {{"CLSID", pageClsid}, {"Library", library}});
    writeGroup(registry, pageClsid,
               {{"ProgID", QLatin1String(kTelnetPropPageProgId)},
                {"Library", library},
                {"TypeName", QLatin1String(kTelnetPropPageName)}});
    writeGroup(registry, guid(LIBID_TelnetClientCtrl),
               {{"TypeName", QStringLiteral("TelnetClientCtrl")},
                {"HelpString", QStringLiteral("Brixel Telnet Client Control")},
                {"Version", QStringLiteral("1.0")},
                {"Locale", 1033},
                {"Library", library}});
    writeGroup(registry, guid(DIID__DTelnetClient),
               {{"TypeName", QStringLiteral("_DTelnetClient")},
                {"HelpString", QStringLiteral("Dispatch interface for Telnet Client Control")},
                {"TypeLib", guid(LIBID_TelnetClientCtrl)}});
    writeGroup(registry, guid(DIID__DTelnetClientEvents),
               {{"TypeName", QStringLiteral("_DTelnetClientEvents")},
                {"HelpString", QStringLiteral("Event interface for Telnet Client Control")},
                {"TypeLib", guid(LIBID_TelnetClientCtrl)}});
    registry.sync();
    return registry.status() == QSettings::NoError ? S_OK : SELFREG_E_CLASS;
}

HRESULT DllUnregisterServer()
{
    QSettings registry(ComponentRegistryPath(), QSettings::IniFormat);
    for (const QString &group : registeredGroups())
        registry.remove(group);
    registry.sync();
    return registry.status() == QSettings::NoError ? S_OK : SELFREG_E_CLASS;
}

HRESULT DllGetClassObject(const GUID *rclsid, const GUID *riid, void **ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (rclsid == nullptr || *rclsid != CLSID_TelnetClient)
        return CLASS_E_CLASSNOTAVAILABLE;
    if (riid == nullptr || *riid != IID_IClassFactory)
        return E_NOINTERFACE;
    *ppv = static_cast<IClassFactory *>(&factory);
    return S_OK;
}

HRESULT DllCanUnloadNow()
{
    return liveControls == 0 && serverLocks == 0 ? S_OK : S_FALSE;
}

HRESULT DllGetVersion(DLLVERSIONINFO *info)
{
    if (info == nullptr)
        return E_POINTER;
    if (info->cbSize != sizeof(DLLVERSIONINFO))
        return E_INVALIDARG;
    info->dwMajorVersion = 3;
    info->dwMinorVersion = 20;
    info->dwBuildNumber = 3201;
    info->dwPlatformID = 1;
    return S_OK;
}

} // extern "C"
