#pragma once

#include "PreferencesStore.h"

#include <QSettings>
#include <QTemporaryDir>

#include <memory>
#include <mutex>

// The preferences store on disk: a QSettings INI file, by default
// $XDG_CONFIG_HOME/morvane/colorpicker.conf (~/.config/... when the variable is unset).
//
// Every write replaces the file atomically with its whole verified content, or leaves it
// exactly as it was: QSettings alone may commit a short write (a full disk, a file size
// limit) as a truncated file, so it only encodes and decodes a working copy here, and the
// store writes the file itself. A file that exists but cannot be read is never replaced.
// Changes made to the file by others are picked up on the next read or write. Bytes are
// stored in QSettings' @ByteArray() form, Booleans as true/false.
//
// Safe to use from any thread. Open one store per file in a process and share it.
class SettingsPreferencesStore : public PreferencesStore
{
public:
    SettingsPreferencesStore();
    explicit SettingsPreferencesStore(const QString& filePath);
    ~SettingsPreferencesStore() override;

    static QString defaultFilePath();

    QString filePath() const { return m_filePath; }
    // AccessError when the last read of the file or the last write failed (a failed write
    // leaves the file as it was and keeps the value in memory for the next write), else
    // NoError.
    QSettings::Status status() const;

    bool boolForKey(const QString& key) const override;
    std::optional<QString> stringForKey(const QString& key) const override;
    std::optional<QByteArray> dataForKey(const QString& key) const override;
    bool contains(const QString& key) const override;

    void setBool(const QString& key, bool value) override;
    void setString(const QString& key, const QString& value) override;
    void setData(const QString& key, const QByteArray& value) override;

    // What identifies one state of the file on disk; a change means someone rewrote it.
    struct FileStamp
    {
        bool exists = false;
        qint64 size = 0;
        qint64 modifiedNanoseconds = 0;
        quint64 inode = 0;

        friend bool operator==(const FileStamp&, const FileStamp&) = default;
    };

private:
    QVariant read(const QString& key) const;
    void write(const QString& key, const QVariant& value);
    void reloadIfChanged() const;
    bool commit();

    const QString m_filePath;
    const QTemporaryDir m_scratch; // the working copy that QSettings reads and writes
    mutable std::mutex m_mutex;
    mutable std::unique_ptr<QSettings> m_settings;
    mutable FileStamp m_loaded;
    mutable bool m_readable = true;
    mutable int m_copies = 0;
    mutable QSettings::Status m_status = QSettings::NoError;
};
