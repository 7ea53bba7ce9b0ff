#include "console_session.h"

namespace unitsim {

namespace {

constexpr int kMaxLoginFailures = 3;

} // namespace

ConsoleSession::ConsoleSession(FrontEnd frontEnd, CommandInterpreter &unit, Activity &activity,
                               const FaultSwitches &faults)
    : frontEnd_(frontEnd), unit_(unit), activity_(activity), faults_(faults),
      state_(frontEnd == FrontEnd::Serial ? State::Idle : State::Username)
{}

std::vector<SessionWrite> ConsoleSession::open()
{
    if (frontEnd_ == FrontEnd::Serial)
        return {};
    return {{"\r\n" + unit_.versionText() + " radio unit\r\n\r\nUsername: "}};
}

std::vector<SessionWrite> ConsoleSession::rebootFinished()
{
    logOut();
    return {{"\r\n" + unit_.versionText() + " radio unit started\r\n"}};
}

void ConsoleSession::logOut()
{
    state_ = frontEnd_ == FrontEnd::Serial ? State::Idle : State::Username;
    line_.clear();
    overflow_ = false;
    afterCarriageReturn_ = false;
    failures_ = 0;
    sessionCommands_ = 0;
}

std::string ConsoleSession::passwordPrompt() const
{
    return frontEnd_ == FrontEnd::Serial ? "Password:" : "Password: ";
}

std::vector<SessionWrite> ConsoleSession::receive(std::string_view bytes)
{
    std::vector<SessionWrite> out;
    // After a command line a line feed pairs with its carriage return only within one
    // arrival: the utility ends a command with a lone carriage return and sends its
    // keep-alive line feed much later, which must count as a line feed of its own. A
    // login answer may have its line end split across arrivals.
    if (!carriageReturnEndedLogin_)
        afterCarriageReturn_ = false;
    for (char c : bytes) {
        take(static_cast<unsigned char>(c), out);
        if (out.empty() || out.back().after == SessionWrite::After::Nothing)
            continue;
        // A serial console goes on in its logged-out state; a closing telnet session
        // or a rebooting unit takes nothing more.
        if (out.back().after == SessionWrite::After::EndSession && frontEnd_ == FrontEnd::Serial) {
            logOut();
            continue;
        }
        break;
    }
    return out;
}

bool ConsoleSession::echoes() const
{
    if (frontEnd_ == FrontEnd::Serial)
        return state_ == State::Command;
    return echo_ && (state_ == State::Username || state_ == State::Command);
}

// Writes the echo of one character, with the serial echo faults applied.
void ConsoleSession::echo(unsigned char byte, std::vector<SessionWrite> &out)
{
    std::string text = byte == '\r' ? std::string("\r\n") : std::string(1, static_cast<char>(byte));
    if (frontEnd_ == FrontEnd::Serial && state_ == State::Command) {
        const int number = ++activity_.serialCharacters;
        if (number == faults_.omitEchoAtSerialChar)
            return;
        if (number == faults_.wrongEchoAtSerialChar)
            text = byte == '?' ? "!" : "?";
    }
    out.push_back({std::move(text)});
}

void ConsoleSession::take(unsigned char byte, std::vector<SessionWrite> &out)
{
    const bool afterCarriageReturn = afterCarriageReturn_;
    afterCarriageReturn_ = false;
    // A line feed or NUL right after a carriage return belongs to that line end.
    if (afterCarriageReturn && (byte == '\n' || byte == '\0'))
        return;

    const bool loggingIn = state_ == State::Username || state_ == State::Password;
    if (byte == '\r' || (byte == '\n' && loggingIn)) {
        afterCarriageReturn_ = byte == '\r';
        carriageReturnEndedLogin_ = loggingIn;
        if (echoes())
            echo('\r', out); // either line end is echoed as a new line
        endLine(out);
        return;
    }
    if (byte == '\n') {
        // A bare line feed: the utility's keep-alive. Only a serial console echoes it.
        activity_.lines.push_back({frontEnd_, ReceivedLine::Kind::BareLineFeed, {}});
        if (frontEnd_ == FrontEnd::Serial && state_ == State::Command)
            echo(byte, out);
        return;
    }
    if (state_ == State::Idle)
        return;
    if (byte == '\b' || byte == 0x7F) {
        if (!line_.empty()) {
            line_.pop_back();
            if (echoes())
                out.push_back({"\b \b"});
        }
        return;
    }
    if (byte < 0x20)
        return; // other control characters are ignored
    if (line_.size() >= kMaxLineLength) {
        overflow_ = true;
        return;
    }
    line_ += static_cast<char>(byte);
    if (echoes())
        echo(byte, out);
}

void ConsoleSession::endLine(std::vector<SessionWrite> &out)
{
    switch (state_) {
    case State::Idle:
        state_ = State::Password;
        out.push_back({"\r\n" + passwordPrompt()});
        break;
    case State::Username: {
        // An echoing session has already moved to a new line with the echo.
        const std::string lineEnd = echoes() ? "" : "\r\n";
        user_ = line_;
        state_ = State::Password;
        out.push_back({lineEnd + passwordPrompt()});
        break;
    }
    case State::Password:
        checkPassword(out);
        break;
    case State::Command:
        runCommand(out);
        break;
    }
    line_.clear();
    overflow_ = false;
}

void ConsoleSession::checkPassword(std::vector<SessionWrite> &out)
{
    const bool accepted =
        frontEnd_ == FrontEnd::Serial ? unit_.acceptsPassword(line_) : unit_.acceptsLogin(user_, line_);
    if (accepted && !overflow_) {
        state_ = State::Command;
        failures_ = 0;
        out.push_back({"\r\n>"});
        return;
    }
    if (++failures_ >= kMaxLoginFailures) {
        out.push_back({"\r\nAccess denied.\r\n", false, SessionWrite::After::EndSession});
        return;
    }
    // One write, so that the utility answers the request once.
    out.push_back({"\r\nInvalid password.\r\n" + passwordPrompt()});
}

void ConsoleSession::runCommand(std::vector<SessionWrite> &out)
{
    activity_.lines.push_back({frontEnd_, ReceivedLine::Kind::CommandLine, line_});
    if (line_.empty()) {
        out.push_back({">", true});
        return;
    }
    const int number = ++activity_.commands;
    ++sessionCommands_;
    CommandResult result =
        overflow_ ? CommandResult{{"ERROR line too long"}} : unit_.execute(line_, frontEnd_);

    SessionWrite reply{{}, true};
    for (const std::string &line : result.lines)
        reply.bytes += line + "\r\n";
    if (result.prompt)
        reply.bytes += ">";
    if (number == faults_.dropReplyOfCommand)
        reply.bytes.clear();

    switch (result.effect) {
    case CommandResult::Effect::None:
        break;
    case CommandResult::Effect::EndSession:
        reply.after = SessionWrite::After::EndSession;
        break;
    case CommandResult::Effect::DropSession:
        if (frontEnd_ == FrontEnd::Telnet)
            reply.after = SessionWrite::After::EndSession;
        break;
    case CommandResult::Effect::Reboot:
        reply.after = SessionWrite::After::Reboot;
        break;
    }
    if (reply.after == SessionWrite::After::Nothing && sessionCommands_ == faults_.closeAfterCommands)
        reply.after = SessionWrite::After::EndSession;

    const bool unasked = number == faults_.unaskedAfterCommand && !faults_.unaskedText.empty() &&
                         reply.after == SessionWrite::After::Nothing;
    out.push_back(std::move(reply));
    if (unasked)
        out.push_back({faults_.unaskedText, true});
}

} // namespace unitsim
