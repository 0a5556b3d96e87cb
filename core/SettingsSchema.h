#pragma once

#include "core/PickedColor.h"

#include <QDateTime>
#include <QJsonArray>
#include <QLatin1String>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

class PreferencesStore;

// Every key of the preferences store, in one table: its name, the kind of value it is stored
// as, what its absence means, who owns it, and how a stored value is read (a value that is
// rejected reads as the key's absence). The application reads and writes its keys only
// through AppSettings, which follows this table; the telemetry library keeps its own keys
// through its own store interface, and they are listed here so that the table is whole.
namespace SettingsSchema {

// The store's three kinds of value (PreferencesStore's Boolean, text and bytes operations).
enum class StoredKind
{
    boolean,
    text,
    bytes
};

// One row of the table.
struct Key
{
    QLatin1String name;
    StoredKind kind;
    const char* absentMeans;
    const char* owner;
};

// A key the application reads or writes, with its typed value T. read() is the validation:
// it gets the stored value of the key's kind (an invalid QVariant when the key is absent or
// holds another kind) and gives the value it stands for. write() gives what is stored for a
// value: a QVariant of the key's kind, or an invalid one for a value that is refused (nothing
// is stored then).
template <typename T> struct Setting
{
    Key key;
    T (*read)(const QVariant& stored);
    QVariant (*write)(const T& value);
};

// The lengths the recent colours may be set to; the first is the default.
inline constexpr int recentLimits[] = {8, 16, 32};

// "#RRGGBB" text, as PickedColor::fromHex reads it (either case, "#" optional); anything else,
// and a value stored as bytes, is no current colour.
extern const Setting<std::optional<PickedColor>> currentColor;
// Bytes of a compact JSON array of "#RRGGBB" texts, newest first. Anything but an array of
// texts (or a value stored as text) is no recent colours; entries that are no colour are
// skipped; duplicates and a length over the limit are read as they are.
extern const Setting<QList<PickedColor>> recentColors;
// Text "8", "16" or "32"; anything else reads as 8. Other lengths are refused.
extern const Setting<int> recentLimit;
// Text of a JSON array of format ids, the panel's rows in order (ids this version does not
// know included); entries that are no text are dropped; absent or no array: hex, rgb, hsl.
extern const Setting<QStringList> shownFormatIds;
// Text: the id of the format copied on a pick, known or not; absent: "hex".
extern const Setting<QString> copiedFormatId;
// Text of a JSON array of {"id", "name", "template"} objects, kept whole (entries this version
// cannot read included); absent or no array: empty.
extern const Setting<QJsonArray> formatTemplates;
// Text: Qt's portable key-sequence text, surrounding whitespace ignored; absent or empty: off.
extern const Setting<QString> pickShortcut;
// Booleans; absent: false.
extern const Setting<bool> betaUpdates;
extern const Setting<bool> relocationWarningShown;
extern const Setting<bool> dictationMenuItemDisabled;
extern const Setting<bool> characterPaletteMenuItemDisabled;
// Text, an ISO 8601 date and time with milliseconds; absent or unreadable: never (a null
// QDateTime).
extern const Setting<QDateTime> lastUpdateCheck;
// Text: the version the user chose to skip; absent: none.
extern const Setting<std::optional<QString>> skippedUpdateVersion;
// Text: the highest version installed or offered; absent: empty.
extern const Setting<QString> highestUpdateVersion;

// The telemetry library's Booleans (ErrorTelemetryConsent, GeoProbeClient).
extern const Key telemetryEnabled;
extern const Key telemetryOptOutShown;
extern const Key telemetryEuOptInShown;
extern const Key telemetryEuRegion;

// Every row, in the order above.
QList<Key> all();

// A key's stored value as the port gives it: a QVariant of the key's kind, invalid when the
// key is absent or holds another kind. `exact` tells whether the value is exactly what the
// store holds, so that writing an equal one would change nothing: a present Boolean is read
// through boolForKey, which also reads other texts, so its stored form is not known.
struct Stored
{
    QVariant value;
    bool exact = false;
};
Stored readStored(const PreferencesStore& store, const Key& key);
// Stores a value of the key's kind through the store's operation for it.
void writeStored(PreferencesStore& store, const Key& key, const QVariant& value);

} // namespace SettingsSchema
