#pragma once

#include "core/Log.h"
#include "core/ports/PreferencesStore.h"
#include "platform/preferences/FileChangeWatch.h"
#include "platform/preferences/PreferencesDocument.h"

#include <QSettings>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

// The preferences store on disk: an INI file in the form QSettings reads and writes, by
// default colorpicker.conf in ConfigFolder::application() ($XDG_CONFIG_HOME/morvane,
// ~/.config/morvane when unset).
//
// The file is read when the store is made; reads and writes then work on memory. A write
// that changes a value is saved by a writer thread within writeDelay (changes that follow
// closely share one save), by flush(), and at destruction; a write of the value already
// stored saves nothing. Each save replaces the file atomically with its whole content after
// checking that this content reads back exactly, or leaves the file as it was and keeps the
// changes for the next save.
//
// Changes made to the file by others are followed. A store made on a thread with an event
// loop watches the file from that loop's first turn on, and reloads it whenever it is not the
// file the store last loaded or saved (a change made before the watch began included); every
// save first loads what someone else wrote since, so their changes stay. When the values
// then differ, the handler set with setChangedElsewhereHandler() runs on the thread that made
// the store; the store's own saves never call it. A store made where no event loop runs (a
// short command-line process) reads the file once and sees others' changes only when it
// saves.
//
// What the old file held never stops a save. A file that does not read back cleanly (a line
// the INI reader cannot read back as written, an unbalanced quote that swallows the lines
// after it, an unreadable file) gives every key that can be read line by line; before the
// first save replaces it, it is kept beside itself as colorpicker.conf.bad-YYYYMMDD-HHMMSS,
// with one warning naming that file. A file that cannot be read, or a save that fails, is
// logged once with the path and the reason, not on every write. Bytes are stored in
// QSettings' @ByteArray() form, Booleans as true/false.
//
// Safe to use from any thread; destroy it on the thread that made it. Open one store per
// file in a process and share it.
class SettingsPreferencesStore : public PreferencesStore
{
public:
    static constexpr std::chrono::milliseconds writeDelay{200};

    SettingsPreferencesStore();
    explicit SettingsPreferencesStore(const QString& filePath, Log log = Log("lifecycle"));
    // Saves what is not yet on disk.
    ~SettingsPreferencesStore() override;

    static QString defaultFilePath();

    QString filePath() const { return m_document.filePath(); }
    // AccessError when the last read of the file or the last save failed (a failed save
    // leaves the file as it was and keeps the changes in memory for the next save), else
    // NoError.
    QSettings::Status status() const;

    // Saves pending changes now, on the calling thread; false when they could not be saved.
    bool flush();

    bool boolForKey(const QString& key) const override;
    std::optional<QString> stringForKey(const QString& key) const override;
    std::optional<QByteArray> dataForKey(const QString& key) const override;
    bool contains(const QString& key) const override;

    void setBool(const QString& key, bool value) override;
    void setString(const QString& key, const QString& value) override;
    void setData(const QString& key, const QByteArray& value) override;

    void setChangedElsewhereHandler(std::function<void()> handler) override;

    // What identifies one state of the file on disk; a change means someone rewrote it.
    using FileStamp = PreferencesFile::Stamp;

private:
    QVariant read(const QString& key) const;
    void write(const QString& key, const QVariant& value);
    void writerLoop();
    void followFileChange();

    PreferencesDocument m_document; // used under m_mutex only
    const std::unique_ptr<FileChangeWatch> m_watch;
    mutable std::mutex m_mutex;
    std::function<void()> m_changedElsewhere; // under m_mutex
    std::condition_variable m_wake;
    std::thread m_writer; // started with the first change
    bool m_stopping = false;
    bool m_saveScheduled = false;
    std::chrono::steady_clock::time_point m_saveDue;
};
