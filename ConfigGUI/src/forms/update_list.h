#pragma once
// The UpdateList: every setting in which the operator's configuration (the current record)
// differs from the one last retrieved from the unit, as the writes that bring the unit in
// line, in the order they must be made, each with the message the progress window shows.
#include "forms/config_record.h"

#include <QList>
#include <QString>
#include <QStringView>

namespace forms {

struct UpdateEntry
{
    QString message; // what the progress window shows while the entry is written
    QString code;    // the parameter code the write uses
    QString value;   // the value written

    bool operator==(const UpdateEntry &) const = default;
};

struct UpdateList
{
    QList<UpdateEntry> entries;
    // The unit's own radio address changed while a remote station of the list has no radio
    // address: the operator is asked to configure the station first.
    bool stationWithoutRadioAddress = false;
};

// Compares the two records setting by setting and list by list. Scalar settings give one
// entry when their text differs; lists give a removal for every retrieved item the current
// list no longer holds, then an addition for every current item that is new.
UpdateList compareRecords(const ConfigRecord &retrieved, const ConfigRecord &current);

// Whether the unit, as `record` shows it after the write, holds what `entry` wrote: a
// setting shows the value, an added item is in its list, a removed one is not. The new
// password cannot be read back and always counts as written.
bool entryValidated(const UpdateEntry &entry, const ConfigRecord &record);

// The value the password entry writes for a pending new password: "None" means no password.
QString passwordValue(const QString &newPassword);

} // namespace forms
