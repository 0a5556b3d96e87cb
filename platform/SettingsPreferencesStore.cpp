#include "SettingsPreferencesStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaType>
#include <QSaveFile>

#include <sys/stat.h>

#include <algorithm>

namespace {

SettingsPreferencesStore::FileStamp stampOf(const QString& path)
{
    struct stat info; // filled by stat()
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {true, static_cast<qint64>(info.st_size),
            static_cast<qint64>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
            static_cast<quint64>(info.st_ino)};
}

std::optional<QByteArray> readWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return content;
}

// Replaces the file with exactly this content, or leaves it as it was.
bool replaceWhole(const QString& path, const QByteArray& content)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// Writes a scratch file: no atomic replace and no flush to disk, it is only read back.
bool writeScratch(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size() && file.flush();
}

// Where the working copies live: in memory where possible (the user's runtime folder, then
// /dev/shm), so checking a write costs no extra flush to disk; else the temporary folder.
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

std::unique_ptr<QSettings> openIni(const QString& path)
{
    auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    // Every write syncs at once; the deferred sync QSettings posts to itself must not run
    // on the main thread while another thread uses the store.
    settings->moveToThread(nullptr);
    return settings;
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

// True when the encoded file reads back as exactly the settings' keys and values.
bool decodesTo(const QString& encodedPath, QSettings& expected)
{
    QSettings decoded(encodedPath, QSettings::IniFormat);
    QStringList keys = decoded.allKeys();
    QStringList expectedKeys = expected.allKeys();
    std::sort(keys.begin(), keys.end());
    std::sort(expectedKeys.begin(), expectedKeys.end());
    if (decoded.status() != QSettings::NoError || keys != expectedKeys)
        return false;
    return std::all_of(keys.cbegin(), keys.cend(), [&](const QString& key) {
        return comparable(decoded.value(key)) == comparable(expected.value(key));
    });
}

} // namespace

SettingsPreferencesStore::SettingsPreferencesStore() : SettingsPreferencesStore(defaultFilePath())
{
}

SettingsPreferencesStore::SettingsPreferencesStore(const QString& filePath)
    : m_filePath(QFileInfo(filePath).absoluteFilePath()), m_scratch(scratchTemplate())
{
    const std::lock_guard lock(m_mutex);
    reloadIfChanged();
}

SettingsPreferencesStore::~SettingsPreferencesStore() = default;

QString SettingsPreferencesStore::defaultFilePath()
{
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || !QDir::isAbsolutePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/morvane/colorpicker.conf");
}

QSettings::Status SettingsPreferencesStore::status() const
{
    const std::lock_guard lock(m_mutex);
    return m_status;
}

bool SettingsPreferencesStore::boolForKey(const QString& key) const
{
    const QVariant value = read(key);
    // INI files hold text: "true"/"false" as written by setBool, or 1/0 by hand.
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed().toLower();
        return text == u"true" || text == u"1" || text == u"yes";
    }
    return false;
}

std::optional<QString> SettingsPreferencesStore::stringForKey(const QString& key) const
{
    const QVariant value = read(key);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

std::optional<QByteArray> SettingsPreferencesStore::dataForKey(const QString& key) const
{
    const QVariant value = read(key);
    if (value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    return value.toByteArray();
}

bool SettingsPreferencesStore::contains(const QString& key) const
{
    return read(key).isValid();
}

void SettingsPreferencesStore::setBool(const QString& key, bool value)
{
    write(key, value);
}

void SettingsPreferencesStore::setString(const QString& key, const QString& value)
{
    write(key, value);
}

void SettingsPreferencesStore::setData(const QString& key, const QByteArray& value)
{
    write(key, value);
}

QVariant SettingsPreferencesStore::read(const QString& key) const
{
    const std::lock_guard lock(m_mutex);
    reloadIfChanged();
    return m_settings->value(key);
}

void SettingsPreferencesStore::write(const QString& key, const QVariant& value)
{
    const std::lock_guard lock(m_mutex);
    reloadIfChanged();
    m_settings->setValue(key, value);
    m_status = commit() ? QSettings::NoError : QSettings::AccessError;
}

// Loads a fresh working copy when the file changed since it was last loaded or written, or
// when the last load failed. Each copy gets a new name: QSettings caches parsed files by
// name within a process.
void SettingsPreferencesStore::reloadIfChanged() const
{
    const FileStamp stamp = stampOf(m_filePath);
    if (m_settings && m_readable && stamp == m_loaded)
        return;
    const std::optional<QByteArray> content =
        stamp.exists ? readWhole(m_filePath) : std::optional<QByteArray>(QByteArray());
    const QString copyPath = m_scratch.filePath(QStringLiteral("copy-%1.conf").arg(++m_copies));
    m_settings.reset();
    // Writes are refused while the working copy does not hold the whole file.
    m_readable = content && writeScratch(copyPath, *content);
    if (!m_readable)
        QFile::remove(copyPath);
    m_status = m_readable ? QSettings::NoError : QSettings::AccessError;
    m_settings = openIni(copyPath);
    m_loaded = stamp;
}

// Encodes the working copy, checks that it reads back whole, then replaces the file.
bool SettingsPreferencesStore::commit()
{
    if (!m_readable || !m_scratch.isValid())
        return false;
    m_settings->sync();
    const std::optional<QByteArray> encoded = readWhole(m_settings->fileName());
    const QString checkPath = m_scratch.filePath(QStringLiteral("check-%1.conf").arg(++m_copies));
    // QSettings' own status is no help here: it keeps the first error it ever met.
    const bool whole =
        encoded && writeScratch(checkPath, *encoded) && decodesTo(checkPath, *m_settings);
    QFile::remove(checkPath);
    if (!whole || !replaceWhole(m_filePath, *encoded))
        return false;
    m_loaded = stampOf(m_filePath);
    return true;
}
