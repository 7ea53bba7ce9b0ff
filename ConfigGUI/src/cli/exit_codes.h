#pragma once
// The exit statuses of linkset, the same for every command.
namespace cli {

enum ExitCode : int
{
    Success = 0,
    FileFailure = 1,      // a file could not be read or written
    UsageError = 2,       // the command line cannot be used (unknown option, missing value, no password)
    ConnectionFailed = 3, // refused, dropped, or the unit stopped answering
    LoginRefused = 4,     // the unit answered "INVALID PASSWORD." or asked for the login again
    EntriesFailed = 5,    // an update ran and at least one entry ended in "Error"
};

// The table that `linkset --help` and every command's help end with.
inline constexpr char kExitStatusHelp[] =
    "Exit status:\n"
    "  0  success\n"
    "  1  a file could not be read or written\n"
    "  2  usage error (unknown option, missing value, no password)\n"
    "  3  connection failed: refused, dropped, or the unit stopped answering\n"
    "  4  login refused (\"INVALID PASSWORD.\" or the login asked again)\n"
    "  5  written, but at least one entry ended in \"Error\"\n";

} // namespace cli
