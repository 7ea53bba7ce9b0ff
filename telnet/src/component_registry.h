// The per-user component registry: one INI file, $XDG_CONFIG_HOME/Brixel/controls.conf,
// with a group per ProgID (CLSID, Library) and a group per CLSID (ProgID, Library,
// TypeName and the control's registration details).
#pragma once

#include <QString>

namespace wiretalk {

QString ComponentRegistryPath();

// Full path of this library (libwiretalk.so) as loaded in the process.
QString ThisLibraryPath();

} // namespace wiretalk
