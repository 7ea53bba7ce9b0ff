// The saved configuration kept in a text file across runs of the simulator, one
// setting per line ("param 01 Hadra Base", "route 0.0.0.0 0.0.0.0 192.168.1.254", ...).
#pragma once

#include "unit_config.h"

#include <optional>
#include <string>

namespace unitsim {

// nullopt when the file does not exist; throws std::invalid_argument naming the file
// and line when it cannot be read or was saved by another model.
std::optional<UnitConfig> loadStateFile(const std::string &path, const std::string &modelName);

// Writes through a temporary file and a rename, so a crash never leaves half a file.
bool saveStateFile(const std::string &path, const std::string &modelName, const UnitConfig &config);

} // namespace unitsim
