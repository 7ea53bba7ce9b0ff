#include "config/command_text.h"

#include "config/command_error.h"

namespace linkset::command_text {

QString fromTable(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

const QString &singleLine(const QString &value, const QString &owner)
{
    if (value.contains(u'\r') || value.contains(u'\n'))
        throw CommandError(QStringLiteral("The value for %1 contains a line break, which the unit would "
                                          "take as the end of the command.")
                               .arg(owner)
                               .toStdString());
    return value;
}

} // namespace linkset::command_text
