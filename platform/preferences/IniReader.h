#pragma once

#include <QByteArrayView>
#include <QVariantMap>

// QSettings' reading of an INI file's content, in memory: the keys it lists and the value it
// gives for each, and whether it reported the content well formed.
//
// As QSettings reads it: a line ends at a line feed or carriage return outside quotes, or at
// a ';' that begins a comment; a key's section is the [header] above it ([General], or none,
// for none); a line without '=' or a header without ']' makes the content not well formed but
// loses only itself; a later key of the same name wins; sections of one name are read as one,
// in the order of their names. A key QSettings lists under a name with empty parts ("a//b",
// "/a") gives the value of the plain name ("a/b", "a") when there is one, else none; a key
// whose value is @Invalid() gives none; one without a name at all ("/") is left out.
struct IniReading
{
    QVariantMap values;
    bool wellFormed = true;

    static IniReading of(QByteArrayView content);
};
