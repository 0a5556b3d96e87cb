#include "IniCodec.h"

#include "IniLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaType>
#include <QSet>
#include <QSettings>

#include <algorithm>

namespace {

// Where the working copies live: in memory where possible, so checking a write costs no
// extra flush to disk; else the temporary folder.
QString scratchTemplate()
{
    QString base = QDir::tempPath();
    for (const QString& candidate :
         {qEnvironmentVariable("XDG_RUNTIME_DIR"), QStringLiteral("/dev/shm")}) {
        const QFileInfo info(candidate);
        if (!candidate.isEmpty() && info.isDir() && info.isWritable()) {
            base = candidate;
            break;
        }
    }
    return base + QStringLiteral("/morvane-preferences-XXXXXX");
}

// Writes a working copy: no atomic replace and no flush to disk, it is only read back.
bool writeScratch(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size() && file.flush();
}

std::optional<QByteArray> readScratch(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return content;
}

// A value as it reads back from an INI file, for comparing what was meant with what was
// written: Booleans come back as text, bytes and lists keep their kind.
QByteArray comparable(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QByteArray:
        return 'b' + value.toByteArray();
    case QMetaType::QStringList:
        return 'l' + value.toStringList().join(QChar(0x1F)).toUtf8();
    default:
        return 's' + value.toString().toUtf8();
    }
}

bool sameValues(const QVariantMap& a, const QVariantMap& b)
{
    if (a.size() != b.size())
        return false;
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        const auto other = b.constFind(it.key());
        if (other == b.cend() || comparable(*other) != comparable(*it))
            return false;
    }
    return true;
}

// A key with no name once QSettings drops its slashes ("/" from a line "/=1"): QSettings
// refuses to read or write it, with a warning each time.
bool hasNoName(const QString& key)
{
    return std::all_of(key.cbegin(), key.cend(), [](QChar c) { return c == u'/'; });
}

// How many distinct keys the content's key=value lines name, by their raw text.
qsizetype keyLineCount(const QByteArray& content)
{
    QSet<QByteArray> keys;
    for (const IniLine& line : IniLine::linesOf(content)) {
        if (line.key)
            keys.insert(*line.key);
    }
    return keys.size();
}

} // namespace

IniCodec::IniCodec() : m_scratch(scratchTemplate()) {}

std::optional<IniCodec::Reading> IniCodec::read(const QByteArray& content)
{
    bool wellFormed = false;
    std::optional<QVariantMap> values = decode(content, &wellFormed);
    if (!values)
        return std::nullopt;
    // Fewer keys than key lines: a quote swallowed the lines after it.
    if (wellFormed && values->size() >= keyLineCount(content))
        return Reading{std::move(*values), true};
    return Reading{recover(content), false};
}

// Each working copy gets a new name: QSettings caches parsed files by name within a process.
QString IniCodec::scratchPath()
{
    return m_scratch.filePath(QStringLiteral("copy-%1.conf").arg(++m_copies));
}

std::optional<QVariantMap> IniCodec::decode(const QByteArray& content, bool* wellFormed)
{
    std::optional<QVariantMap> values;
    const QString path = scratchPath();
    if (writeScratch(path, content)) {
        values.emplace();
        const QSettings settings(path, QSettings::IniFormat);
        const QStringList keys = settings.allKeys();
        for (const QString& key : keys) {
            if (hasNoName(key))
                continue; // never read, so never written back
            const QVariant value = settings.value(key);
            if (value.isValid())
                values->insert(key, value);
        }
        if (wellFormed)
            *wellFormed = settings.status() == QSettings::NoError;
    }
    QFile::remove(path);
    return values;
}

std::optional<QByteArray> IniCodec::encode(const QVariantMap& values)
{
    if (values.isEmpty())
        return QByteArray();
    const QString path = scratchPath();
    std::optional<QByteArray> encoded;
    {
        QSettings settings(path, QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (!hasNoName(it.key()))
                settings.setValue(it.key(), it.value());
        }
        settings.sync();
        if (settings.status() == QSettings::NoError)
            encoded = readScratch(path);
    }
    // QSettings reports success for a short write (a full disk, a file size limit), but its
    // every line ends with a line feed: a cut one does not.
    if (encoded && !encoded->endsWith('\n'))
        encoded.reset();
    QFile::remove(path);
    return encoded;
}

bool IniCodec::readsBackAs(const QByteArray& encoded, const QVariantMap& values)
{
    bool wellFormed = false;
    const std::optional<QVariantMap> decoded = decode(encoded, &wellFormed);
    return decoded && (wellFormed || encoded.isEmpty()) && sameValues(*decoded, values);
}

bool IniCodec::breaksAlone(const QString& key, const QVariant& value)
{
    const QVariantMap one{{key, value}};
    const std::optional<QByteArray> encoded = encode(one);
    const std::optional<QVariantMap> decoded = encoded ? decode(*encoded) : std::nullopt;
    return decoded && !sameValues(*decoded, one);
}

QVariantMap IniCodec::recover(const QByteArray& content)
{
    QVariantMap recovered;
    for (const IniLine& line : IniLine::linesOf(content)) {
        const QVariantMap values =
            decode(line.section + '\n' + line.text + '\n').value_or(QVariantMap());
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            const QVariantMap one{{it.key(), it.value()}};
            const std::optional<QByteArray> encoded = encode(one);
            if (encoded && readsBackAs(*encoded, one))
                recovered.insert(it.key(), it.value());
        }
    }
    return recovered;
}
