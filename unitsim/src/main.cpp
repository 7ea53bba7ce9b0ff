// linkset-unitsim: runs a simulated radio unit until interrupted.
#include "program_options.h"

#include <csignal>
#include <exception>
#include <iostream>

int main(int argc, char **argv)
{
    const unitsim::ProgramOptions options =
        unitsim::parseProgramOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (options.help) {
        std::cout << unitsim::programUsage();
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
    } catch (const std::exception &error) {
        std::cerr << "linkset-unitsim: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
