#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <QVariantMap>

#include <optional>

// INI text to values and back, through QSettings, which reads and writes only files: each
// conversion goes through a working copy in a private scratch folder, in memory where
// possible (the user's runtime folder, then /dev/shm), else in the temporary folder.
// Not thread-safe: its owner serialises the calls.
class IniCodec
{
public:
    // The keys a file's content gives, and whether it gave them all as QSettings reads it.
    struct Reading
    {
        QVariantMap values;
        bool clean = false;
    };

    IniCodec();

    // False when the scratch folder could not be made: nothing can be encoded or decoded.
    bool isValid() const { return m_scratch.isValid(); }
    QString scratchFolder() const { return m_scratch.path(); }

    // Every key of a file that reads cleanly. Otherwise (a line QSettings cannot read, an
    // unbalanced quote that swallows the lines after it) every key a line gives on its own,
    // under the section above it, that reads back as written: a broken line loses only
    // itself. None when no working copy can be written.
    std::optional<Reading> read(const QByteArray& content);

    // QSettings' reading of the content; *wellFormed tells whether it reported no error.
    std::optional<QVariantMap> decode(const QByteArray& content, bool* wellFormed = nullptr);
    // QSettings' INI text for the values; none when it could not be written whole.
    std::optional<QByteArray> encode(const QVariantMap& values);
    // True when the encoded text reads back well formed as exactly these keys and values.
    bool readsBackAs(const QByteArray& encoded, const QVariantMap& values);
    // True when this key, saved alone, is shown to read back as something else; false when
    // it reads back, or when no working copy can be written (that proves nothing).
    bool breaksAlone(const QString& key, const QVariant& value);

private:
    QVariantMap recover(const QByteArray& content);
    QString scratchPath();

    const QTemporaryDir m_scratch;
    int m_copies = 0;
};
