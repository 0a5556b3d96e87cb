#pragma once

#include "core/Log.h"
#include "platform/preferences/IniCodec.h"
#include "platform/preferences/PreferencesFile.h"

#include <QSettings>
#include <QVariantMap>

// The values of one preferences file, kept in step with it. Reads and changes work on
// memory; the file is loaded again by reloadIfChanged() and before each save when someone
// rewrote it since it was last loaded or saved. Changes are saved whole, only once they are
// shown to read back exactly. A file that does not read back cleanly gives every key that
// can be read, and is kept beside itself (one warning names the copy) before it is first
// replaced; so is one that is no preferences file at all (a named pipe, a device, a socket, a
// file over PreferencesFile::maximumSize), which is never read and gives no keys. A file
// that cannot be read, or a save that fails, is logged once with the path and the reason.
// Booleans are held as true/false, as they read back from the file.
//
// Not thread-safe: SettingsPreferencesStore serialises the calls.
class PreferencesDocument
{
public:
    PreferencesDocument(const QString& filePath, Log log);

    const QString& filePath() const { return m_file.path(); }
    // AccessError when the last load or save failed, else NoError.
    QSettings::Status status() const { return m_status; }

    // A key's value as the file held it when last loaded, under the changes not yet saved;
    // invalid if absent.
    QVariant value(const QString& key) const;
    // Records a change for the next save; false when the key holds this value already.
    bool change(const QString& key, const QVariant& value);
    // Saves the changes not yet saved; false when they could not be saved: the file stays
    // as it was and the changes wait for the next save.
    bool save();

    // Loads the file again when it is not as it was last loaded or saved (or the last load
    // failed); the changes not yet saved stay on top of what it holds.
    void reloadIfChanged();
    // True once after a load (here or before a save) changed the values reads see: the flag
    // stays until taken.
    bool takeChangedElsewhere();

private:
    std::optional<QByteArray> checkedContent();
    bool keepOldFile();
    bool dropKeysThatDoNotReadBack();
    // Marks the last load or save as failed and logs why, once; false.
    bool fail(const QString& problem);
    void warnOnce(const QString& message);

    const PreferencesFile m_file;
    const Log m_log;
    QVariantMap m_values;  // what reads see: the file's readable keys and the changes
    QVariantMap m_pending; // changes not yet on disk
    PreferencesFile::Stamp m_loaded;
    PreferencesFile::Stamp m_kept; // the state of the file last kept beside itself
    bool m_loadedWhole = false;
    bool m_everLoaded = false;       // the first load changes nothing anyone has read
    bool m_changedElsewhere = false; // a load changed the values since it was last taken
    bool m_keepOldFile = false;      // the file on disk does not read back cleanly
    QString m_unfit; // what is on disk instead of a preferences file, when it is none
    QSettings::Status m_status = QSettings::NoError;
    QString m_lastWarning;
};
