// Shapes and sizes of the list blocks, and the live data behind them.
#include "command_interpreter.h"
#include "list_blocks.h"

#include <gtest/gtest.h>

namespace unitsim {
namespace {

std::vector<std::string> fieldsAfterEquals(const std::string &line)
{
    std::vector<std::string> fields;
    std::string rest = line.substr(line.find('=') + 1);
    std::size_t start = 0;
    while (true) {
        const auto semicolon = rest.find(';', start);
        fields.push_back(rest.substr(start, semicolon - start));
        if (semicolon == std::string::npos)
            return fields;
        start = semicolon + 1;
    }
}

std::size_t bytesWithPrompt(const std::vector<std::string> &lines)
{
    std::size_t total = 1; // the prompt
    for (const auto &line : lines)
        total += line.size() + 2;
    return total;
}

// Fills every list to its limit with the longest values the unit accepts.
void fillToTheLimit(CommandInterpreter &unit)
{
    auto run = [&](const std::string &command) { return unit.execute(command, FrontEnd::Telnet).lines; };
    for (int i = 0; i < 20; ++i) {
        run("ip route add 255.255.255." + std::to_string(i) + " 255.255.255.255 255.255.255.255");
        run("Set 50=" + std::to_string(16300 + i));
        run("Set 12=" + std::to_string(16300 + i) + " 255.255.255.255 255.255.255.255");
    }
    run("Set 12=255.255.255.255");
    for (int i = 0; i < 5; ++i) {
        const std::string word(32, static_cast<char>('a' + i));
        run("Set 23=" + word + " write");
        run("Set 25=255.255.255.25" + std::to_string(i) + " " + word);
        run("ip dns server add 255.255.255.25" + std::to_string(i));
        run("Set 31=255.255.255.25" + std::to_string(i));
    }
}

TEST(ListBlocks, EveryBlockFitsOneReadEvenWhenFull)
{
    for (Model model : {Model::Hadra, Model::Tevo, Model::Qdv}) {
        UnitOptions options;
        options.model = model;
        CommandInterpreter unit(options);
        fillToTheLimit(unit);
        for (int table = 1; table <= 12; ++table) {
            // Counters grow with every reading; read often to reach long numbers.
            for (int reading = 0; reading < 200; ++reading)
                unit.execute("Table " + std::to_string(table), FrontEnd::Telnet);
            const auto lines = unit.execute("Table " + std::to_string(table), FrontEnd::Telnet).lines;
            EXPECT_LE(bytesWithPrompt(lines), 1024u) << "table " << table << " of " << profileFor(model).name;
        }
    }
}

TEST(ListBlocks, BigListsPadTheRoutesBlockToAboutTheRequestedSize)
{
    UnitOptions options;
    options.bigListsBytes = 5000;
    CommandInterpreter unit(options);
    const auto lines = unit.execute("Table 1", FrontEnd::Telnet).lines;
    const std::size_t bytes = bytesWithPrompt(lines);
    EXPECT_GE(bytes, 5000u);
    EXPECT_LT(bytes, 5100u);
    EXPECT_EQ(lines.front(), "IP ROUTE=1;START");
    EXPECT_EQ(lines.back(), "IP ROUTE=1;END");
    for (std::size_t i = 1; i + 1 < lines.size(); ++i)
        EXPECT_EQ(fieldsAfterEquals(lines[i]).size(), 4u) << lines[i];
    // Other blocks are not padded.
    EXPECT_LE(bytesWithPrompt(unit.execute("Table 9", FrontEnd::Telnet).lines), 1024u);
}

TEST(ListBlocks, InterfaceRowsHaveTheFieldsTheParserExpects)
{
    CommandInterpreter unit(UnitOptions{});
    const auto lines = unit.execute("Table 4", FrontEnd::Telnet).lines;
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines.front(), "IFSTATS=1;START");
    EXPECT_EQ(lines.back(), "IFSTATS=1;END");
    const auto radio = fieldsAfterEquals(lines[1]);
    const auto ethernet = fieldsAfterEquals(lines[2]);
    const auto loopback = fieldsAfterEquals(lines[3]);
    EXPECT_EQ(radio.size(), 18u);
    EXPECT_EQ(ethernet.size(), 17u);
    EXPECT_EQ(loopback.size(), 17u);
    EXPECT_EQ(radio[0], "Radio");
    EXPECT_EQ(ethernet[0], "Ethernet");
    EXPECT_EQ(loopback[0], "Loopback");
    // Statuses: fields 5 and 6 of the radio row, 4 and 5 of the others; 1 = up.
    EXPECT_EQ(radio[5], "1");
    EXPECT_EQ(radio[6], "1");
    EXPECT_EQ(ethernet[4], "1");
    EXPECT_EQ(ethernet[5], "1");

    unit.execute("Set 52=0", FrontEnd::Telnet);
    const auto radioOff = fieldsAfterEquals(unit.execute("Table 4", FrontEnd::Telnet).lines[1]);
    EXPECT_EQ(radioOff[5], "2");
    EXPECT_EQ(radioOff[6], "2");
}

unsigned long counter(CommandInterpreter &unit, const std::string &table, std::size_t row, std::size_t field)
{
    return std::stoul(fieldsAfterEquals(unit.execute(table, FrontEnd::Telnet).lines.at(row)).at(field));
}

TEST(LiveData, CountersGrowAndResetCommandsResetThem)
{
    CommandInterpreter unit(UnitOptions{});
    const auto expectGrowing = [&](const char *table, std::size_t row, std::size_t field, int readings) {
        unsigned long value = counter(unit, table, row, field);
        for (int reading = 0; reading < readings; ++reading) {
            const unsigned long next = counter(unit, table, row, field);
            EXPECT_GT(next, value) << table;
            value = next;
        }
    };
    // Ethernet input packets: 20 to 219 per reading.
    expectGrowing("Table 4", 2, 7, 10);
    EXPECT_EQ(unit.execute("Set 63= 1", FrontEnd::Telnet).lines, std::vector<std::string>{"OK"});
    EXPECT_LT(counter(unit, "Table 4", 2, 7), 220u);

    const unsigned long ipFirst = counter(unit, "Table 7", 1, 0);
    EXPECT_GT(counter(unit, "Table 7", 1, 0), ipFirst);
    EXPECT_EQ(fieldsAfterEquals(unit.execute("Table 7", FrontEnd::Telnet).lines[1]).size(), 17u);

    // Packets sent to a station: 100 to 499 per reading.
    expectGrowing("Table 8", 1, 1, 3);
    EXPECT_EQ(unit.execute("set 53 = 1", FrontEnd::Telnet).lines, std::vector<std::string>{"OK"});
    EXPECT_LT(counter(unit, "Table 8", 1, 1), 500u);
}

TEST(LiveData, PacketErrorRatesMatchTheirCounts)
{
    CommandInterpreter unit(UnitOptions{});
    for (int reading = 0; reading < 20; ++reading) {
        const auto lines = unit.execute("Table 8", FrontEnd::Telnet).lines;
        ASSERT_EQ(lines.size(), 5u); // three stations
        for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
            const auto f = fieldsAfterEquals(lines[i]);
            ASSERT_EQ(f.size(), 4u);
            const double expected = 100.0 * std::stod(f[2]) / std::stod(f[1]);
            EXPECT_NEAR(std::stod(f[3]), expected, 0.006) << lines[i];
            EXPECT_LE(std::stod(f[3]), 10.0);
        }
    }
}

TEST(LiveData, SignalStrengthWalksWithinRangeAndFollowsTheSeed)
{
    auto readings = [](std::uint32_t seed) {
        UnitOptions options;
        options.seed = seed;
        CommandInterpreter unit(options);
        std::vector<int> values;
        for (int i = 0; i < 2000; ++i) {
            const auto line = unit.execute("Radio RSSI", FrontEnd::Telnet).lines.at(0);
            EXPECT_EQ(line.rfind("RADIO RSSI=0;", 0), 0u) << line;
            values.push_back(std::stoi(line.substr(13)));
        }
        return values;
    };
    const auto a = readings(7);
    EXPECT_EQ(a, readings(7));
    EXPECT_NE(a, readings(8));
    int steps = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_GE(a[i], 0);
        EXPECT_LE(a[i], 65);
        if (i > 0) {
            EXPECT_LE(std::abs(a[i] - a[i - 1]), 3);
            steps += a[i] != a[i - 1];
        }
    }
    EXPECT_GT(steps, 1000); // it does move
}

} // namespace
} // namespace unitsim
