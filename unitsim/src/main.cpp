// linkset-unitsim: runs a simulated radio unit until interrupted.
#include "program_options.h"

#include <csignal>
#include <exception>
#include <fstream>
#include <iostream>

namespace {

// The command lines the unit received, one a line (bare line feeds left out).
bool writeCommandLog(const unitsim::SimulatedUnit &unit, const std::string &path)
{
    std::ofstream log(path, std::ios::trunc);
    for (const unitsim::ReceivedLine &line : unit.receivedLines()) {
        if (line.kind == unitsim::ReceivedLine::Kind::CommandLine)
            log << line.text << "\n";
    }
    log.close();
    return !log.fail();
}

} // namespace

int main(int argc, char **argv)
{
    const unitsim::ProgramOptions options =
        unitsim::parseProgramOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (options.help) {
        std::cout << unitsim::programUsage();
        return 0;
    }
    if (options.version) {
        std::cout << "linkset-unitsim " LINKSET_VERSION "\n";
        return 0;
    }
    if (!options.error.empty()) {
        std::cerr << "linkset-unitsim: " << options.error << "\n"
                  << "Try --help.\n";
        return 2;
    }

    // The signals are taken by sigwait below, never delivered to a handler.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    try {
        unitsim::SimulatedUnit unit(options.unit);
        unit.start();
        if (options.unit.telnet)
            std::cout << "telnet " << options.unit.telnetHost << ":" << unit.telnetPort() << "\n";
        if (options.unit.pty)
            std::cout << "serial " << unit.ptySlavePath() << "\n";
        std::cout.flush();
        int received = 0;
        sigwait(&signals, &received);
        unit.stop();
        if (!options.commandLog.empty() && !writeCommandLog(unit, options.commandLog)) {
            std::cerr << "linkset-unitsim: cannot write " << options.commandLog << "\n";
            return 1;
        }
    } catch (const std::exception &error) {
        std::cerr << "linkset-unitsim: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
