#include "forms/retrieval_steps.h"

#include "config/device_requests.h"
#include "config/parameter_commands.h"

#include <functional>
#include <vector>

namespace forms {

namespace {

using linkset::DeviceCommand;
using Reads = std::vector<std::function<DeviceCommand()>>;

std::function<DeviceCommand()> get(const char16_t *code)
{
    return [code] { return linkset::parameterCommand(QStringView(code), false); };
}

std::function<DeviceCommand()> table(int number)
{
    return [number] { return linkset::tableRequest(number); };
}

// Steps 1 to 48, in order.
const std::vector<Reads> &steps()
{
    static const std::vector<Reads> table_{
        /* 1 */ {linkset::firstRetrievalRead},
        /* 2 */ {get(u"01"), get(u"02")},
        /* 3 */ {get(u"03")},
        /* 4 */ {get(u"04")},
        /* 5 */ {get(u"05")},
        /* 6 */ {get(u"10")},
        /* 7 */ {get(u"11")},
        /* 8 */ {get(u"12")},
        /* 9 */ {get(u"13")},
        /* 10 */ {get(u"14")},
        /* 11 */ {get(u"15")},
        /* 12 */ {get(u"16")},
        /* 13 */ {get(u"17")},
        /* 14 */ {get(u"18")},
        /* 15 */ {get(u"19")},
        /* 16 */ {get(u"1B")},
        /* 17 */ {get(u"1C")},
        /* 18 */ {},
        /* 19 */ {},
        /* 20 */ {get(u"29")},
        /* 21 */ {get(u"41")},
        /* 22 */ {get(u"42")},
        /* 23 */ {get(u"43")},
        /* 24 */ {get(u"44")},
        /* 25 */ {get(u"45")},
        /* 26 */ {get(u"46")},
        /* 27 */ {get(u"47")},
        /* 28 */ {get(u"48")},
        /* 29 */ {table(5)},
        /* 30 */ {get(u"4A")},
        /* 31 */ {table(1)},
        /* 32 */ {table(2)},
        /* 33 */ {table(3)},
        /* 34 */ {table(4)},
        /* 35 */ {table(8)},
        /* 36 */ {table(6)},
        /* 37 */ {table(11)},
        /* 38 */ {table(12)},
        /* 39 */ {get(u"52")},
        /* 40 */ {table(9)},
        /* 41 */ {get(u"30")},
        /* 42 */ {table(10)},
        /* 43 */ {get(u"58")},
        /* 44 */ {linkset::capabilityRequest},
        /* 45 */ {get(u"34")},
        /* 46 */ {get(u"33")},
        /* 47 */ {get(u"35")}, // "IP RIP"
        /* 48 */ {},
    };
    return table_;
}

} // namespace

QList<DeviceCommand> retrievalStepCommands(int step)
{
    QList<DeviceCommand> commands;
    if (step < 1 || step > kRetrievalSteps)
        return commands;
    for (const auto &read : steps()[std::size_t(step - 1)])
        commands << read();
    return commands;
}

} // namespace forms
