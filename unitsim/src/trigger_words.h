// The words the utility's reply parser reacts to wherever they stand in a line. Only
// the lines meant to carry one may contain it; every other text the unit sends, and
// every value it stores, is kept free of them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace unitsim {

// Every trigger the text contains, compared without regard to case, as the parser
// writes them ("GET=1;", "ROUTE=", "RIP:", ">", ...).
std::vector<std::string> triggerWordsIn(std::string_view text);

std::string toUpper(std::string_view text);

} // namespace unitsim
