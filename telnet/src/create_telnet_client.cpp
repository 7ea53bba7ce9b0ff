// Creating the control from its ProgID, as a container does: through the component
// registry to a library file, then that library's class factory.
#include "component_registry.h"

#include "wiretalk/telnet_client.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

#include <dlfcn.h>
#include <sys/stat.h>

namespace wiretalk {

namespace {

using GetClassObjectFn = HRESULT (*)(const GUID *, const GUID *, void **);

struct Registration
{
    QString clsid;
    QString library;
};

Registration lookUp(const QString &progId)
{
    QSettings registry(ComponentRegistryPath(), QSettings::IniFormat);
    Registration found;
    found.clsid = registry.value(progId + QStringLiteral("/CLSID")).toString();
    if (!found.clsid.isEmpty())
        found.library = registry.value(found.clsid + QStringLiteral("/Library")).toString();
    return found;
}

QString programFolder()
{
    if (QCoreApplication::instance() != nullptr)
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
}

bool sameFile(const QString &a, const QString &b)
{
    struct stat first
    {
    };
    struct stat second
    {
    };
    return ::stat(a.toLocal8Bit().constData(), &first) == 0 &&
           ::stat(b.toLocal8Bit().constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

// Loads the library (dlopen hands back the copy already in the process) and asks its
// class factory for a control.
TelnetClient *createFrom(const QString &library, QObject *parent, QString *error)
{
    void *module = dlopen(library.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        *error = QStringLiteral("Cannot load %1: %2").arg(library, QString::fromLocal8Bit(dlerror()));
        return nullptr;
    }
    TelnetClient *client = nullptr;
    auto getClassObject = reinterpret_cast<GetClassObjectFn>(dlsym(module, "DllGetClassObject"));
    void *object = nullptr;
    if (getClassObject == nullptr) {
        *error = QStringLiteral("%1 has no DllGetClassObject").arg(library);
    } else if (getClassObject(&CLSID_TelnetClient, &IID_IClassFactory, &object) != S_OK) {
        *error = QStringLiteral("%1 offers no %2 class").arg(library, QLatin1String(kTelnetClientProgId));
    } else {
        QObject *instance = nullptr;
        static_cast<IClassFactory *>(object)->CreateInstance(parent, &instance);
        client = qobject_cast<TelnetClient *>(instance);
        if (client == nullptr) {
            delete instance;
            *error = QStringLiteral("%1 did not create a TelnetClient").arg(library);
        }
    }
    dlclose(module); // the library stays loaded: this process links it
    return client;
}

} // namespace

TelnetClient *CreateTelnetClient(const QString &progId, QObject *parent, QString *error)
{
    QString ignored;
    QString &reason = error ? *error : ignored;
    const Registration registered = lookUp(progId);
    if (registered.clsid.isEmpty() && progId != QLatin1String(kTelnetClientProgId)) {
        reason = QStringLiteral("%1 is not registered").arg(progId);
        return nullptr;
    }
    if (!registered.clsid.isEmpty() && registered.clsid != GuidToString(CLSID_TelnetClient)) {
        reason = QStringLiteral("%1 is not a Brixel Telnet Client Control").arg(progId);
        return nullptr;
    }
    // The registered library first, then the one beside the program, then the one an
    // installed program has in its library folder; only the copy this process already uses
    // qualifies, so there is never a second session table.
    const QString loaded = ThisLibraryPath();
    const QString fileName = QFileInfo(loaded).fileName();
    const QString folder = programFolder();
    QStringList refused;
    for (const QString &candidate :
         {registered.library, folder + QStringLiteral("/") + fileName,
          folder + QStringLiteral("/" WIRETALK_LIBDIR_FROM_BINDIR "/") + fileName}) {
        if (candidate.isEmpty() || !QFileInfo::exists(candidate))
            continue;
        if (sameFile(candidate, loaded))
            return createFrom(candidate, parent, &reason);
        refused.append(candidate);
    }
    reason = refused.isEmpty()
                 ? QStringLiteral("No library found for %1").arg(progId)
                 : QStringLiteral("%1 is another copy of the control library than the one in use (%2)")
                       .arg(refused.join(QStringLiteral(", ")), loaded);
    return nullptr;
}

} // namespace wiretalk
