#include "test_clients.h"

#include <algorithm>
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace unitsim::testing {

namespace {

constexpr unsigned char IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250, SE = 240;
constexpr unsigned char kEcho = 1, kSga = 3, kTtype = 24;

std::chrono::milliseconds left(std::chrono::steady_clock::time_point deadline)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
}

} // namespace

ByteClient::~ByteClient() = default;

void ByteClient::write(const std::string &bytes)
{
    tryWrite(bytes);
}

bool ByteClient::tryWrite(const std::string &bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = isSocket_ ? ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL)
                                    : ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool ByteClient::readOnce(std::chrono::milliseconds timeout)
{
    if (closed_)
        return false;
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(std::max<long long>(timeout.count(), 0))) <= 0)
        return false;
    char buffer[4096];
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n <= 0) {
        closed_ = true;
        return false;
    }
    received(std::string(buffer, static_cast<std::size_t>(n)));
    return true;
}

std::string ByteClient::readUntil(const std::string &wanted, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (text_.find(wanted) == std::string::npos) {
        if (closed_ || left(deadline).count() <= 0)
            return {};
        readOnce(left(deadline));
    }
    const auto end = text_.find(wanted) + wanted.size();
    std::string result = text_.substr(0, end);
    text_.erase(0, end);
    return result;
}

std::string ByteClient::readFor(std::chrono::milliseconds time)
{
    waitForClose(time);
    std::string result;
    result.swap(text_);
    return result;
}

bool ByteClient::waitForClose(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!closed_ && left(deadline).count() > 0)
        readOnce(left(deadline));
    return closed_;
}

RawTelnetClient::RawTelnetClient(std::uint16_t port, std::string terminalType, int receiveBuffer)
    : terminalType_(std::move(terminalType))
{
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    isSocket_ = true;
    if (receiveBuffer > 0)
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd_);
        fd_ = -1;
        closed_ = true;
    }
}

RawTelnetClient::~RawTelnetClient()
{
    close();
}

void RawTelnetClient::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    closed_ = true;
}

void RawTelnetClient::received(const std::string &bytes)
{
    const std::string input = pending_ + bytes;
    pending_.clear();
    std::string answer;
    for (std::size_t i = 0; i < input.size(); ++i) {
        const auto byte = static_cast<unsigned char>(input[i]);
        if (byte != IAC) {
            text_ += input[i];
            continue;
        }
        if (i + 1 >= input.size()) {
            pending_ = input.substr(i);
            break;
        }
        const auto verb = static_cast<unsigned char>(input[i + 1]);
        if (verb == IAC) {
            text_ += input[i];
            ++i;
            continue;
        }
        if (verb >= WILL) {
            if (i + 2 >= input.size()) {
                pending_ = input.substr(i);
                break;
            }
            const auto option = static_cast<unsigned char>(input[i + 2]);
            ++negotiationCommands_;
            if (verb == WILL)
                answer += {char(IAC), char(option == kEcho || option == kSga ? DO : DONT), char(option)};
            else if (verb == DO)
                answer += {char(IAC), char(option == kTtype ? WILL : WONT), char(option)};
            i += 2;
            continue;
        }
        if (verb == SB) {
            const auto end = input.find(std::string{char(IAC), char(SE)}, i);
            if (end == std::string::npos) {
                pending_ = input.substr(i);
                break;
            }
            ++negotiationCommands_;
            answer += std::string{char(IAC), char(SB), char(kTtype), 0} + terminalType_ +
                      std::string{char(IAC), char(SE)};
            i = end + 1;
            continue;
        }
        ++i; // a two-byte command
    }
    if (!answer.empty() && !terminalType_.empty())
        write(answer);
}

bool RawTelnetClient::login(const std::string &user, const std::string &password)
{
    if (readUntil("Username: ").empty())
        return false;
    write(user + "\n");
    if (readUntil("Password: ").empty())
        return false;
    write(password + "\n");
    return !readUntil(">").empty();
}

std::string RawTelnetClient::command(const std::string &line)
{
    write(line + "\r");
    return readUntil(">");
}

SerialClient::SerialClient(const std::string &slavePath)
{
    fd_ = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0)
        throw std::runtime_error("cannot open " + slavePath);
    termios raw{};
    ::tcgetattr(fd_, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(fd_, TCSANOW, &raw);
}

SerialClient::~SerialClient()
{
    ::close(fd_);
}

bool SerialClient::login(const std::string &password)
{
    write("\r");
    if (readUntil("Password:").empty())
        return false;
    write(password + "\n");
    return !readUntil(">").empty();
}

} // namespace unitsim::testing
