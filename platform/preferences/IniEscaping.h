#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// How QSettings' INI files spell keys and texts; IniWrittenValue reads a written value back.
namespace IniEscaping {

// A key (or a section name) as written: letters, digits, '_', '-' and '.' as they are, '/'
// as '\', every other character up to U+00FF as %XX and the rest as %UXXXX.
QByteArray escapedKey(QStringView key);
// The key the written text stands for: '\' is '/', %XX and %UXXXX their character; other
// bytes are read as UTF-8.
QString unescapedKey(QByteArrayView written);
// The name QSettings files a key under: no empty parts, no '/' at either end ("/a//b/" is
// "a/b"; "/" has no name).
QString normalizedKey(const QString& key);

// Appends a value's text as written: C escapes for control characters, '"' and '\', UTF-8
// for the rest (or \x escapes in an @ByteArray(...), @Variant(...) or @DateTime(...) text,
// whose characters are bytes); between quotes when it holds ';', ',' or '=' or begins or
// ends with a space.
void appendEscapedText(QStringView text, QByteArray& out);
// Appends a list of texts as written: each escaped, joined by ", "; an empty list as
// @Invalid(), which reads back as no value.
void appendEscapedList(const QStringList& texts, QByteArray& out);

// The value of a digit in this base (16 or 8), or -1.
int digitValue(char16_t c, int base);

} // namespace IniEscaping
