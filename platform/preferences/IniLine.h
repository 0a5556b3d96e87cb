#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// One line of an INI file that may give a key, read on its own: the tolerant reading of a
// damaged file and the count of the keys a file names both walk the lines through here.
struct IniLine
{
    QByteArray section; // the header above it as written; "[General]" when there is none
    QByteArray text;    // the line as it stands in the file, line feed removed
    // The key text before the first '=' as written (not unescaped), trimmed, under its
    // section ("section/key"; bare under [General]); none when no key precedes a '='.
    std::optional<QByteArray> key;

    // Every line of the content except blank lines, comments (';', '#') and section headers.
    static QList<IniLine> linesOf(const QByteArray& content);

    friend bool operator==(const IniLine&, const IniLine&) = default;
};
