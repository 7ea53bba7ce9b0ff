// The command line of linkset-unitsim, read with QCommandLineParser (the program uses
// QtCore for it; the unit itself stays free of Qt).
#pragma once

#include "unitsim/simulated_unit.h"

#include <string>
#include <vector>

namespace unitsim {

struct ProgramOptions
{
    UnitOptions unit;
    bool help = false;
    bool version = false;
    std::string commandLog; // write the received command lines here when the unit ends
    std::string error;      // not empty when the command line is refused
};

ProgramOptions parseProgramOptions(const std::vector<std::string> &arguments);
std::string programUsage();

// Turns \r, \n, \t, \\ and \xHH in a command-line text into the bytes they stand for.
std::string unescapeText(const std::string &text, bool &ok);

} // namespace unitsim
