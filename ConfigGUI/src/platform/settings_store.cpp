#include "platform/settings_store.h"

#include <QSettings>

namespace platform {

namespace {
QString propertiesKey(const QString &key)
{
    return QStringLiteral("Properties/") + key;
}
} // namespace

QString loadSetting(const QString &key, const QString &fallback)
{
    const QSettings settings(QStringLiteral("Corvane"), QStringLiteral("Linkset"));
    return settings.value(propertiesKey(key), fallback).toString();
}

void saveSetting(const QString &key, const QString &value)
{
    QSettings settings(QStringLiteral("Corvane"), QStringLiteral("Linkset"));
    settings.setValue(propertiesKey(key), value);
    settings.sync();
}

} // namespace platform
