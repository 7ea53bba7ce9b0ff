#pragma once
// Which setting of a ConfigRecord a parameter code carries, for the settings that are a
// single text value. The update list, its validation and the configuration file all go
// from codes to settings through this one map.
#include "forms/config_record.h"

#include <QStringView>

namespace forms {

using ScalarField = QString ConfigRecord::*;

// The setting carried by `code` (upper case), or nullptr for a code that carries a list, the
// password or nothing the record holds.
ScalarField scalarFieldOf(QStringView code);

} // namespace forms
