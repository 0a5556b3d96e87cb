#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

// What a value as written in QSettings' INI form stands for: one text, or a list when an
// unquoted ',' separates texts. Spaces around unquoted texts are dropped (not those an escape
// wrote); quotes and C escapes (\xHH..., octal, \a and the like, an escaped line end that
// continues the value) are resolved; other bytes are read as UTF-8. Any bytes give some text.
struct IniWrittenValue
{
    QString text;                    // the text, when it is no list
    std::optional<QStringList> list; // the texts, when it is a list

    static IniWrittenValue of(QByteArrayView written);
};
