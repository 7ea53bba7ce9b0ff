// The running, saved and factory configurations, and the state file.
#include "command_interpreter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace unitsim {
namespace {

std::string run(CommandInterpreter &unit, const std::string &command, FrontEnd from = FrontEnd::Telnet)
{
    const auto lines = unit.execute(command, from).lines;
    return lines.empty() ? std::string() : lines.front();
}

class TemporaryFile
{
public:
    TemporaryFile()
        : path_(std::filesystem::temp_directory_path() /
                ("unitsim-state-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++)))
    {}
    ~TemporaryFile()
    {
        std::filesystem::remove(path_);
        std::filesystem::remove(path_.string() + ".tmp");
    }
    std::string path() const { return path_.string(); }

private:
    static inline int counter_ = 0;
    std::filesystem::path path_;
};

TEST(UnitState, RebootReturnsToTheSavedConfiguration)
{
    CommandInterpreter unit(UnitOptions{});
    run(unit, "Set 01=Saved Name");
    run(unit, "ip dns server add 192.0.2.99");
    EXPECT_EQ(run(unit, "Set 60= 1"), "OK");
    run(unit, "Set 01=Unsaved Name");
    run(unit, "ip dns server del 192.0.2.99");

    const CommandResult reboot = unit.execute("Set 62= 1", FrontEnd::Telnet);
    EXPECT_EQ(reboot.effect, CommandResult::Effect::Reboot);
    EXPECT_FALSE(reboot.prompt);
    EXPECT_TRUE(reboot.lines.empty());
    EXPECT_EQ(run(unit, "Get 01"), "GET=1;01=Saved Name");
    EXPECT_EQ(unit.execute("Table 9", FrontEnd::Telnet).lines.at(3), "DNS=192.0.2.99");
}

TEST(UnitState, FactoryDefaultsKeepTheCredentials)
{
    UnitOptions options;
    options.user = "oper";
    options.password = "first";
    CommandInterpreter unit(options);
    run(unit, "Set 01=Changed");
    run(unit, "Set 60= 1");
    run(unit, "Set 51=101");
    EXPECT_EQ(run(unit, "Set 06=second"), "OK");
    EXPECT_TRUE(unit.acceptsLogin("oper", "second"));
    EXPECT_FALSE(unit.acceptsLogin("oper", "first"));

    EXPECT_EQ(run(unit, "Set 61= 1"), "OK");
    EXPECT_EQ(run(unit, "Get 01"), "GET=1;01=Hadra Base");
    EXPECT_EQ(unit.execute("Table 5", FrontEnd::Telnet).lines.at(1), "STATIONS=101");
    EXPECT_TRUE(unit.acceptsLogin("oper", "second"));
    // Defaults are not saved until the unit is told to save.
    EXPECT_EQ(unit.saved().parameters.at("01"), "Changed");
}

TEST(UnitState, PasswordIsTakenAsWrittenAndMayBeEmpty)
{
    CommandInterpreter unit(UnitOptions{});
    EXPECT_EQ(run(unit, "Set 06= spaced "), "OK");
    EXPECT_TRUE(unit.acceptsPassword(" spaced "));
    EXPECT_EQ(run(unit, "Set 06="), "OK");
    EXPECT_TRUE(unit.acceptsPassword(""));
    EXPECT_EQ(run(unit, "Set 06=" + std::string(33, 'p')), "ERROR value too long");
    EXPECT_EQ(run(unit, "Set 06=a\tb"), "ERROR control character in value");
}

TEST(UnitState, EthernetAddressCommandDropsOnlyATelnetSession)
{
    CommandInterpreter unit(UnitOptions{});
    const CommandResult overTelnet =
        unit.execute("ip address ethernet 192.168.5.5 255.255.0.0", FrontEnd::Telnet);
    EXPECT_EQ(overTelnet.effect, CommandResult::Effect::DropSession);
    EXPECT_FALSE(overTelnet.prompt);
    EXPECT_EQ(run(unit, "Get 10"), "GET=1;10=192.168.5.5");
    EXPECT_EQ(run(unit, "Get 11"), "GET=1;11=255.255.0.0");

    const CommandResult overSerial = unit.execute("ip address ethernet 192.168.6.6 24", FrontEnd::Serial);
    EXPECT_EQ(overSerial.effect, CommandResult::Effect::None);
    EXPECT_EQ(overSerial.lines, std::vector<std::string>{"OK"});
    EXPECT_EQ(run(unit, "ip address ethernet 192.168.6.6"), "ERROR expected address and netmask");
    // "Set 10=" changes the address and keeps the session.
    EXPECT_EQ(unit.execute("Set 10=192.168.7.7", FrontEnd::Telnet).effect, CommandResult::Effect::None);
}

TEST(UnitState, RefusedWriteKeepsTheOldValue)
{
    UnitOptions options;
    options.faults.refuseWritesOfCode = "43";
    CommandInterpreter unit(options);
    EXPECT_EQ(run(unit, "radio channel 3"), "ERROR write refused");
    EXPECT_EQ(run(unit, "Set 43=3"), "ERROR write refused");
    EXPECT_EQ(run(unit, "Get 43"), "GET=1;43=6");
    EXPECT_EQ(run(unit, "Set 44=20"), "OK");
}

TEST(StateFile, SavedConfigurationSurvivesARestartOfTheSimulator)
{
    TemporaryFile file;
    UnitOptions options;
    options.model = Model::Tevo;
    options.stateFile = file.path();
    {
        CommandInterpreter unit(options);
        run(unit, "Set 01=Kept Across Runs");
        run(unit, "ip route add 10.20.0.0 16 10.0.0.1");
        run(unit, "Set 23=night write");
        run(unit, "Set 06=new secret");
        run(unit, "Set 03=Not Saved");
        EXPECT_EQ(run(unit, "Set 60= 1"), "OK");
        run(unit, "Set 03=Changed After Save");
    }
    CommandInterpreter unit(options);
    EXPECT_EQ(run(unit, "Get 01"), "GET=1;01=Kept Across Runs");
    EXPECT_EQ(run(unit, "Get 03"), "GET=1;03=Not Saved");
    EXPECT_EQ(unit.running(), unit.saved());
    EXPECT_TRUE(unit.acceptsPassword("new secret"));
    const auto routes = unit.execute("Table 1", FrontEnd::Telnet).lines;
    EXPECT_NE(std::find(routes.begin(), routes.end(), "IP ROUTE=10.20.0.0;16;10.0.0.1;Static"), routes.end());
    const auto communities = unit.execute("Table 2", FrontEnd::Telnet).lines;
    EXPECT_NE(std::find(communities.begin(), communities.end(), "SNMP COMMUNITY=night;write"),
              communities.end());
}

TEST(StateFile, FileOfAnotherModelOrMalformedIsRefused)
{
    TemporaryFile file;
    UnitOptions options;
    options.stateFile = file.path();
    {
        CommandInterpreter hadra(options);
        EXPECT_EQ(run(hadra, "Set 60= 1"), "OK");
    }
    options.model = Model::Qdv;
    EXPECT_THROW(CommandInterpreter{options}, std::invalid_argument);

    std::ofstream(file.path()) << "linkset-unitsim state 1\nmodel qdv\nroute 1.2.3.4\n";
    EXPECT_THROW(CommandInterpreter{options}, std::invalid_argument);
    std::ofstream(file.path()) << "something else\n";
    EXPECT_THROW(CommandInterpreter{options}, std::invalid_argument);
}

TEST(StateFile, UnwritableFileIsReportedAsAFailedSave)
{
    UnitOptions options;
    options.stateFile = "/nonexistent-folder/unit.state";
    CommandInterpreter unit(options);
    EXPECT_EQ(run(unit, "Set 60= 1"), "ERROR storage failure");
}

} // namespace
} // namespace unitsim
