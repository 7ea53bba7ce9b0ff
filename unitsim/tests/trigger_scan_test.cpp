// Everything the unit can send is scanned for the words the utility's reply parser
// reacts to. Only the lines meant to carry one may contain it: parameter replies,
// list-block lines, the RIP status, the capability and signal-strength lines, the
// login prompts; the prompt ">" ends a reply and appears nowhere else.
#include "console_session.h"
#include "trigger_words.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace unitsim {
namespace {

// Written out here rather than shared with the unit, so that a word missing from the
// unit's own list is caught.
const std::vector<std::string> kParserWords = {"USERNAME", "PASSWORD",    "SESSION ALREADY", "GET=1;",
                                               "ROUTE=",   "SNMP TRAP=",  "SNMP COMMUNITY=", "IFSTATS=",
                                               "IPSTATS=", "STATIONS=",   "RADIOIP=",        "PER=",
                                               "DNS=",     "DHCP RELAY=", "CAPABILITY=",     "RADIO RSSI=",
                                               "RIP:",     "RIP ENABLED", "RIP DISABLED",    ">"};

const std::vector<std::string> kBlockNames = {"IP ROUTE", "SNMP TRAP", "SNMP COMMUNITY", "IFSTATS",
                                              "IPSTATS",  "STATIONS",  "RADIOIP",        "PER",
                                              "DNS",      "DHCP RELAY"};

// The parser words a line may carry; empty for error lines, acknowledgements, banners.
std::vector<std::string> allowedWords(const std::string &line)
{
    const std::string u = toUpper(line);
    for (const char *start : {"GET=1;", "CAPABILITY=", "RADIO RSSI="}) {
        if (u.rfind(start, 0) == 0)
            return {start};
    }
    for (const std::string &name : kBlockNames) {
        if (u.rfind(name + "=", 0) == 0)
            return {name == "IP ROUTE" ? "ROUTE=" : name + "="};
    }
    if (u == "RIP ENABLED" || u == "RIP DISABLED")
        return {u};
    if (u == "USERNAME: ")
        return {"USERNAME"};
    if (u == "PASSWORD:" || u == "PASSWORD: " || u == "INVALID PASSWORD.")
        return {"PASSWORD"};
    return {};
}

class Scanner
{
public:
    // Checks one write of the unit; `command` is what it answers (empty for banners).
    void scanWrite(const std::string &bytes, const std::string &command)
    {
        ++writes_;
        std::string text = bytes;
        if (!text.empty() && text.back() == '>')
            text.pop_back(); // the prompt that ends a reply
        std::size_t start = 0;
        while (start <= text.size()) {
            const auto end = text.find("\r\n", start);
            const std::string line =
                text.substr(start, end == std::string::npos ? std::string::npos : end - start);
            scanLine(line, command);
            if (end == std::string::npos)
                break;
            start = end + 2;
        }
    }
    int writes() const { return writes_; }

private:
    void scanLine(const std::string &line, const std::string &command)
    {
        const auto allowed = allowedWords(line);
        const std::string u = toUpper(line);
        for (const std::string &word : kParserWords) {
            if (u.find(word) != std::string::npos) {
                EXPECT_NE(std::find(allowed.begin(), allowed.end(), word), allowed.end())
                    << "\"" << line << "\" carries " << word << " in answer to \"" << command << "\"";
            }
        }
        if (allowed.empty() && command.size() >= 4) {
            EXPECT_EQ(u.find(toUpper(command)), std::string::npos)
                << "\"" << line << "\" quotes \"" << command << "\"";
        }
    }
    int writes_ = 0;
};

std::vector<std::string> everyCommand()
{
    std::vector<std::string> commands;
    // Numbers, words and text to refuse, then addresses and list entries.
    std::vector<std::string> values = {"",   "1",   "0",    "2",   "65",  "99999", "abc",
                                       "24", "105", "read", "x;y", "a>b", "1.2.3", "Username"};
    values.insert(values.end(),
                  {"Tower 9", "192.168.1.77", "255.255.0.0", "1.2.3.4 5", "10.1.0.0 16 10.0.0.7", "ops write",
                   "192.168.1.40 ops", "102 10.0.0.1 10.0.0.77"});
    const char digits[] = "0123456789ABCDEF";
    for (char high : std::string(digits)) {
        for (char low : std::string(digits)) {
            const std::string code{high, low};
            commands.push_back("Get " + code);
            for (const std::string &value : values) {
                // The reboot is scanned separately; the password stays as it is.
                if (code != "62" && code != "06")
                    commands.push_back("Set " + code + "=" + value);
            }
        }
    }
    for (const std::string &value : values) {
        for (const char *word : {"radio channel ", "ip route add ", "ip route del ", "ip dns server add ",
                                 "ip dns server del ", "ip address ethernet "})
            commands.push_back(word + value);
    }
    for (int table = 0; table <= 13; ++table)
        commands.push_back("Table " + std::to_string(table));
    for (const char *other :
         {"mode bridge", "mode route", "IP RIP",       "IP RIP Enable",   "IP RIP",     "IP RIP Disable",
          "IP RIP",      "arp flush",  "Capability",   "Radio RSSI",      "set 53 = 1", "Set 63= 1",
          "Set 61= 1",   "Set 60= 1",  "Set 06=radio", "Table",           "Get",        "Set",
          "mode",        "password",   "username",     "session already", "rip: yes",   "xyzzy",
          "Exit"})
        commands.push_back(other);
    return commands;
}

TEST(TriggerScan, NothingTheUnitSendsCarriesAParserWordOutsideItsLine)
{
    Scanner scanner;
    for (Model model : {Model::Hadra, Model::Tevo, Model::Qdv}) {
        for (FrontEnd frontEnd : {FrontEnd::Telnet, FrontEnd::Serial}) {
            UnitOptions options;
            options.model = model;
            options.bigListsBytes = model == Model::Qdv ? 3000 : 0;
            CommandInterpreter unit(options);
            Activity activity;
            FaultSwitches faults;
            ConsoleSession session(frontEnd, unit, activity, faults);
            session.setEcho(false);
            auto send = [&](const std::string &bytes, const std::string &command) {
                for (const SessionWrite &write : session.receive(bytes)) {
                    if (write.isReply || command.empty())
                        scanner.scanWrite(write.bytes, command);
                }
            };
            for (const SessionWrite &write : session.open())
                scanner.scanWrite(write.bytes, "");
            // Wrong logins, then the right one.
            const std::string user = frontEnd == FrontEnd::Telnet ? "admin\n" : "\r";
            for (int attempt = 0; attempt < 3; ++attempt) {
                send(user, "");
                send("nope\n", "");
            }
            send(user, "");
            send("radio\n", "");
            ASSERT_TRUE(session.loggedIn());
            for (const std::string &command : everyCommand()) {
                if (!session.loggedIn()) { // after "Exit" or an address change
                    send(user, "");
                    send("radio\n", "");
                }
                send(command + "\r", command);
            }
            send(std::string(kMaxLineLength + 10, 'z') + "\r", "");
            session.logOut();
            for (const SessionWrite &write : session.rebootFinished())
                scanner.scanWrite(write.bytes, "");
        }
    }
    EXPECT_GT(scanner.writes(), 10000);
}

TEST(TriggerScan, ScannerFindsMisplacedWords)
{
    // The scanner itself must catch what it is there to catch.
    Scanner scanner;
    const std::vector<std::string> bad = {"ERROR password too short", "OK>\r\n", "ERROR no route=here",
                                          "GET=1;01=x;DNS=1.2.3.4"};
    for (const std::string &line : bad) {
        ::testing::TestPartResultArray failures;
        {
            ::testing::ScopedFakeTestPartResultReporter reporter(
                ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
            scanner.scanWrite(line + "\r\n>", "Get 01");
        }
        EXPECT_GT(failures.size(), 0) << line;
    }
}

} // namespace
} // namespace unitsim
