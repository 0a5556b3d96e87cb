#pragma once

#include <QByteArray>
#include <QVariantMap>

// The preferences file's INI text to values and back, in memory, as QSettings reads and
// writes it (IniReading, iniTextOf), with the tolerant reading of a damaged file and the
// checks a save makes before it replaces the file.
namespace IniCodec {

// The keys a file's content gives, and whether it gave them all as QSettings reads it.
struct Reading
{
    QVariantMap values;
    bool clean = false;
};

// Every key of a file that reads cleanly. Otherwise (a line QSettings cannot read, an
// unbalanced quote that swallows the lines after it) every key a line gives on its own,
// under the section above it, that reads back as written: a broken line loses only itself.
Reading read(const QByteArray& content);

// QSettings' INI text for the values.
QByteArray encode(const QVariantMap& values);
// True when the encoded text reads back well formed as exactly these keys and values.
bool readsBackAs(const QByteArray& encoded, const QVariantMap& values);
// True when this key, saved alone, reads back as something else.
bool breaksAlone(const QString& key, const QVariant& value);

} // namespace IniCodec
