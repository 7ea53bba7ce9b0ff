// linkset-unitsim as a program: its ready lines, both front ends at once, its exit.
#include "test_clients.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <memory>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace unitsim {
namespace {

using namespace std::chrono_literals;
using testing::RawTelnetClient;
using testing::SerialClient;

// A pipe from the program, read with the clients' bounded reads.
class PipeReader : public testing::ByteClient
{
public:
    explicit PipeReader(int fd) { fd_ = fd; }
    ~PipeReader() override { ::close(fd_); }
    const std::string &unread() const { return text_; }
};

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
        out_ = std::make_unique<PipeReader>(out[0]);
        err_ = std::make_unique<PipeReader>(err[0]);
    }
    ~Program()
    {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    // One line of standard output, waited for with a bound; empty on time-out or end.
    std::string readLine(std::chrono::milliseconds timeout = 10s)
    {
        std::string line = out_->readUntil("\n", timeout);
        if (!line.empty())
            line.pop_back();
        return line;
    }

    // Waits (bounded) for the program to end; returns its exit status, -1 on time-out.
    int waitForExit(std::chrono::milliseconds timeout = 10s)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        out_->waitForClose(timeout);
        err_->waitForClose(timeout);
        int status = 0;
        // Output closed but the process may not have been reaped yet: give it the rest of the time.
        while (::waitpid(pid_, &status, WNOHANG) != pid_ && std::chrono::steady_clock::now() < deadline)
            ::poll(nullptr, 0, 10);
        exited_ = WIFEXITED(status) || WIFSIGNALED(status);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void terminate() { ::kill(pid_, SIGTERM); }
    const std::string &output() const { return out_->unread(); }
    const std::string &errors() const { return err_->unread(); }

private:
    pid_t pid_ = -1;
    bool exited_ = false;
    std::unique_ptr<PipeReader> out_;
    std::unique_ptr<PipeReader> err_;
};

// The port of a "telnet 127.0.0.1:PORT" ready line; 0 for any other line.
std::uint16_t readyPort(const std::string &line)
{
    const std::string prefix = "telnet 127.0.0.1:";
    if (line.rfind(prefix, 0) != 0)
        return 0;
    const std::string port = line.substr(prefix.size());
    if (port.empty() || port.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return static_cast<std::uint16_t>(std::stoi(port));
}

TEST(Program, ServesTelnetAndSerialAtOnce)
{
    Program program({"--telnet", "127.0.0.1:0", "--pty", "--model", "tevo"});
    const std::string telnetLine = program.readLine();
    const std::string serialLine = program.readLine();
    const std::uint16_t port = readyPort(telnetLine);
    ASSERT_NE(port, 0) << telnetLine;
    ASSERT_EQ(serialLine.rfind("serial /dev/", 0), 0u) << serialLine;
    ASSERT_EQ(serialLine.find(' ', 7), std::string::npos) << serialLine;

    RawTelnetClient first(port);
    ASSERT_TRUE(first.login());

    SerialClient console(serialLine.substr(7));
    ASSERT_TRUE(console.login());
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
        ASSERT_NE(readyPort(ready), 0) << ready;
        RawTelnetClient client(readyPort(ready));
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

    // One command line the parser refuses, one the unit refuses.
    for (const std::vector<std::string> &bad :
         {std::vector<std::string>{"--frobnicate"}, std::vector<std::string>{"--version-text", "a>b"}}) {
        Program program(bad);
        const int status = program.waitForExit();
        EXPECT_TRUE(status == 1 || status == 2) << bad.front() << " gave " << status;
        EXPECT_NE(program.errors().find("linkset-unitsim: "), std::string::npos) << program.errors();
    }
}

} // namespace
} // namespace unitsim
