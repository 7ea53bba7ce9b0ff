#include "cli/command_line.h"

#include "cli/exit_codes.h"

#include <QCommandLineParser>

namespace cli {

namespace {

const char kOverview[] =
    "Usage: linkset [--demo]\n"
    "       linkset retrieve (--telnet HOST[:PORT] | --serial DEVICE [--baud N]) --user NAME --output FILE\n"
    "       linkset apply FILE (--telnet HOST[:PORT] | --serial DEVICE [--baud N]) --user NAME [--dry-run]\n"
    "       linkset diff FILE_A FILE_B\n"
    "\n"
    "Without a command, opens the window that configures and monitors one radio unit over\n"
    "telnet or a serial port. The commands run without a window, for scripts:\n"
    "  retrieve  read the unit's configuration into a configuration file\n"
    "  apply     write what FILE changes to the unit, validate it, and report every entry\n"
    "  diff      print the entries an apply of FILE_B over FILE_A would write\n"
    "`linkset COMMAND --help` describes a command.\n"
    "\n"
    "The password is never taken from the command line: it comes from the environment\n"
    "variable LINKSET_PASSWORD, from --password-file (readable by its owner only), or\n"
    "from a prompt without echo when a terminal is attached.\n";

// -h and --help; the parser's own help option would add --help-all, about Qt's options,
// which this program does not take.
QCommandLineOption addHelp(QCommandLineParser &parser)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Print this text and exit."));
    parser.addOption(help);
    return help;
}

QString usageOf(Command command)
{
    switch (command) {
    case Command::Retrieve:
        return QStringLiteral("Usage: linkset retrieve (--telnet HOST[:PORT] | --serial DEVICE [--baud N]) "
                              "--user NAME --output FILE\n"
                              "Reads the unit's configuration and saves it as a configuration file.\n");
    case Command::Apply:
        return QStringLiteral(
            "Usage: linkset apply FILE (--telnet HOST[:PORT] | --serial DEVICE [--baud N]) "
            "--user NAME [--dry-run]\n"
            "Retrieves the unit's configuration, prints the entries in which FILE differs,\n"
            "writes them, validates each against what the unit then reports, and prints\n"
            "every entry's state. --dry-run stops after printing the entries.\n");
    case Command::Diff:
        return QStringLiteral("Usage: linkset diff FILE_A FILE_B\n"
                              "Prints the entries an apply of FILE_B over a unit configured as FILE_A would "
                              "write.\n");
    case Command::Window:
        break;
    }
    return QLatin1String(kOverview);
}

// The help of a command: its usage, the options as the parser lists them (without the
// parser's own usage line) and the exit statuses.
QString commandHelp(Command command, const QCommandLineParser &parser)
{
    const QString options = parser.helpText().section(QLatin1Char('\n'), 1);
    return usageOf(command) + options + QLatin1Char('\n') + QLatin1String(kExitStatusHelp);
}

void addConnectionOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {QStringLiteral("telnet"), QStringLiteral("Connect by telnet to HOST (port 23, or PORT)."),
         QStringLiteral("HOST[:PORT]")},
        {QStringLiteral("serial"), QStringLiteral("Connect through the serial DEVICE."),
         QStringLiteral("DEVICE")},
        {QStringLiteral("baud"), QStringLiteral("Serial speed in bits per second."), QStringLiteral("N")},
        {QStringLiteral("user"),
         QStringLiteral("Login name (telnet; a serial console asks only for the password)."),
         QStringLiteral("NAME")},
        {QStringLiteral("password-file"),
         QStringLiteral("Read the password from the first line of FILE, which only its owner may read."),
         QStringLiteral("FILE")},
    });
}

// HOST or HOST:PORT; false when the port is not a number from 1 to 65535.
bool readTelnetAddress(const QString &text, UnitAddress &unit)
{
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    unit.telnetHost = colon < 0 ? text : text.left(colon);
    if (colon >= 0) {
        bool numeric = false;
        const uint port = text.mid(colon + 1).toUInt(&numeric);
        if (!numeric || port < 1 || port > 65535)
            return false;
        unit.telnetPort = quint16(port);
    }
    return !unit.telnetHost.isEmpty();
}

// The options that say where the unit is and who logs in; an error text when they do not fit.
QString readConnection(const QCommandLineParser &parser, Invocation &invocation)
{
    const bool telnet = parser.isSet(QStringLiteral("telnet"));
    const bool serial = parser.isSet(QStringLiteral("serial"));
    if (telnet == serial)
        return QStringLiteral("give either --telnet HOST[:PORT] or --serial DEVICE");
    UnitAddress &unit = invocation.unit;
    if (telnet && !readTelnetAddress(parser.value(QStringLiteral("telnet")), unit))
        return QStringLiteral("--telnet needs HOST or HOST:PORT with a port from 1 to 65535");
    if (serial)
        unit.serialDevice = parser.value(QStringLiteral("serial"));
    if (parser.isSet(QStringLiteral("baud"))) {
        bool numeric = false;
        unit.baud = parser.value(QStringLiteral("baud")).toInt(&numeric);
        if (!serial)
            return QStringLiteral("--baud goes with --serial");
        if (!numeric || unit.baud <= 0)
            return QStringLiteral("--baud needs a positive number");
    }
    invocation.user = parser.value(QStringLiteral("user"));
    if (telnet && invocation.user.isEmpty())
        return QStringLiteral("--user NAME is needed for a telnet login");
    invocation.passwordFile = parser.value(QStringLiteral("password-file"));
    return {};
}

// Why an option the parser does not know was refused; the password gets its own answer.
QString unknownOptionError(const QCommandLineParser &parser)
{
    if (parser.unknownOptionNames().contains(QStringLiteral("password")))
        return QStringLiteral("the password is never taken from the command line (other users see it in "
                              "the process list); use LINKSET_PASSWORD or --password-file");
    return parser.errorText();
}

Invocation parseCommand(Command command, const QStringList &arguments)
{
    Invocation invocation;
    invocation.command = command;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = addHelp(parser);
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print the result as one JSON object on standard output."));
    parser.addOption(json);
    int fileCount = 0;
    if (command == Command::Retrieve) {
        addConnectionOptions(parser);
        parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                          QStringLiteral("Save the configuration in FILE."),
                          QStringLiteral("FILE")});
    } else if (command == Command::Apply) {
        addConnectionOptions(parser);
        parser.addOption({QStringLiteral("dry-run"), QStringLiteral("Print the entries and write nothing.")});
        parser.addPositionalArgument(QStringLiteral("FILE"),
                                     QStringLiteral("The configuration file to write."));
        fileCount = 1;
    } else {
        parser.addPositionalArgument(QStringLiteral("FILE_A"),
                                     QStringLiteral("The configuration compared with."));
        parser.addPositionalArgument(QStringLiteral("FILE_B"),
                                     QStringLiteral("The configuration that would be written."));
        fileCount = 2;
    }

    // The parser's first argument is the program's name; the command is not an argument.
    if (!parser.parse(QStringList{QStringLiteral("linkset")} + arguments)) {
        invocation.usageError = unknownOptionError(parser);
        return invocation;
    }
    if (parser.isSet(help)) {
        invocation.text = commandHelp(command, parser);
        return invocation;
    }
    invocation.json = parser.isSet(json);
    invocation.files = parser.positionalArguments();
    if (invocation.files.size() != fileCount) {
        invocation.usageError = fileCount == 1   ? QStringLiteral("apply needs one FILE")
                                : fileCount == 2 ? QStringLiteral("diff needs FILE_A and FILE_B")
                                                 : QStringLiteral("retrieve takes no FILE; use --output");
        return invocation;
    }
    if (command == Command::Diff)
        return invocation;
    invocation.usageError = readConnection(parser, invocation);
    if (command == Command::Retrieve) {
        invocation.output = parser.value(QStringLiteral("output"));
        if (invocation.usageError.isEmpty() && invocation.output.isEmpty())
            invocation.usageError = QStringLiteral("retrieve needs --output FILE");
    } else {
        invocation.dryRun = parser.isSet(QStringLiteral("dry-run"));
    }
    return invocation;
}

Invocation parseWindowOptions(const QStringList &arguments)
{
    Invocation invocation;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = addHelp(parser);
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Print the version and exit."));
    parser.addOption(version);
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("Start a simulated unit inside the program and offer it in the "
                       "telnet dialog and as serial port Com1."));
    parser.addOption(demo);
    if (!parser.parse(QStringList{QStringLiteral("linkset")} + arguments)) {
        invocation.usageError = unknownOptionError(parser);
    } else if (parser.isSet(help)) {
        const QString options = parser.helpText().section(QLatin1Char('\n'), 1);
        invocation.text =
            QLatin1String(kOverview) + options + QLatin1Char('\n') + QLatin1String(kExitStatusHelp);
    } else if (parser.isSet(version)) {
        invocation.text = QStringLiteral("linkset " LINKSET_VERSION "\n");
    } else if (!parser.positionalArguments().isEmpty()) {
        invocation.usageError =
            QStringLiteral("unknown command %1").arg(parser.positionalArguments().first());
    }
    invocation.demo = parser.isSet(demo);
    return invocation;
}

} // namespace

Invocation parseCommandLine(const QStringList &arguments)
{
    static const QList<std::pair<QString, Command>> commands = {
        {QStringLiteral("retrieve"), Command::Retrieve},
        {QStringLiteral("apply"), Command::Apply},
        {QStringLiteral("diff"), Command::Diff},
    };
    for (const auto &[name, command] : commands) {
        if (!arguments.isEmpty() && arguments.first() == name)
            return parseCommand(command, arguments.mid(1));
    }
    return parseWindowOptions(arguments);
}

} // namespace cli
