#pragma once
// Where a run without a window takes the unit's password from: the environment variable
// LINKSET_PASSWORD, a file only its owner can read, or a prompt without echo on the
// terminal. Never from the command line, which every user of the machine can read.
#include <QString>
#include <optional>

namespace cli {

struct Password
{
    std::optional<QString> text; // none when no source gave one
    QString error;               // why the password file was refused; empty otherwise
};

// The password file when one is named; else LINKSET_PASSWORD when it is set (even empty:
// a unit may have no password); else the terminal's answer when standard input is one.
Password readPassword(const QString &passwordFile);

} // namespace cli
