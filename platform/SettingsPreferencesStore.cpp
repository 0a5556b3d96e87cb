#include "SettingsPreferencesStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaType>
#include <QSet>
#include <QTemporaryFile>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

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

// Why neither a read nor a save can work; one warning says so for both.
const QString folderInPlace = QStringLiteral("it is a folder, so settings are kept in memory only");

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The file's bytes (empty when there is no file), or why they cannot be read.
std::optional<QByteArray> readWhole(const QString& path, QString* problem = nullptr)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return QByteArray();
    if (info.isDir()) {
        if (problem)
            *problem = folderInPlace;
        return std::nullopt;
    }
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        QByteArray content = file.readAll();
        if (file.error() == QFileDevice::NoError)
            return content;
    }
    if (problem)
        *problem = file.errorString();
    return std::nullopt;
}

// Replaces the file with exactly this content (a new file renamed over it, flushed to disk
// first), or leaves it as it was. The old file's permissions carry over, but the owner can
// always read and write the new one; a symbolic link is followed.
bool replaceWhole(const QString& path, const QByteArray& content, QString* problem)
{
    QFileInfo info(path);
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
    info = QFileInfo(target);
    if (!QDir().mkpath(info.absolutePath())) {
        *problem = QStringLiteral("its folder cannot be created");
        return false;
    }
    mode_t mode = S_IRUSR | S_IWUSR;
    struct stat old; // filled by stat()
    if (::stat(QFile::encodeName(target).constData(), &old) == 0 && S_ISREG(old.st_mode))
        mode |= old.st_mode & 07777;

    QTemporaryFile file(info.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!file.open()) {
        *problem = file.errorString();
        return false;
    }
    if (file.write(content) != content.size() || !file.flush()) {
        *problem = file.errorString();
        return false;
    }
    if (::fchmod(file.handle(), mode) != 0 || ::fdatasync(file.handle()) != 0 ||
        ::rename(QFile::encodeName(file.fileName()).constData(),
                 QFile::encodeName(target).constData()) != 0) {
        *problem = systemError(errno);
        return false;
    }
    file.setAutoRemove(false); // renamed: nothing left under the temporary name
    return true;
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

// How many distinct keys the file's key=value lines name, by their raw text.
qsizetype keyLineCount(const QByteArray& content)
{
    QSet<QByteArray> keys;
    QByteArray section;
    const QList<QByteArray> lines = content.split('\n');
    for (const QByteArray& line : lines) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(';') || trimmed.startsWith('#'))
            continue;
        if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            section =
                trimmed == "[General]" ? QByteArray() : trimmed.mid(1, trimmed.size() - 2) + '/';
            continue;
        }
        const qsizetype equals = trimmed.indexOf('=');
        if (equals > 0)
            keys.insert(section + trimmed.left(equals).trimmed());
    }
    return keys.size();
}

// A value in the form it reads back as, so memory and disk agree.
QVariant stored(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return value;
}

} // namespace

SettingsPreferencesStore::SettingsPreferencesStore() : SettingsPreferencesStore(defaultFilePath())
{
}

SettingsPreferencesStore::SettingsPreferencesStore(const QString& filePath, Log log)
    : m_filePath(QFileInfo(filePath).absoluteFilePath()), m_scratch(scratchTemplate()),
      m_log(std::move(log))
{
    const std::lock_guard lock(m_mutex);
    reloadIfChanged();
}

SettingsPreferencesStore::~SettingsPreferencesStore()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_writer.joinable())
        m_writer.join();
    const std::lock_guard lock(m_mutex);
    commit();
}

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

bool SettingsPreferencesStore::flush()
{
    const std::lock_guard lock(m_mutex);
    m_saveScheduled = false;
    return commit();
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
    return m_values.value(key);
}

void SettingsPreferencesStore::write(const QString& key, const QVariant& value)
{
    const QVariant entry = stored(value);
    const std::lock_guard lock(m_mutex);
    reloadIfChanged();
    const auto present = m_values.constFind(key);
    if (present != m_values.cend() && present->typeId() == entry.typeId() && *present == entry)
        return; // already stored: nothing to save
    m_values.insert(key, entry);
    m_pending.insert(key, entry);
    if (!m_saveScheduled) {
        m_saveScheduled = true;
        m_saveDue = std::chrono::steady_clock::now() + writeDelay;
    }
    if (!m_writer.joinable())
        m_writer = std::thread([this] { writerLoop(); });
    m_wake.notify_all();
}

// Saves each batch of changes writeDelay after its first change, off the caller's thread.
void SettingsPreferencesStore::writerLoop()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        m_wake.wait(lock, [this] { return m_stopping || m_saveScheduled; });
        if (m_wake.wait_until(lock, m_saveDue, [this] { return m_stopping; }))
            return; // the destructor saves what is left
        if (!m_saveScheduled)
            continue; // flush() saved it meanwhile
        m_saveScheduled = false;
        commit();
    }
}

// Loads the file when it changed since it was last loaded or saved, or when the last load
// failed; the changes not yet saved stay on top of what it holds.
void SettingsPreferencesStore::reloadIfChanged() const
{
    const FileStamp stamp = stampOf(m_filePath);
    if (m_loadedWhole && stamp == m_loaded)
        return;
    QString problem;
    const std::optional<QByteArray> content = readWhole(m_filePath, &problem);
    m_loaded = stamp;
    m_loadedWhole = content.has_value();
    if (!content) {
        // Nothing of it can be read: what memory holds stays, and a file (not a folder) is
        // kept beside itself before it is replaced.
        m_status = QSettings::AccessError;
        m_keepOldFile = !QFileInfo(m_filePath).isDir() && stamp != m_kept;
        warnOnce(QStringLiteral("cannot use the preferences file %1: %2").arg(m_filePath, problem));
        return;
    }
    // Loading writes nothing, not even a working copy to check: keys that would not survive
    // a rewrite are found when the next save checks what it wrote.
    bool wellFormed = false;
    std::optional<QVariantMap> decoded = decode(*content, &wellFormed);
    if (!decoded) {
        m_loadedWhole = false; // read again next time; memory stays as it was
        m_status = QSettings::AccessError;
        warnOnce(QStringLiteral("cannot use the preferences file %1: no working copy can be "
                                "written in %2")
                     .arg(m_filePath, m_scratch.path()));
        return;
    }
    QVariantMap values = *decoded;
    m_keepOldFile = false;
    if (!wellFormed || values.size() < keyLineCount(*content)) {
        // Fewer keys than key lines: a quote swallowed the lines after it.
        values = recover(*content);
        m_keepOldFile = stamp != m_kept;
    }
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
        values.insert(it.key(), it.value());
    m_values = values;
    m_status = QSettings::NoError;
}

// Encodes the values, checks that they read back whole, then replaces the file.
bool SettingsPreferencesStore::commit()
{
    if (m_pending.isEmpty())
        return true;
    reloadIfChanged();
    const auto failed = [this](const QString& problem) {
        m_status = QSettings::AccessError;
        if (!problem.isEmpty())
            warnOnce(
                QStringLiteral("cannot use the preferences file %1: %2").arg(m_filePath, problem));
        return false;
    };
    if (QFileInfo(m_filePath).isDir())
        return failed(folderInPlace);
    std::optional<QByteArray> encoded = m_scratch.isValid() ? encode(m_values) : std::nullopt;
    if (encoded && !readsBackAs(*encoded, m_values) && dropKeysThatDoNotReadBack()) {
        // The old file held keys that do not survive a rewrite: saved without them, and the
        // file kept as it was.
        m_keepOldFile = stampOf(m_filePath) != m_kept;
        encoded = encode(m_values);
    }
    if (!encoded)
        return failed(QStringLiteral("no working copy can be written in ") + m_scratch.path());
    if (!readsBackAs(*encoded, m_values))
        return failed(QStringLiteral("its settings do not read back as written"));
    if (m_keepOldFile) {
        if (!keepOldFile())
            return failed({}); // already said why
        m_keepOldFile = false; // kept once is enough, even if this save fails
    }
    QString problem;
    if (!replaceWhole(m_filePath, *encoded, &problem))
        return failed(problem);
    m_loaded = stampOf(m_filePath);
    m_loadedWhole = true;
    m_pending.clear();
    m_status = QSettings::NoError;
    m_lastWarning.clear();
    return true;
}

// Keeps the file that does not read back cleanly beside itself, under a name with the time.
bool SettingsPreferencesStore::keepOldFile()
{
    const QString stem = m_filePath + QStringLiteral(".bad-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString kept = stem;
    for (int n = 2; QFileInfo::exists(kept) || QFileInfo(kept).isSymLink(); ++n)
        kept = stem + QStringLiteral("-%1").arg(n);
    // A second name for the same file costs nothing and needs no permission to read it.
    if (::link(QFile::encodeName(m_filePath).constData(), QFile::encodeName(kept).constData()) !=
            0 &&
        !QFile::copy(m_filePath, kept)) {
        if (!QFileInfo::exists(m_filePath))
            return true; // gone meanwhile: nothing to keep
        warnOnce(QStringLiteral("cannot use the preferences file %1: it does not read back "
                                "cleanly and cannot be kept as %2 (%3)")
                     .arg(m_filePath, kept, systemError(errno)));
        return false;
    }
    m_kept = stampOf(m_filePath);
    m_log.warning(QStringLiteral("the preferences file %1 did not read back cleanly: kept it as "
                                 "%2 and saved the settings that could be read")
                      .arg(m_filePath, kept)
                      .toStdString());
    return true;
}

void SettingsPreferencesStore::warnOnce(const QString& message) const
{
    if (message == m_lastWarning)
        return;
    m_lastWarning = message;
    m_log.warning(message.toStdString());
}

// Each working copy gets a new name: QSettings caches parsed files by name within a process.
QString SettingsPreferencesStore::scratchPath() const
{
    return m_scratch.filePath(QStringLiteral("copy-%1.conf").arg(++m_copies));
}

std::optional<QVariantMap> SettingsPreferencesStore::decode(const QByteArray& content,
                                                            bool* wellFormed) const
{
    std::optional<QVariantMap> values;
    const QString path = scratchPath();
    if (writeScratch(path, content)) {
        values.emplace();
        const QSettings settings(path, QSettings::IniFormat);
        const QStringList keys = settings.allKeys();
        for (const QString& key : keys)
            values->insert(key, settings.value(key));
        if (wellFormed)
            *wellFormed = settings.status() == QSettings::NoError;
    }
    QFile::remove(path);
    return values;
}

std::optional<QByteArray> SettingsPreferencesStore::encode(const QVariantMap& values) const
{
    if (values.isEmpty())
        return QByteArray();
    const QString path = scratchPath();
    std::optional<QByteArray> encoded;
    {
        QSettings settings(path, QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            settings.setValue(it.key(), it.value());
        settings.sync();
        if (settings.status() == QSettings::NoError)
            encoded = readWhole(path);
    }
    // QSettings reports success for a short write (a full disk, a file size limit), but its
    // every line ends with a line feed: a cut one does not.
    if (encoded && !encoded->endsWith('\n'))
        encoded.reset();
    QFile::remove(path);
    return encoded;
}

// True when the encoded file reads back as exactly these keys and values.
bool SettingsPreferencesStore::readsBackAs(const QByteArray& encoded,
                                           const QVariantMap& values) const
{
    bool wellFormed = false;
    const std::optional<QVariantMap> decoded = decode(encoded, &wellFormed);
    return decoded && (wellFormed || encoded.isEmpty()) && sameValues(*decoded, values);
}

// Removes the keys from the old file whose values do not read back as written on their own;
// true if any.
bool SettingsPreferencesStore::dropKeysThatDoNotReadBack()
{
    QStringList broken;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
        // Only what the old file held; a working copy that cannot be written proves nothing.
        if (m_pending.contains(it.key()))
            continue;
        const QVariantMap one{{it.key(), it.value()}};
        const std::optional<QByteArray> encoded = encode(one);
        const std::optional<QVariantMap> decoded = encoded ? decode(*encoded) : std::nullopt;
        if (decoded && !sameValues(*decoded, one))
            broken.append(it.key());
    }
    for (const QString& key : std::as_const(broken))
        m_values.remove(key);
    return !broken.isEmpty();
}

// Every key a line of the file gives on its own (under the section above it) and that reads
// back as written: a broken line loses only itself.
QVariantMap SettingsPreferencesStore::recover(const QByteArray& content) const
{
    QVariantMap recovered;
    QByteArray section = "[General]";
    const QList<QByteArray> lines = content.split('\n');
    for (const QByteArray& line : lines) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(';') || trimmed.startsWith('#'))
            continue;
        if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            section = trimmed;
            continue;
        }
        const QVariantMap values = decode(section + '\n' + line + '\n').value_or(QVariantMap());
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            const QVariantMap one{{it.key(), it.value()}};
            const std::optional<QByteArray> encoded = encode(one);
            if (encoded && readsBackAs(*encoded, one))
                recovered.insert(it.key(), it.value());
        }
    }
    return recovered;
}
