#pragma once
// The reply grammar: what a line of the unit's replies (or of a configuration file) means
// for the window. Parameter replies ("GET=1;" and code=value pairs) set controls; list
// blocks ("NAME=1;START", item lines, "NAME=1;END") fill list views and displays; status
// lines switch RIP. A line is recognised by its content alone; unknown lines are ignored.
//
// A value the window cannot take (not a number where one is needed, an option or list
// entry that does not exist) skips that one statement; the rest of the line is applied.
// A CommError from a routine called here is passed on.
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class frmTevoHadraConfig;

namespace forms {

// The fields of an item line: the text after its first "=", split at ";". A leading ";"
// gives an empty field; a trailing ";" gives none.
QStringList itemFields(QStringView line);

struct ParameterPair
{
    QString code; // upper-cased
    QString value;
    bool operator==(const ParameterPair &) const = default;
};
// The pairs of a parameter reply: after the first ";", parts split as fields; an empty part
// is skipped and a part without "=" ends the line.
QList<ParameterPair> parameterPairs(QStringView line);

// Applies one cleaned, non-empty line that passed the login tests.
void applyReplyLine(frmTevoHadraConfig &w, const QString &line);

} // namespace forms
