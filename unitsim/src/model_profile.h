// What distinguishes the three models: version text, capabilities, the parameters they
// lack, the radio settings they are fixed to, and their factory configuration.
#pragma once

#include "unit_config.h"
#include "unitsim/simulated_unit.h"

#include <set>
#include <string>
#include <vector>

namespace unitsim {

struct ModelProfile
{
    Model model;
    std::string name;                      // "hadra", "tevo", "qdv"
    std::string versionText;               // default text of parameter 04
    std::vector<std::string> capabilities; // in the order of the capability line
    std::set<std::string> lackedCodes;     // reported as "N/A", writes refused
    std::string fixedRadioType;            // "" = either; else the only value of code 41
    bool bridgingAllowed = true;           // false: "mode bridge" is refused
    std::size_t maxStations = 0;
    UnitConfig defaults; // credentials left empty

    bool has(const std::string &capability) const;
};

const ModelProfile &profileFor(Model model);
// Parses "hadra", "tevo" or "qdv" (any case).
bool modelFromName(const std::string &name, Model &model);

} // namespace unitsim
