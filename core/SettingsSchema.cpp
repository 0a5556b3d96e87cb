#include "core/SettingsSchema.h"

#include "core/Log.h"
#include "core/ports/PreferencesStore.h"

#include <morvane/telemetry/ErrorTelemetryConsent.h>

#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>

namespace SettingsSchema {
namespace {

using Consent = morvane::telemetry::ErrorTelemetryConsent;

std::optional<QString> textOf(const QVariant& stored)
{
    if (stored.typeId() != QMetaType::QString)
        return std::nullopt;
    return stored.toString();
}

// A JSON array stored as text; none when absent or not an array.
std::optional<QJsonArray> arrayOf(const QVariant& stored)
{
    const std::optional<QString> text = textOf(stored);
    if (!text)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(text->toUtf8());
    if (!document.isArray())
        return std::nullopt;
    return document.array();
}

QVariant arrayText(const QJsonArray& array)
{
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

constexpr Key key(const char* name, StoredKind kind, const char* absentMeans, const char* owner)
{
    return {QLatin1String(name), kind, absentMeans, owner};
}

constexpr Key telemetryKey(std::string_view name, const char* absentMeans)
{
    return {QLatin1String(name.data(), qsizetype(name.size())), StoredKind::boolean, absentMeans,
            "the telemetry library"};
}

std::optional<PickedColor> readCurrentColor(const QVariant& stored)
{
    const std::optional<QString> text = textOf(stored);
    return text ? PickedColor::fromHex(*text) : std::nullopt;
}

QVariant writeCurrentColor(const std::optional<PickedColor>& color)
{
    return color ? QVariant(color->hexString()) : QVariant();
}

QList<PickedColor> readRecentColors(const QVariant& stored)
{
    if (stored.typeId() != QMetaType::QByteArray)
        return {};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(stored.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return {};
    const QJsonArray array = document.array();
    for (const QJsonValue& value : array) {
        if (!value.isString())
            return {}; // not an array of texts: nothing of it is used
    }
    QList<PickedColor> colors;
    for (const QJsonValue& value : array) {
        if (const std::optional<PickedColor> color = PickedColor::fromHex(value.toString()))
            colors.append(*color);
    }
    return colors;
}

QVariant writeRecentColors(const QList<PickedColor>& colors)
{
    QJsonArray hexes;
    for (const PickedColor& color : colors)
        hexes.append(color.hexString());
    const QByteArray encoded = QJsonDocument(hexes).toJson(QJsonDocument::Compact);
    if (encoded.isEmpty()) {
        Log("picker").warning("failed to encode recent picks for persistence");
        return {};
    }
    return encoded;
}

int readRecentLimit(const QVariant& stored)
{
    const QString text = textOf(stored).value_or(QString());
    for (int limit : recentLimits) {
        if (text == QString::number(limit))
            return limit;
    }
    return recentLimits[0];
}

QVariant writeRecentLimit(const int& limit)
{
    if (std::find(std::begin(recentLimits), std::end(recentLimits), limit) ==
        std::end(recentLimits))
        return {};
    return QString::number(limit);
}

QStringList readShownFormatIds(const QVariant& stored)
{
    const std::optional<QJsonArray> array = arrayOf(stored);
    if (!array)
        return {QStringLiteral("hex"), QStringLiteral("rgb"), QStringLiteral("hsl")};
    QStringList ids;
    for (const QJsonValue& value : *array) {
        if (value.isString())
            ids.append(value.toString());
    }
    return ids;
}

QVariant writeShownFormatIds(const QStringList& ids)
{
    return arrayText(QJsonArray::fromStringList(ids));
}

QString readCopiedFormatId(const QVariant& stored)
{
    return textOf(stored).value_or(QStringLiteral("hex"));
}

QJsonArray readFormatTemplates(const QVariant& stored)
{
    return arrayOf(stored).value_or(QJsonArray());
}

QVariant writeFormatTemplates(const QJsonArray& templates)
{
    return arrayText(templates);
}

QString readPickShortcut(const QVariant& stored)
{
    return textOf(stored).value_or(QString()).trimmed();
}

QString readText(const QVariant& stored)
{
    return textOf(stored).value_or(QString());
}

QVariant writeText(const QString& text)
{
    return text;
}

bool readBoolean(const QVariant& stored)
{
    return stored.typeId() == QMetaType::Bool && stored.toBool();
}

QVariant writeBoolean(const bool& value)
{
    return value;
}

QDateTime readDateTime(const QVariant& stored)
{
    return QDateTime::fromString(textOf(stored).value_or(QString()), Qt::ISODateWithMs);
}

QVariant writeDateTime(const QDateTime& time)
{
    return time.toString(Qt::ISODateWithMs);
}

QVariant writeOptionalText(const std::optional<QString>& text)
{
    return text ? QVariant(*text) : QVariant();
}

} // namespace

constinit const Setting<std::optional<PickedColor>> currentColor{
    key("colorpicker.currentHex", StoredKind::text, "no current colour", "ColorPickerModel"),
    readCurrentColor, writeCurrentColor};
constinit const Setting<QList<PickedColor>> recentColors{
    key("colorpicker.recentHexes", StoredKind::bytes, "no recent colours", "RecentColors"),
    readRecentColors, writeRecentColors};
constinit const Setting<int> recentLimit{
    key("colorpicker.recentLimit", StoredKind::text, "8", "RecentColors"), readRecentLimit,
    writeRecentLimit};
constinit const Setting<QStringList> shownFormatIds{
    key("colorpicker.formats.shown", StoredKind::text, "hex, rgb, hsl", "FormatPreferences"),
    readShownFormatIds, writeShownFormatIds};
constinit const Setting<QString> copiedFormatId{
    key("colorpicker.formats.copied", StoredKind::text, "hex", "FormatPreferences"),
    readCopiedFormatId, writeText};
constinit const Setting<QJsonArray> formatTemplates{
    key("colorpicker.formats.templates", StoredKind::text, "no templates", "FormatPreferences"),
    readFormatTemplates, writeFormatTemplates};
constinit const Setting<QString> pickShortcut{
    key("colorpicker.pickShortcut", StoredKind::text, "off", "PickShortcut"), readPickShortcut,
    writeText};
constinit const Setting<bool> betaUpdates{key("colorpicker.updates.betaEnabled",
                                              StoredKind::boolean, "false (stable channel only)",
                                              "UpdaterService"),
                                          readBoolean, writeBoolean};
constinit const Setting<bool> relocationWarningShown{
    key("colorpicker.appTranslocationWarningShown", StoredKind::boolean,
        "false (alert not yet offered)", "RelocationWarning"),
    readBoolean, writeBoolean};
constinit const Setting<bool> dictationMenuItemDisabled{
    key("NSDisabledDictationMenuItem", StoredKind::boolean, "false (nothing reads it)",
        "MorvaneMenuChrome, writes true at every launch"),
    readBoolean, writeBoolean};
constinit const Setting<bool> characterPaletteMenuItemDisabled{
    key("NSDisabledCharacterPaletteMenuItem", StoredKind::boolean, "false (nothing reads it)",
        "MorvaneMenuChrome, writes true at every launch"),
    readBoolean, writeBoolean};
constinit const Setting<QDateTime> lastUpdateCheck{
    key("updates.lastCheckTime", StoredKind::text, "never checked", "AppcastUpdater"), readDateTime,
    writeDateTime};
constinit const Setting<std::optional<QString>> skippedUpdateVersion{
    key("updates.skippedVersion", StoredKind::text, "no version skipped", "AppcastUpdater"), textOf,
    writeOptionalText};
constinit const Setting<QString> highestUpdateVersion{
    key("updates.highestVersion", StoredKind::text, "none beyond the running version",
        "AppcastUpdater"),
    readText, writeText};

constinit const Key telemetryEnabled = telemetryKey(Consent::Keys::enabled, "no choice made");
constinit const Key telemetryOptOutShown = telemetryKey(Consent::Keys::optOutShown, "false");
constinit const Key telemetryEuOptInShown = telemetryKey(Consent::Keys::euOptInShown, "false");
constinit const Key telemetryEuRegion =
    telemetryKey(Consent::Keys::resolvedIsEU, "no cached region");

QList<Key> all()
{
    return {currentColor.key,
            recentColors.key,
            recentLimit.key,
            shownFormatIds.key,
            copiedFormatId.key,
            formatTemplates.key,
            pickShortcut.key,
            betaUpdates.key,
            relocationWarningShown.key,
            dictationMenuItemDisabled.key,
            characterPaletteMenuItemDisabled.key,
            lastUpdateCheck.key,
            skippedUpdateVersion.key,
            highestUpdateVersion.key,
            telemetryEnabled,
            telemetryOptOutShown,
            telemetryEuOptInShown,
            telemetryEuRegion};
}

Stored readStored(const PreferencesStore& store, const Key& key)
{
    const QString name = key.name;
    switch (key.kind) {
    case StoredKind::boolean:
        if (store.contains(name))
            return {store.boolForKey(name), false};
        break;
    case StoredKind::text:
        if (const std::optional<QString> text = store.stringForKey(name))
            return {*text, true};
        break;
    case StoredKind::bytes:
        if (const std::optional<QByteArray> bytes = store.dataForKey(name))
            return {*bytes, true};
        break;
    }
    // Absent, or a value of another kind, which reads as absent.
    return {QVariant(), !store.contains(name)};
}

void writeStored(PreferencesStore& store, const Key& key, const QVariant& value)
{
    const QString name = key.name;
    switch (key.kind) {
    case StoredKind::boolean:
        store.setBool(name, value.toBool());
        break;
    case StoredKind::text:
        store.setString(name, value.toString());
        break;
    case StoredKind::bytes:
        store.setData(name, value.toByteArray());
        break;
    }
}

} // namespace SettingsSchema
