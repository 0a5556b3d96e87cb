#include "platform/preferences/SettingsPreferencesStore.h"

#include "core/ConfigFolder.h"

#include <QMetaType>

SettingsPreferencesStore::SettingsPreferencesStore() : SettingsPreferencesStore(defaultFilePath())
{
}

SettingsPreferencesStore::SettingsPreferencesStore(const QString& filePath, Log log)
    : m_document(filePath, std::move(log)), m_watch(std::make_unique<FileChangeWatch>(filePath))
{
    QObject::connect(m_watch.get(), &FileChangeWatch::fileMayHaveChanged, m_watch.get(),
                     [this] { followFileChange(); });
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
    m_document.save();
}

QString SettingsPreferencesStore::defaultFilePath()
{
    return ConfigFolder::application() + QStringLiteral("/colorpicker.conf");
}

QSettings::Status SettingsPreferencesStore::status() const
{
    const std::lock_guard lock(m_mutex);
    return m_document.status();
}

bool SettingsPreferencesStore::flush()
{
    const std::lock_guard lock(m_mutex);
    m_saveScheduled = false;
    return m_document.save();
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

void SettingsPreferencesStore::setChangedElsewhereHandler(std::function<void()> handler)
{
    const std::lock_guard lock(m_mutex);
    m_changedElsewhere = std::move(handler);
}

QVariant SettingsPreferencesStore::read(const QString& key) const
{
    const std::lock_guard lock(m_mutex);
    return m_document.value(key);
}

void SettingsPreferencesStore::write(const QString& key, const QVariant& value)
{
    const std::lock_guard lock(m_mutex);
    if (!m_document.change(key, value))
        return; // already stored: nothing to save
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
        m_document.save();
    }
}

// On the watch's thread: the file may have changed on disk. A save that loaded someone else's
// change first leaves it to be told here, as the watch sees that change too.
void SettingsPreferencesStore::followFileChange()
{
    std::function<void()> handler;
    {
        const std::lock_guard lock(m_mutex);
        m_document.reloadIfChanged();
        if (m_document.takeChangedElsewhere())
            handler = m_changedElsewhere;
    }
    if (handler)
        handler(); // unlocked: it may read the store
}
