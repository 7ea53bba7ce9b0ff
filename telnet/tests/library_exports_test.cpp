// The library exports, the component registry, and creating the control from its ProgID.
#include "wiretalk/telnet_client.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <link.h>

using namespace wiretalk;

namespace {

QString registryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Brixel/controls.conf");
}

int loadedCopiesOfTheLibrary()
{
    int copies = 0;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *count) {
            if (QByteArray(info->dlpi_name).contains("libwiretalk.so"))
                ++*static_cast<int *>(count);
            return 0;
        },
        &copies);
    return copies;
}

TEST(DllGetVersion, FillsTheTwentyByteRecord)
{
    EXPECT_EQ(DllGetVersion(nullptr), E_POINTER);
    DLLVERSIONINFO info{};
    info.cbSize = 16;
    EXPECT_EQ(DllGetVersion(&info), E_INVALIDARG);
    info.cbSize = 20;
    ASSERT_EQ(DllGetVersion(&info), S_OK);
    EXPECT_EQ(info.dwMajorVersion, 3u);
    EXPECT_EQ(info.dwMinorVersion, 20u);
    EXPECT_EQ(info.dwBuildNumber, 3201u);
    EXPECT_EQ(info.dwPlatformID, 1u);
}

TEST(DllGetClassObject, HandsOutTheFactoryForTheControlOnly)
{
    void *object = nullptr;
    EXPECT_EQ(DllGetClassObject(&CLSID_TelnetClient, &IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(DllGetClassObject(&CLSID_TelnetClientPropPage, &IID_IClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(DllGetClassObject(&CLSID_TelnetClient, &DIID__DTelnetClient, &object), E_NOINTERFACE);
    ASSERT_EQ(DllGetClassObject(&CLSID_TelnetClient, &IID_IClassFactory, &object), S_OK);
    auto *factory = static_cast<IClassFactory *>(object);
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
    QObject *created = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, &created), S_OK);
    EXPECT_NE(qobject_cast<TelnetClient *>(created), nullptr);
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
    delete created;
    factory->LockServer(true);
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
    factory->LockServer(false);
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST(Registration, WritesAndRemovesTheGroupsOfTheControl)
{
    const QString clsid = GuidToString(CLSID_TelnetClient);
    EXPECT_EQ(clsid, QStringLiteral("{5A3E1C73-8B2D-4F19-9C6E-2D7B41A0E5F3}"));
    ASSERT_EQ(DllRegisterServer(), S_OK);
    {
        QSettings registry(registryPath(), QSettings::IniFormat);
        EXPECT_EQ(registry.value(QStringLiteral("Brixel.TelnetClientCtrl.1/CLSID")).toString(), clsid);
        const QString library = registry.value(clsid + QStringLiteral("/Library")).toString();
        EXPECT_TRUE(QFile::exists(library)) << library.toStdString();
        EXPECT_EQ(registry.value(clsid + QStringLiteral("/ProgID")).toString(),
                  QStringLiteral("Brixel.TelnetClientCtrl.1"));
        EXPECT_EQ(registry.value(clsid + QStringLiteral("/TypeName")).toString(),
                  QStringLiteral("Brixel Telnet Client Control"));
        EXPECT_EQ(registry.value(clsid + QStringLiteral("/MiscStatus")).toInt(), 0x20591);
        EXPECT_EQ(registry.value(QStringLiteral("Brixel.TelnetClientPropPage.1/CLSID")).toString(),
                  GuidToString(CLSID_TelnetClientPropPage));
        registry.setValue(QStringLiteral("Other.Control.1/CLSID"), QStringLiteral("{other}"));
    }
    ASSERT_EQ(DllUnregisterServer(), S_OK);
    QSettings registry(registryPath(), QSettings::IniFormat);
    EXPECT_FALSE(registry.contains(QStringLiteral("Brixel.TelnetClientCtrl.1/CLSID")));
    EXPECT_FALSE(registry.contains(clsid + QStringLiteral("/Library")));
    EXPECT_EQ(registry.value(QStringLiteral("Other.Control.1/CLSID")).toString(), QStringLiteral("{other}"));
    registry.remove(QStringLiteral("Other.Control.1"));
}

TEST(CreateTelnetClient, CreatesFromTheRegisteredProgId)
{
    ASSERT_EQ(DllRegisterServer(), S_OK);
    QObject owner;
    QString error;
    TelnetClient *client = CreateTelnetClient(QStringLiteral("Brixel.TelnetClientCtrl.1"), &owner, &error);
    ASSERT_NE(client, nullptr) << error.toStdString();
    EXPECT_EQ(client->parent(), &owner);
    EXPECT_EQ(client->RemotePort(), 23);
    EXPECT_EQ(loadedCopiesOfTheLibrary(), 1);
    DllUnregisterServer();
}

TEST(CreateTelnetClient, FallsBackToTheLibraryBesideTheProgram)
{
    DllUnregisterServer();
    QString error;
    std::unique_ptr<TelnetClient> client(
        CreateTelnetClient(QStringLiteral("Brixel.TelnetClientCtrl.1"), nullptr, &error));
    EXPECT_NE(client, nullptr) << error.toStdString();
}

TEST(CreateTelnetClient, NeverLoadsASecondCopyOfTheLibrary)
{
    ASSERT_EQ(DllRegisterServer(), S_OK);
    QSettings registry(registryPath(), QSettings::IniFormat);
    const QString clsid = GuidToString(CLSID_TelnetClient);
    const QString library = registry.value(clsid + QStringLiteral("/Library")).toString();
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("libwiretalk.so"));
    ASSERT_TRUE(QFile::copy(library, copy));
    registry.setValue(clsid + QStringLiteral("/Library"), copy);
    registry.sync();

    QString error;
    std::unique_ptr<TelnetClient> client(
        CreateTelnetClient(QStringLiteral("Brixel.TelnetClientCtrl.1"), nullptr, &error));
    EXPECT_NE(client, nullptr) << error.toStdString(); // through the copy beside the program
    EXPECT_EQ(loadedCopiesOfTheLibrary(), 1);
    DllUnregisterServer();
}

TEST(CreateTelnetClient, UnknownProgIdsAreRefusedWithAReason)
{
    QString error;
    EXPECT_EQ(CreateTelnetClient(QStringLiteral("Brixel.TerminalCtrl.9"), nullptr, &error), nullptr);
    EXPECT_TRUE(error.contains(QStringLiteral("not registered"))) << error.toStdString();
}

} // namespace
