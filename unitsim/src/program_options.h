// The command line of linkset-unitsim.
#pragma once

#include "unitsim/simulated_unit.h"

#include <string>
#include <vector>

namespace unitsim {

struct ProgramOptions
{
    UnitOptions unit;
    bool help = false;
    std::string error; // not empty when the command line is refused
};

ProgramOptions parseProgramOptions(const std::vector<std::string> &arguments);
std::string programUsage();

// Turns \r, \n, \t, \\ and \xHH in a command-line text into the bytes they stand for.
std::string unescapeText(const std::string &text, bool &ok);

} // namespace unitsim
