#include "unitsim/simulated_unit.h"

#include "command_interpreter.h"
#include "serial_front_end.h"
#include "telnet_front_end.h"
#include "trigger_words.h"
#include "value_checks.h"

#include <algorithm>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace unitsim {

namespace {

void checkOptions(const UnitOptions &options)
{
    if (!options.versionText.empty()) {
        if (auto reason = refuseText(options.versionText, 63))
            throw std::invalid_argument("version text refused: " + *reason);
    }
    if (auto reason = refuseWord(options.user, 32))
        throw std::invalid_argument("user name refused: " + *reason);
    if (hasControlCharacter(options.password))
        throw std::invalid_argument("password refused: control character");
}

} // namespace

struct SimulatedUnit::Impl
{
    explicit Impl(UnitOptions o) : options((checkOptions(o), std::move(o))), unit(options) {}

    void run();
    void wake() const
    {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFds[1], &byte, 1);
    }
    std::vector<FrontEndBase *> frontEnds() const
    {
        std::vector<FrontEndBase *> all;
        if (telnet)
            all.push_back(telnet.get());
        if (serial)
            all.push_back(serial.get());
        return all;
    }

    UnitOptions options;
    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    CommandInterpreter unit;
    Activity activity;
    std::unique_ptr<TelnetFrontEnd> telnet;
    std::unique_ptr<SerialFrontEnd> serial;
    bool rebooting = false;
    Clock::time_point rebootDone;
    bool stopping = false;
    int wakeFds[2] = {-1, -1};
    std::thread thread;
};

void SimulatedUnit::Impl::run()
{
    std::unique_lock lock(mutex);
    // The front ends are opened before the thread starts and closed after it ends.
    const std::vector<FrontEndBase *> all = frontEnds();
    std::vector<pollfd> fds;
    std::vector<std::size_t> firstFd;
    while (!stopping) {
        auto now = Clock::now();
        if (rebooting && now >= rebootDone) {
            rebooting = false;
            for (FrontEndBase *frontEnd : all)
                frontEnd->rebootFinished(now);
            changed.notify_all();
        }

        // Sleep until something arrives or the next delayed write or reboot is due.
        Clock::time_point deadline = rebooting ? rebootDone : Clock::time_point::max();
        fds.assign(1, pollfd{wakeFds[0], POLLIN, 0});
        firstFd.clear();
        for (FrontEndBase *frontEnd : all) {
            firstFd.push_back(fds.size());
            frontEnd->addPollFds(fds, now);
            const auto next = frontEnd->nextDeadline();
            // Writes already due and still waiting are woken by POLLOUT instead.
            if (next && *next > now && *next < deadline)
                deadline = *next;
        }
        int timeout = -1;
        if (deadline != Clock::time_point::max()) {
            const auto wait = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
            timeout = static_cast<int>(std::clamp<long long>(wait, 0, 60000));
        }
        lock.unlock();
        ::poll(fds.data(), fds.size(), timeout);
        lock.lock();

        if (fds[0].revents & POLLIN) {
            char drain[64];
            while (::read(wakeFds[0], drain, sizeof drain) > 0) {
            }
        }
        now = Clock::now();
        bool reboot = false;
        for (std::size_t i = 0; i < all.size(); ++i)
            reboot = all[i]->handle(&fds[firstFd[i]], now) || reboot;
        if (reboot && !rebooting) {
            rebooting = true;
            rebootDone = now + options.rebootDelay;
            for (FrontEndBase *frontEnd : all)
                frontEnd->rebootStarted();
        }
        changed.notify_all();
    }
}

SimulatedUnit::SimulatedUnit(UnitOptions options) : impl_(std::make_unique<Impl>(std::move(options))) {}

SimulatedUnit::~SimulatedUnit()
{
    stop();
}

void SimulatedUnit::start()
{
    Impl &d = *impl_;
    std::lock_guard lock(d.mutex);
    if (d.thread.joinable())
        return;
    const UnitContext context{d.unit, d.activity, d.options.faults};
    if (d.options.telnet) {
        d.telnet = std::make_unique<TelnetFrontEnd>(context);
        d.telnet->open(d.options.telnetHost, d.options.telnetPort);
    }
    if (d.options.pty) {
        d.serial = std::make_unique<SerialFrontEnd>(context);
        d.serial->open();
    }
    if (::pipe2(d.wakeFds, O_NONBLOCK | O_CLOEXEC) != 0)
        throw std::runtime_error("cannot create the wake-up pipe");
    d.stopping = false;
    d.thread = std::thread([&d] { d.run(); });
}

void SimulatedUnit::stop()
{
    Impl &d = *impl_;
    {
        std::lock_guard lock(d.mutex);
        if (!d.thread.joinable())
            return;
        d.stopping = true;
    }
    d.wake();
    d.thread.join();
    std::lock_guard lock(d.mutex);
    d.telnet.reset();
    d.serial.reset();
    for (int &fd : d.wakeFds) {
        ::close(fd);
        fd = -1;
    }
    d.changed.notify_all();
}

bool SimulatedUnit::isRunning() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->thread.joinable() && !impl_->stopping;
}

std::uint16_t SimulatedUnit::telnetPort() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->telnet ? impl_->telnet->port() : 0;
}

std::string SimulatedUnit::ptySlavePath() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->serial ? impl_->serial->slavePath() : std::string();
}

std::string SimulatedUnit::terminalType() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->telnet ? impl_->telnet->terminalType() : std::string();
}

std::vector<ReceivedLine> SimulatedUnit::receivedLines() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->activity.lines;
}

bool SimulatedUnit::waitForReceivedLines(std::size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(impl_->mutex);
    return impl_->changed.wait_for(lock, timeout, [&] { return impl_->activity.lines.size() >= count; });
}

bool SimulatedUnit::waitUntilServing(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(impl_->mutex);
    return impl_->changed.wait_for(lock, timeout, [&] { return !impl_->rebooting; });
}

bool SimulatedUnit::sendUnasked(FrontEnd frontEnd, std::string bytes)
{
    Impl &d = *impl_;
    bool sent = false;
    {
        std::lock_guard lock(d.mutex);
        if (!d.thread.joinable() || d.rebooting)
            return false;
        FrontEndBase *target =
            frontEnd == FrontEnd::Telnet ? static_cast<FrontEndBase *>(d.telnet.get()) : d.serial.get();
        sent = target && target->sendUnasked(std::move(bytes), Clock::now());
    }
    d.wake();
    return sent;
}

std::optional<std::string> SimulatedUnit::parameter(std::string_view code) const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->unit.parameterValue(toUpper(code));
}

} // namespace unitsim
