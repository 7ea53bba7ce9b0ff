#pragma once
// The pending writes of an update as the operator reviews them before anything is sent: one
// row per UpdateList entry with the tab and name of its setting, the value retrieved from the
// unit and the value to write, grouped by tab. Window-free, so the command line prints the
// same list the review dialog shows.
#include "forms/config_record.h"
#include "forms/update_list.h"

#include <QList>
#include <QString>
#include <QStringView>

namespace forms {

struct ReviewRow
{
    QString tab;       // caption of the window tab the setting is on (e.g. "Ethernet/Radio")
    QString setting;   // the setting's name as the operator knows it (its label)
    QString retrieved; // the value retrieved from the unit; for a list: the removed item, or empty
    QString toWrite;   // the value to write; "(changed)" for the password, never its text;
                       // for a list: the added item, or empty when removed

    bool operator==(const ReviewRow &) const = default;
};

// Where a setting written by an update entry is shown in the window.
struct ReviewedSetting
{
    const char *tab;     // the tab's caption
    const char *setting; // the setting's label
    const char *control; // object name of the control that shows it
};

// The setting an entry with `code` and `value` writes, or nullptr for a code no update
// writes. Code 12 carries either the unit's own radio address or a remote station's
// addresses (the station's fields joined by blanks).
const ReviewedSetting *reviewedSetting(QStringView code, const QString &value);

// The captions of the window's tabs, in the window's order: the order of the review groups.
const QList<QString> &reviewTabs();

// One row per UpdateList entry, in the list's order, grouped by tab.
QList<ReviewRow> reviewRows(const UpdateList &list, const ConfigRecord &retrieved);

// How an empty value reads in the review: nothing set, or no such list item.
inline constexpr char kNoValue[] = "(none)";

// A row's value as the review shows it: kNoValue when empty.
QString reviewValue(const QString &value);

// The rows as plain text, grouped under the tab captions: what the CLI prints.
QString reviewText(const QList<ReviewRow> &rows);

} // namespace forms
