// Replays the command transcripts in data/: each "> command" line is executed by the
// interpreter and its reply must be exactly the lines that follow it.
#include "command_interpreter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace unitsim {
namespace {

struct Exchange
{
    int lineNumber;
    std::string command;
    std::vector<std::string> reply;
};

struct Transcript
{
    Model model = Model::Hadra;
    std::vector<Exchange> exchanges;
};

Transcript readTranscript(const std::filesystem::path &path)
{
    Transcript transcript;
    std::ifstream in(path);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        if (line.rfind("@model ", 0) == 0) {
            EXPECT_TRUE(modelFromName(line.substr(7), transcript.model)) << path << ":" << number;
        } else if (line.rfind("> ", 0) == 0 || line == ">") {
            transcript.exchanges.push_back({number, line.size() > 2 ? line.substr(2) : std::string(), {}});
        } else {
            EXPECT_FALSE(transcript.exchanges.empty())
                << path << ":" << number << " reply before any command";
            if (!transcript.exchanges.empty())
                transcript.exchanges.back().reply.push_back(line);
        }
    }
    return transcript;
}

class TranscriptTest : public testing::TestWithParam<std::string>
{
};

TEST_P(TranscriptTest, RepliesMatch)
{
    const std::filesystem::path path = std::filesystem::path(UNITSIM_TEST_DATA) / GetParam();
    const Transcript transcript = readTranscript(path);
    ASSERT_FALSE(transcript.exchanges.empty()) << path;
    UnitOptions options;
    options.model = transcript.model;
    CommandInterpreter unit(options);
    for (const Exchange &exchange : transcript.exchanges) {
        const CommandResult result = unit.execute(exchange.command, FrontEnd::Telnet);
        EXPECT_EQ(result.lines, exchange.reply)
            << GetParam() << ":" << exchange.lineNumber << " > " << exchange.command;
        EXPECT_TRUE(result.prompt) << GetParam() << ":" << exchange.lineNumber;
    }
}

std::vector<std::string> transcriptFiles()
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(UNITSIM_TEST_DATA)) {
        if (entry.path().extension() == ".transcript")
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Data, TranscriptTest, testing::ValuesIn(transcriptFiles()),
                         [](const testing::TestParamInfo<std::string> &info) {
                             std::string name = info.param.substr(0, info.param.find('.'));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
} // namespace unitsim
