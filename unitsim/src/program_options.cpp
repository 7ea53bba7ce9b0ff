#include "program_options.h"

#include "model_profile.h"
#include "trigger_words.h"
#include "value_checks.h"

#include <QCommandLineParser>
#include <functional>

namespace unitsim {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string programUsage()
{
    return "Usage: linkset-unitsim [options]\n"
           "A simulated radio unit for testing and demonstrating the Linkset utility.\n"
           "\n"
           "Front ends (without either, --telnet 127.0.0.1:0):\n"
           "  --telnet HOST:PORT      serve telnet there; port 0 takes any free port\n"
           "  --pty                   serve a serial console on a pseudo-terminal\n"
           "When ready, one line per front end is printed: \"telnet HOST:PORT\", \"serial PATH\".\n"
           "\n"
           "The unit:\n"
           "  --model hadra|tevo|qdv  base station, subscriber or generic unit (default hadra)\n"
           "  --version-text TEXT     model and software version reported by parameter 04\n"
           "  --user NAME             login name (default admin)\n"
           "  --password TEXT         login password (default radio)\n"
           "  --seed N                seed of the live data (default 1)\n"
           "  --state FILE            keep the saved configuration in FILE across runs\n"
           "  --big-lists BYTES       pad the routes block to about BYTES bytes\n"
           "  --reboot-delay MS       how long a reboot keeps the unit silent (default 3000)\n"
           "\n"
           "Fault switches (N counts from 1):\n"
           "  --reply-delay MS        delay every reply and its prompt\n"
           "  --drop-reply N          send no reply and no prompt for the Nth command\n"
           "  --wrong-echo N          echo a wrong character for the Nth serial character\n"
           "  --omit-echo N           do not echo the Nth serial character\n"
           "  --close-after N         end each session after its Nth command\n"
           "  --refuse-writes CODE    refuse every write of parameter CODE\n"
           "  --unasked N:TEXT        send TEXT unasked after the reply to the Nth command\n"
           "                          (\\r \\n \\t \\\\ and \\xHH stand for those bytes)\n"
           "\n"
           "Transcript:\n"
           "  --log-commands FILE     when the unit ends, write every command line it received\n"
           "                          to FILE, one a line\n"
           "\n"
           "  --version               show the version\n"
           "  --help                  show this text\n";
}

std::string unescapeText(const std::string &text, bool &ok)
{
    ok = true;
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            bytes += text[i];
            continue;
        }
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        ++i;
        if (next == 'r')
            bytes += '\r';
        else if (next == 'n')
            bytes += '\n';
        else if (next == 't')
            bytes += '\t';
        else if (next == '\\')
            bytes += '\\';
        else if (next == 'x' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
                 hexDigit(text[i + 2]) >= 0) {
            bytes += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            ok = false;
            return {};
        }
    }
    return bytes;
}

ProgramOptions parseProgramOptions(const std::vector<std::string> &arguments)
{
    ProgramOptions result;
    UnitOptions &unit = result.unit;

    const auto number = [&](const std::string &text, long high, auto &target) {
        const auto value = parseNumber(text, 0, high);
        if (!value)
            return false;
        target = static_cast<std::remove_reference_t<decltype(target)>>(*value);
        return true;
    };
    using Handler = std::function<bool(const std::string &)>;
    const auto text = [](std::string &target) -> Handler {
        return [&target](const std::string &v) {
            target = v;
            return true;
        };
    };
    const auto count = [&](int &target) -> Handler {
        return [&number, &target](const std::string &v) { return number(v, 999999999, target); };
    };
    // In the order they are applied; the help text lists them by purpose (programUsage).
    const std::vector<std::pair<std::string, Handler>> withValue = {
        {"model", [&](const std::string &v) { return modelFromName(v, unit.model); }},
        {"version-text", text(unit.versionText)},
        {"user", text(unit.user)},
        {"password", text(unit.password)},
        {"seed", [&](const std::string &v) { return number(v, 999999999, unit.seed); }},
        {"state",
         [&](const std::string &v) {
             unit.stateFile = v;
             return !v.empty();
         }},
        {"big-lists", [&](const std::string &v) { return number(v, 10'000'000, unit.bigListsBytes); }},
        {"reboot-delay",
         [&](const std::string &v) {
             long ms = 0;
             const bool ok = number(v, 3'600'000, ms);
             unit.rebootDelay = std::chrono::milliseconds(ms);
             return ok;
         }},
        {"reply-delay", [&](const std::string &v) { return number(v, 600'000, unit.faults.replyDelayMs); }},
        {"drop-reply", count(unit.faults.dropReplyOfCommand)},
        {"wrong-echo", count(unit.faults.wrongEchoAtSerialChar)},
        {"omit-echo", count(unit.faults.omitEchoAtSerialChar)},
        {"close-after", count(unit.faults.closeAfterCommands)},
        {"refuse-writes",
         [&](const std::string &v) {
             unit.faults.refuseWritesOfCode = toUpper(v);
             return v.size() == 2;
         }},
        {"unasked",
         [&](const std::string &v) {
             const auto colon = v.find(':');
             bool ok = colon != std::string::npos &&
                       number(v.substr(0, colon), 999999999, unit.faults.unaskedAfterCommand);
             unit.faults.unaskedText = ok ? unescapeText(v.substr(colon + 1), ok) : std::string();
             return ok;
         }},
        {"telnet",
         [&](const std::string &v) {
             const auto colon = v.rfind(':');
             if (colon == std::string::npos || colon == 0)
                 return false;
             unit.telnetHost = v.substr(0, colon);
             return number(v.substr(colon + 1), 65535, unit.telnetPort);
         }},
        {"log-commands",
         [&](const std::string &v) {
             result.commandLog = v;
             return !v.empty();
         }},
    };

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // The help text is programUsage's; the parser only recognises the options.
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({help, version});
    const QCommandLineOption pty(QStringLiteral("pty"));
    parser.addOption(pty);
    for (const auto &[name, handler] : withValue)
        parser.addOption(
            QCommandLineOption(QString::fromStdString(name), QString(), QStringLiteral("value")));

    // The parser's first argument is the program's name.
    QStringList list{QStringLiteral("linkset-unitsim")};
    for (const std::string &argument : arguments)
        list << QString::fromStdString(argument);
    if (!parser.parse(list)) {
        result.error = parser.errorText().toStdString();
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.error = "unexpected argument " + parser.positionalArguments().first().toStdString();
        return result;
    }
    result.help = parser.isSet(help);
    result.version = parser.isSet(version);
    unit.pty = parser.isSet(pty);
    for (const auto &[name, handler] : withValue) {
        const QString option = QString::fromStdString(name);
        if (!parser.isSet(option))
            continue;
        const std::string value = parser.value(option).toStdString();
        if (!handler(value)) {
            result.error = "invalid value for --" + name + ": " + value;
            return result;
        }
    }
    unit.telnet = parser.isSet(QStringLiteral("telnet")) || !unit.pty;
    return result;
}

} // namespace unitsim
