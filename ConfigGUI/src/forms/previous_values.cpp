#include "forms/previous_values.h"

#include <QSet>

namespace forms {

namespace {

// The add and remove codes of each list; a remote station's radio address (code 12 with the
// station's fields) belongs to the station.
constexpr QStringView kListCodes[][2] = {
    {u"1F", u"20"}, {u"23", u"24"}, {u"25", u"26"}, {u"21", u"22"}, {u"31", u"32"}};

// What an entry changes on the unit: a setting (its code), or one item of a list.
QString targetOf(const UpdateEntry &entry)
{
    const QStringView code = entry.code;
    if (code == u"50" || code == u"51" || (code == u"12" && entry.value.contains(QLatin1Char(' '))))
        return QStringLiteral("station ") + entry.value.section(QLatin1Char(' '), 0, 0);
    for (const auto &codes : kListCodes)
        if (code == codes[0] || code == codes[1])
            return codes[0].toString() + QLatin1Char(' ') + entry.value;
    return entry.code;
}

} // namespace

UpdateList previousValues(const UpdateList &update, const ConfigRecord &now, const ConfigRecord &backup)
{
    QSet<QString> written;
    for (const UpdateEntry &entry : update.entries)
        if (entry.code != QLatin1String("06"))
            written.insert(targetOf(entry));
    ConfigRecord restored = backup;
    restored.newPassword.clear();
    UpdateList restore;
    for (const UpdateEntry &entry : compareRecords(now, restored).entries)
        if (written.contains(targetOf(entry)))
            restore.entries << entry;
    return restore;
}

} // namespace forms
