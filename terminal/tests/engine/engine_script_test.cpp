// Runs the engine scripts in tests/engine/*.test: each pushes host bytes into a screen
// and checks what the screen then holds. One test per file; a failed check reports the
// file and line. The commands:
//
//   screen COLUMNS ROWS [none|ansi|vt100|vt220]   a new screen (the emulation defaults to ansi)
//   push "BYTES"            TermWrite; \e \r \n \t \b \\ \" \xHH escapes
//   pushsplit "BYTES"       the same bytes, one TermWrite per byte
//   setmode MASK on|off     TermSetMode
//   setcursor COLUMN ROW    TermSetCursor
//   setregion TOP BOTTOM ok|refused   TermSetRegion and its answer
//   setnumlock on|off       switch the keyboard's Num Lock
//   cursor ROW,COLUMN       expected cursor
//   row N "TEXT"            expected row text, trailing blanks ignored
//   text START MAX "TEXT"   expected TermGetText result
//   attr ROW,COLUMN MASK    expected cell attribute word (hex)
//   fore ROW,COLUMN RGB / back ROW,COLUMN RGB   expected explicit cell colours (0xRRGGBB)
//   pen MASK                expected current attribute word
//   mode MASK on|off        expected mode bits
//   numlock on|off          expected keyboard Num Lock toggle
#include "glyphterm/emulator.h"
#include "glyphterm/screen.h"
#include "keyboard_state.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace glyphterm;

namespace {

std::vector<std::string> scriptFiles()
{
    std::vector<std::string> files;
    for (const auto &entry : std::filesystem::directory_iterator(GLYPHTERM_ENGINE_SCRIPTS)) {
        if (entry.path().extension() == ".test")
            files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The quoted argument of a line, with its escapes decoded.
std::string quoted(const std::string &line)
{
    const auto open = line.find('"');
    const auto close = line.rfind('"');
    if (open == std::string::npos || close <= open)
        throw std::runtime_error("missing quoted text");
    std::string out;
    for (std::size_t i = open + 1; i < close; ++i) {
        if (line[i] != '\\') {
            out += line[i];
            continue;
        }
        const char e = line[++i];
        switch (e) {
        case 'e':
            out += '\033';
            break;
        case 'r':
            out += '\r';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'b':
            out += '\b';
            break;
        case 'x':
            out += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
            i += 2;
            break;
        default:
            out += e;
            break;
        }
    }
    return out;
}

std::uint32_t hex(const std::string &word)
{
    return static_cast<std::uint32_t>(std::stoul(word, nullptr, 16));
}

std::pair<int, int> rowColumn(const std::string &word)
{
    const auto comma = word.find(',');
    return {std::stoi(word.substr(0, comma)), std::stoi(word.substr(comma + 1))};
}

COLORREF fromRgb(std::uint32_t value)
{
    return rgb((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

int emulationNamed(const std::string &name)
{
    if (name == "none")
        return emNone;
    if (name == "vt100")
        return emVT100;
    if (name == "vt220")
        return emVT220;
    return emAnsi;
}

class ScriptRunner
{
public:
    explicit ScriptRunner(std::string file) : file_(std::move(file)) {}
    ~ScriptRunner() { TermDestroy(handle_); }

    void run()
    {
        std::ifstream in(std::string(GLYPHTERM_ENGINE_SCRIPTS) + "/" + file_);
        ASSERT_TRUE(in) << file_;
        std::string line;
        int checks = 0;
        keyboardState().setNumLock(true);
        while (std::getline(in, line)) {
            ++lineNumber_;
            if (line.empty() || line[0] == '#')
                continue;
            try {
                checks += step(line) ? 1 : 0;
            } catch (const std::exception &error) {
                ADD_FAILURE_AT(file_.c_str(), lineNumber_) << "cannot run '" << line << "': " << error.what();
            }
        }
        EXPECT_GT(checks, 0) << file_ << " checks nothing";
    }

private:
    void check(bool ok, const std::string &what, const std::string &got)
    {
        if (!ok)
            ADD_FAILURE_AT(file_.c_str(), lineNumber_) << "expected " << what << ", got " << got;
    }

    std::string rowText(int row)
    {
        int columns = 0;
        int rows = 0;
        TermGetSize(handle_, &columns, &rows);
        std::string text(static_cast<std::size_t>(columns) + 1, '\0');
        const int copied = TermGetText(handle_, row * columns, text.data(), columns);
        text.resize(static_cast<std::size_t>(copied));
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    }

    TermCell cell(const std::string &where)
    {
        const auto [row, column] = rowColumn(where);
        TermCell c{};
        if (!TermGetCell(handle_, column, row, &c))
            throw std::runtime_error("no such cell");
        return c;
    }

    // Runs one line; true when it was a check.
    bool step(const std::string &line)
    {
        std::istringstream words(line);
        std::string command;
        words >> command;
        if (command == "screen") {
            int columns = 0;
            int rows = 0;
            std::string emulation;
            words >> columns >> rows >> emulation;
            TermDestroy(handle_);
            handle_ = TermCreate(&window_, nullptr, emulationNamed(emulation), columns, rows);
            if (handle_ < 0)
                throw std::runtime_error("TermCreate failed");
            return false;
        }
        if (command == "push") {
            const std::string bytes = quoted(line);
            TermWrite(handle_, bytes.data(), bytes.size());
            return false;
        }
        if (command == "pushsplit") {
            for (const char byte : quoted(line))
                TermWrite(handle_, &byte, 1);
            return false;
        }
        std::string a;
        std::string b;
        std::string c;
        words >> a >> b >> c;
        if (command == "setmode") {
            TermSetMode(handle_, hex(a), b == "on");
            return false;
        }
        if (command == "setnumlock") {
            keyboardState().setNumLock(a == "on");
            return false;
        }
        if (command == "setcursor") {
            TermSetCursor(handle_, std::stoi(a), std::stoi(b));
            return false;
        }
        if (command == "setregion") {
            const int answer = TermSetRegion(handle_, std::stoi(a), std::stoi(b));
            check(answer == (c == "ok" ? 1 : 0), "region " + c, std::to_string(answer));
            return true;
        }
        if (command == "cursor") {
            int column = -1;
            int row = -1;
            TermGetCursor(handle_, &column, &row);
            const auto [wantRow, wantColumn] = rowColumn(a);
            check(row == wantRow && column == wantColumn, "cursor " + a,
                  std::to_string(row) + "," + std::to_string(column));
            return true;
        }
        if (command == "row") {
            const std::string got = rowText(std::stoi(a));
            check(got == quoted(line), "row \"" + quoted(line) + "\"", "\"" + got + "\"");
            return true;
        }
        if (command == "text") {
            const int maximum = std::stoi(b);
            std::string buffer(static_cast<std::size_t>(std::max(maximum, 0)) + 1, '\0');
            const int copied = TermGetText(handle_, std::stoi(a), buffer.data(), maximum);
            const std::string got = buffer.substr(0, static_cast<std::size_t>(copied));
            check(got == quoted(line) && buffer[copied] == '\0', "text \"" + quoted(line) + "\"",
                  "\"" + got + "\"");
            return true;
        }
        if (command == "attr") {
            const TermCell got = cell(a);
            check(got.attribute == hex(b), "attribute " + b, std::to_string(got.attribute));
            return true;
        }
        if (command == "fore" || command == "back") {
            const TermCell got = cell(a);
            const COLORREF colour = command == "fore" ? got.foreground : got.background;
            check(colour == fromRgb(hex(b)), command + " " + b, std::to_string(colour));
            return true;
        }
        if (command == "pen") {
            std::uint16_t attribute = 0;
            TermGetAttribute(handle_, &attribute);
            check(attribute == hex(a), "pen " + a, std::to_string(attribute));
            return true;
        }
        if (command == "mode") {
            std::uint32_t modes = 0;
            TermGetModes(handle_, &modes);
            const bool on = (modes & hex(a)) == hex(a);
            check(on == (b == "on"), "mode " + a + " " + b, std::to_string(modes));
            return true;
        }
        if (command == "numlock") {
            check(keyboardState().numLock() == (a == "on"), "numlock " + a, "the other state");
            return true;
        }
        throw std::runtime_error("unknown command " + command);
    }

    std::string file_;
    int lineNumber_ = 0;
    QWidget window_;
    int handle_ = -1;
};

class EngineScript : public ::testing::TestWithParam<std::string>
{
};

TEST_P(EngineScript, Holds)
{
    ScriptRunner(GetParam()).run();
}

INSTANTIATE_TEST_SUITE_P(Scripts, EngineScript, ::testing::ValuesIn(scriptFiles()),
                         [](const ::testing::TestParamInfo<std::string> &info) {
                             std::string name = info.param.substr(0, info.param.find('.'));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
