#pragma once
// Reads CSV text back into rows, strictly: quoted fields with doubled quotes, CR LF line ends.
// A bare LF or CR outside quotes, or text after a closing quote, fails the read (nothing).
#include <QByteArray>
#include <QList>
#include <QStringList>
#include <optional>

inline std::optional<QList<QStringList>> readCsv(const QByteArray &bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> rows;
    QStringList row;
    QString field;
    qsizetype i = 0;
    while (i < text.size()) {
        const bool quoted = text[i] == QLatin1Char('"');
        if (quoted) {
            for (++i;; ++i) {
                if (i >= text.size())
                    return std::nullopt; // unterminated quote
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                        field += QLatin1Char('"');
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i];
            }
        }
        while (i < text.size() && text[i] != QLatin1Char(',') && text[i] != QLatin1Char('\r')) {
            if (quoted || text[i] == QLatin1Char('\n') || text[i] == QLatin1Char('"'))
                return std::nullopt;
            field += text[i++];
        }
        if (i >= text.size())
            return std::nullopt; // the last line has no CR LF
        row << field;
        field.clear();
        if (text[i] == QLatin1Char(',')) {
            ++i;
            continue;
        }
        if (i + 1 >= text.size() || text[i + 1] != QLatin1Char('\n'))
            return std::nullopt; // a CR without its LF
        rows << row;
        row.clear();
        i += 2;
    }
    return rows;
}
