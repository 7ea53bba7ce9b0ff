// linkset-unitsim as a program: its ready lines, both front ends at once, its exit.
#include "test_clients.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace unitsim {
namespace {

using namespace std::chrono_literals;
using testing::RawTelnetClient;
using testing::SerialClient;

class Program
{
public:
    explicit Program(std::vector<std::string> arguments)
    {
        int out[2];
        int err[2];
        if (::pipe(out) != 0 || ::pipe(err) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], 1);
            ::dup2(err[1], 2);
            std::vector<char *> argv{const_cast<char *>(UNITSIM_PROGRAM)};
            for (auto &a : arguments)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(UNITSIM_PROGRAM, argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        ::close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }
    ~Program()
    {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(out_);
        ::close(err_);
    }

    // One line of standard output, waited for with a bound; empty on time-out or end.
    std::string readLine(std::chrono::milliseconds timeout = 10s)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (outText_.find('\n') == std::string::npos) {
            if (!readSome(out_, outText_, deadline))
                return {};
        }
        const auto end = outText_.find('\n');
        std::string line = outText_.substr(0, end);
        outText_.erase(0, end + 1);
        return line;
    }

    // Waits (bounded) for the program to end; returns its exit status, -1 on time-out.
    int waitForExit(std::chrono::milliseconds timeout = 10s)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (readSome(out_, outText_, deadline)) {
        }
        while (readSome(err_, errText_, deadline)) {
        }
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) != pid_) {
            // Output closed but the process has not been reaped yet: give it the rest of the time.
            while (std::chrono::steady_clock::now() < deadline && ::waitpid(pid_, &status, WNOHANG) != pid_)
                ::poll(nullptr, 0, 10);
        }
        exited_ = WIFEXITED(status) || WIFSIGNALED(status);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void terminate() { ::kill(pid_, SIGTERM); }
    const std::string &output() const { return outText_; }
    const std::string &errors() const { return errText_; }

private:
    static bool readSome(int fd, std::string &text, std::chrono::steady_clock::time_point deadline)
    {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            return false;
        char buffer[4096];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        text.append(buffer, static_cast<std::size_t>(n));
        return true;
    }

    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
    bool exited_ = false;
    std::string outText_;
    std::string errText_;
};

TEST(Program, ServesTelnetAndSerialAtOnce)
{
    Program program({"--telnet", "127.0.0.1:0", "--pty", "--model", "tevo"});
    const std::string telnetLine = program.readLine();
    const std::string serialLine = program.readLine();
    const std::string telnetPrefix = "telnet 127.0.0.1:";
    ASSERT_EQ(telnetLine.rfind(telnetPrefix, 0), 0u) << telnetLine;
    const std::string portText = telnetLine.substr(telnetPrefix.size());
    ASSERT_TRUE(!portText.empty() && portText.find_first_not_of("0123456789") == std::string::npos)
        << telnetLine;
    ASSERT_EQ(serialLine.rfind("serial /dev/", 0), 0u) << serialLine;
    ASSERT_EQ(serialLine.find(' ', 7), std::string::npos) << serialLine;
    const auto port = static_cast<std::uint16_t>(std::stoi(portText));
    const std::string slavePath = serialLine.substr(7);

    RawTelnetClient first(port);
    ASSERT_TRUE(first.login());
    RawTelnetClient second(port);
    EXPECT_EQ(second.readUntil("\r\n"), "Session already in progress.\r\n");

    SerialClient console(slavePath);
    console.write("\r");
    ASSERT_FALSE(console.readUntil("Password:").empty());
    console.write("radio\n");
    ASSERT_FALSE(console.readUntil(">").empty());
    console.write("Get 04\r");
    EXPECT_EQ(console.readUntil(">"), "Get 04\r\nGET=1;04=Tevo v2.4\r\n>");
    EXPECT_EQ(first.command("Get 04"), "Get 04\r\nGET=1;04=Tevo v2.4\r\n>");

    program.terminate();
    EXPECT_EQ(program.waitForExit(), 0);
    EXPECT_TRUE(first.waitForClose());
}

TEST(Program, KeepsTheSavedConfigurationInItsStateFile)
{
    const std::string state =
        (std::filesystem::temp_directory_path() / ("unitsim-program-" + std::to_string(::getpid()))).string();
    std::filesystem::remove(state);
    for (int run = 0; run < 2; ++run) {
        Program program({"--telnet=127.0.0.1:0", "--state", state, "--user", "oper", "--password", "pw 1"});
        const std::string ready = program.readLine();
        ASSERT_EQ(ready.rfind("telnet 127.0.0.1:", 0), 0u) << ready;
        RawTelnetClient client(static_cast<std::uint16_t>(std::stoi(ready.substr(17))));
        ASSERT_TRUE(client.login("oper", "pw 1"));
        if (run == 0) {
            client.command("Set 03=Hill Top");
            client.command("Set 60= 1");
        } else {
            EXPECT_EQ(client.command("Get 03"), "Get 03\r\nGET=1;03=Hill Top\r\n>");
        }
        program.terminate();
        EXPECT_EQ(program.waitForExit(), 0);
    }
    std::filesystem::remove(state);
}

TEST(Program, HelpAndRefusedCommandLines)
{
    Program help({"--help"});
    EXPECT_EQ(help.waitForExit(), 0);
    EXPECT_NE(help.output().find("--big-lists BYTES"), std::string::npos);

    for (const std::vector<std::string> &bad : {std::vector<std::string>{"--model", "other"},
                                                {"--telnet", "127.0.0.1:70000"},
                                                {"--seed"},
                                                {"--frobnicate"},
                                                {"--version-text", "a>b"}}) {
        Program program(bad);
        const int status = program.waitForExit();
        EXPECT_TRUE(status == 1 || status == 2) << bad.front() << " gave " << status;
        EXPECT_NE(program.errors().find("linkset-unitsim: "), std::string::npos) << program.errors();
    }
}

} // namespace
} // namespace unitsim
