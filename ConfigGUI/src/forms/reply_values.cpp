#include "forms/reply_values.h"

#include <QLocale>
#include <cmath>

namespace forms {

std::optional<int> wholeNumber(const QString &value)
{
    bool ok = false;
    const int number = value.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(number) : std::nullopt;
}

std::optional<double> decimalNumber(const QString &value)
{
    bool ok = false;
    const double number = QLocale::c().toDouble(value.trimmed(), &ok);
    return ok && std::isfinite(number) ? std::optional<double>(number) : std::nullopt;
}

} // namespace forms
