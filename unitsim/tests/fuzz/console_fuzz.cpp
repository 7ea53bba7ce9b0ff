// Fuzz target: any bytes from a client, in arrivals of varying size, through the
// telnet protocol and the console (both front ends) and the interpreter. Nothing may
// crash, and what the unit sends back stays proportional to what it received.
#include "console_session.h"
#include "telnet_options.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace unitsim;
    if (size == 0)
        return 0;
    const std::size_t arrival = data[0] % 64 + 1;
    const std::string_view input(reinterpret_cast<const char *>(data) + 1, size - 1);

    UnitOptions options;
    // A routes list padded by a few lines: the padding runs, without a long list costing
    // every input that asks for it.
    options.bigListsBytes = 400;
    CommandInterpreter unit(options);
    Activity activity;
    const FaultSwitches faults;
    TelnetServerProtocol protocol;
    ConsoleSession telnet(FrontEnd::Telnet, unit, activity, faults);
    ConsoleSession serial(FrontEnd::Serial, unit, activity, faults);
    std::size_t sent = protocol.start().size();
    for (const auto &write : telnet.open())
        sent += write.bytes.size();

    for (std::size_t at = 0; at < input.size(); at += arrival) {
        const std::string_view chunk = input.substr(at, arrival);
        std::string consoleData;
        std::string answers;
        protocol.receive(chunk, consoleData, answers);
        telnet.setEcho(protocol.echoEnabled());
        sent += answers.size();
        for (const auto &write : telnet.receive(consoleData))
            sent += write.bytes.size();
        for (const auto &write : serial.receive(chunk))
            sent += write.bytes.size();
        // Each byte ends at most one line on each of the two consoles.
        if (activity.lines.size() > 2 * input.size())
            std::abort();
    }
    // A reply can be long (a list block), but never more than one per received byte.
    if (sent > 8192 + 4096 * input.size())
        std::abort();
    return 0;
}
