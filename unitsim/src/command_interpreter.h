// The unit's command language: one command line in, the reply lines out. Holds the
// running, saved and factory configurations and the live data.
#pragma once

#include "live_data.h"
#include "model_profile.h"
#include "unit_config.h"
#include "unitsim/simulated_unit.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace unitsim {

struct CommandResult
{
    enum class Effect
    {
        None,
        EndSession,  // "Exit": a telnet session closes, a serial console logs out
        DropSession, // the Ethernet address changed under a telnet session
        Reboot
    };
    std::vector<std::string> lines; // each sent with CR LF
    bool prompt = true;             // the prompt follows the lines
    Effect effect = Effect::None;
};

class CommandInterpreter
{
public:
    // Loads the saved configuration from options.stateFile when it exists; throws
    // std::invalid_argument when it cannot be read.
    explicit CommandInterpreter(const UnitOptions &options);

    CommandResult execute(std::string_view line, FrontEnd from);

    bool acceptsLogin(std::string_view user, std::string_view password) const;
    bool acceptsPassword(std::string_view password) const;

    // The unit comes back from a reboot: saved configuration, fresh live data.
    void restart();

    std::optional<std::string> parameterValue(std::string_view code) const;
    const std::string &versionText() const { return versionText_; }
    const UnitConfig &running() const { return running_; }
    const UnitConfig &saved() const { return saved_; }

private:
    CommandResult get(std::string_view code);
    CommandResult set(const std::string &code, std::string_view rawValue);
    CommandResult setScalar(const std::string &code, const std::string &value);
    CommandResult listWrite(const std::string &code, const std::string &value);
    CommandResult action(const std::string &code, std::string_view value);
    CommandResult changeEthernetAddress(std::string_view value, FrontEnd from);
    CommandResult ripStatus();
    CommandResult capability();
    CommandResult signalStrength();
    CommandResult table(std::string_view number);
    bool lacks(const std::string &code) const;
    std::optional<std::string> refuseStation(const std::string &value);

    const ModelProfile &profile_;
    UnitOptions options_;
    std::string versionText_;
    UnitConfig factory_;
    UnitConfig saved_;
    UnitConfig running_;
    LiveData live_;
};

} // namespace unitsim
