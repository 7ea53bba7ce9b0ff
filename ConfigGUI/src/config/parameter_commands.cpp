#include "config/parameter_commands.h"

#include "config/command_error.h"
#include "config/command_text.h"
#include "config/parameter_table.h"

namespace linkset {
namespace {

using command_text::fromTable;

QString describe(const ParameterRow &row)
{
    return QStringLiteral("parameter %1 (%2)").arg(fromTable(row.code), fromTable(row.meaning));
}

[[noreturn]] void refuse(const QString &message)
{
    throw CommandError(message.toStdString());
}

int wholeNumber(const ParameterRow &row, const QString &value)
{
    bool ok = false;
    const int number = value.trimmed().toInt(&ok, 10);
    if (!ok)
        refuse(QStringLiteral("The value \"%1\" for %2 is not a whole number.").arg(value, describe(row)));
    return number;
}

QString writeText(const ParameterRow &row, const QString &value)
{
    switch (row.writeForm) {
    case WriteForm::None:
        break;
    case WriteForm::Prefix:
        return fromTable(row.writeText) + command_text::singleLine(value, describe(row));
    case WriteForm::IntegerChoice:
        return fromTable(wholeNumber(row, value) == row.choiceValue ? row.writeText : row.otherText);
    case WriteForm::Fixed:
        if (!value.isEmpty())
            refuse(QStringLiteral("%1 is a fixed command and takes no value.").arg(describe(row)));
        return fromTable(row.writeText);
    }
    refuse(QStringLiteral("%1 cannot be written.").arg(describe(row)));
}

} // namespace

DeviceCommand parameterCommand(QStringView code, bool setFlag, const QString &value)
{
    const ParameterRow *row = findParameter(code);
    if (row == nullptr)
        refuse(QStringLiteral("There is no parameter with the code \"%1\".").arg(code));

    DeviceCommand command{.text = QString(),
                          .telnet = row->telnet,
                          .serial = row->serial,
                          .serialNotice = fromTable(row->serialNotice)};
    if (setFlag) {
        command.text = writeText(*row, value);
    } else {
        if (row->readText.empty())
            refuse(QStringLiteral("%1 cannot be read.").arg(describe(*row)));
        command.text = fromTable(row->readText);
    }
    return command;
}

DeviceCommand firstRetrievalRead()
{
    DeviceCommand command = parameterCommand(u"01", false);
    command.serial.seconds = 5.0;
    command.serial.skipPromptWait = true;
    return command;
}

} // namespace linkset
