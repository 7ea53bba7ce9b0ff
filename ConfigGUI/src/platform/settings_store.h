#pragma once
// The per-user settings of the program: organisation "Corvane", application "Linkset",
// section "Properties". Tests point XDG_CONFIG_HOME at a private folder.
#include <QString>

namespace platform {

// The saved text of a key of section "Properties"; the fallback when the key is absent.
QString loadSetting(const QString &key, const QString &fallback = QString());
void saveSetting(const QString &key, const QString &value);

} // namespace platform
