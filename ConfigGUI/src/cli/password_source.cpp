#include "cli/password_source.h"

#include <QFile>
#include <cstdio>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace cli {

namespace {

Password fromFile(const QString &path)
{
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return {std::nullopt, QStringLiteral("the password file %1 is not a readable file").arg(path)};
    // Group and others must have no access at all, as for a private key.
    if ((status.st_mode & (S_IRWXG | S_IRWXO)) != 0 || status.st_uid != ::getuid())
        return {
            std::nullopt,
            QStringLiteral("the password file %1 may be read by others; it must belong to you with mode 600 "
                           "or 400 (chmod 600 %1)")
                .arg(path)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt,
                QStringLiteral("the password file %1 cannot be read: %2").arg(path, file.errorString())};
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return {QString::fromLocal8Bit(line), {}};
}

// Asks on the terminal with echo switched off; the echo comes back whatever happens.
std::optional<QString> fromTerminal()
{
    termios saved{};
    if (::tcgetattr(STDIN_FILENO, &saved) != 0)
        return std::nullopt;
    termios quiet = saved;
    quiet.c_lflag &= ~tcflag_t(ECHO);
    // Echo goes off before the prompt appears, so that nothing typed after it is shown.
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    std::fputs("Password: ", stderr);
    std::fflush(stderr);
    char buffer[512];
    const bool read = std::fgets(buffer, sizeof buffer, stdin) != nullptr;
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fputs("\n", stderr);
    if (!read)
        return std::nullopt;
    QByteArray line(buffer);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromLocal8Bit(line);
}

} // namespace

Password readPassword(const QString &passwordFile)
{
    if (!passwordFile.isEmpty())
        return fromFile(passwordFile);
    if (qEnvironmentVariableIsSet("LINKSET_PASSWORD"))
        return {qEnvironmentVariable("LINKSET_PASSWORD"), {}};
    if (::isatty(STDIN_FILENO))
        return {fromTerminal(), {}};
    return {};
}

} // namespace cli
