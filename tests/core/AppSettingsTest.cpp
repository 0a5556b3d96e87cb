#include "core/AppSettings.h"
#include "GreyColors.h"
#include "MemoryPreferencesStore.h"
#include "RecordingLogSink.h"
#include "core/SettingsSchema.h"

#include <QJsonObject>
#include <QMetaMethod>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

namespace {

using Values = QMap<QString, QVariant>;

const QString currentKey = QStringLiteral("colorpicker.currentHex");
const QString recentsKey = QStringLiteral("colorpicker.recentHexes");
const QString limitKey = QStringLiteral("colorpicker.recentLimit");
const QString shownKey = QStringLiteral("colorpicker.formats.shown");
const QString copiedKey = QStringLiteral("colorpicker.formats.copied");
const QString templatesKey = QStringLiteral("colorpicker.formats.templates");
const QString pickKeyKey = QStringLiteral("colorpicker.pickShortcut");
const QString betaKey = QStringLiteral("colorpicker.updates.betaEnabled");
const QString relocationKey = QStringLiteral("colorpicker.appTranslocationWarningShown");
const QString dictationKey = QStringLiteral("NSDisabledDictationMenuItem");
const QString characterPaletteKey = QStringLiteral("NSDisabledCharacterPaletteMenuItem");
const QString lastCheckKey = QStringLiteral("updates.lastCheckTime");
const QString skippedKey = QStringLiteral("updates.skippedVersion");
const QString highestKey = QStringLiteral("updates.highestVersion");

const PickedColor worked{58, 123, 213};
const QDateTime checkTime = QDateTime::fromString("2026-12-10T02:00:00.123Z", Qt::ISODateWithMs);

// The kind a value of the memory store is stored as.
std::optional<SettingsSchema::StoredKind> kindOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return SettingsSchema::StoredKind::boolean;
    case QMetaType::QString:
        return SettingsSchema::StoredKind::text;
    case QMetaType::QByteArray:
        return SettingsSchema::StoredKind::bytes;
    default:
        return std::nullopt;
    }
}

std::optional<SettingsSchema::Key> schemaRow(const QString& name)
{
    for (const SettingsSchema::Key& key : SettingsSchema::all()) {
        if (key.name == name)
            return key;
    }
    return std::nullopt;
}

// Counts every change signal of the settings, by name.
class SignalCounts
{
public:
    explicit SignalCounts(AppSettings& settings)
    {
        const QMetaObject& meta = AppSettings::staticMetaObject;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            const QMetaMethod method = meta.method(i);
            if (method.methodType() == QMetaMethod::Signal)
                m_spies.emplace(QString::fromLatin1(method.name()),
                                std::make_unique<QSignalSpy>(&settings, method));
        }
    }

    // Each signal emitted, with how often.
    std::map<QString, qsizetype> emitted() const
    {
        std::map<QString, qsizetype> counts;
        for (const auto& [name, spy] : m_spies) {
            if (spy->count() > 0)
                counts.emplace(name, spy->count());
        }
        return counts;
    }

private:
    std::map<QString, std::unique_ptr<QSignalSpy>> m_spies;
};

} // namespace

// The bytes each key is written as are those the released version writes; a value already
// stored in the same form is not written again, one stored in another form is rewritten.
TEST(AppSettings, WritesEachKeyAsBefore)
{
    QJsonArray templates{
        QJsonObject{{"id", "template-1"}, {"name", "Flutter"}, {"template", "Color(0xFF{hex})"}}};
    const struct
    {
        const char* name;
        Values before;
        std::function<void(AppSettings&)> write;
        Values after;
        int writes;
    } cases[] = {
        {"current colour",
         {},
         [](AppSettings& s) { s.setCurrentColor(worked); },
         {{currentKey, QStringLiteral("#3A7BD5")}},
         1},
        {"current colour stored in lower case",
         {{currentKey, QStringLiteral("#3a7bd5")}},
         [](AppSettings& s) { s.setCurrentColor(worked); },
         {{currentKey, QStringLiteral("#3A7BD5")}},
         1},
        {"current colour already stored",
         {{currentKey, QStringLiteral("#3A7BD5")}},
         [](AppSettings& s) { s.setCurrentColor(worked); },
         {{currentKey, QStringLiteral("#3A7BD5")}},
         0},
        {"recent colours",
         {},
         [](AppSettings& s) {
             s.setRecentColors({worked, grey(1)});
         },
         {{recentsKey, QByteArray(R"(["#3A7BD5","#010101"])")}},
         1},
        {"recent colours cleared over unreadable ones",
         {{recentsKey, QByteArray("\xff[")}},
         [](AppSettings& s) { s.setRecentColors({}); },
         {{recentsKey, QByteArray("[]")}},
         1},
        {"recent colours stored as text",
         {{recentsKey, QStringLiteral(R"(["#3A7BD5"])")}},
         [](AppSettings& s) { s.setRecentColors({worked}); },
         {{recentsKey, QByteArray(R"(["#3A7BD5"])")}},
         1},
        {"recent limit",
         {},
         [](AppSettings& s) { s.setRecentLimit(16); },
         {{limitKey, QStringLiteral("16")}},
         1},
        {"a recent limit not offered", {}, [](AppSettings& s) { s.setRecentLimit(12); }, {}, 0},
        {"shown formats, the default ones too",
         {},
         [](AppSettings& s) {
             s.setShownFormatIds({"hex", "rgb", "hsl", "lab-d50"});
         },
         {{shownKey, QStringLiteral(R"(["hex","rgb","hsl","lab-d50"])")}},
         1},
        {"no shown formats",
         {},
         [](AppSettings& s) { s.setShownFormatIds({}); },
         {{shownKey, QStringLiteral("[]")}},
         1},
        {"copied format",
         {},
         [](AppSettings& s) { s.setCopiedFormatId("oklch"); },
         {{copiedKey, QStringLiteral("oklch")}},
         1},
        {"templates",
         {},
         [&](AppSettings& s) { s.setFormatTemplates(templates); },
         {{templatesKey,
           QStringLiteral(
               R"json([{"id":"template-1","name":"Flutter","template":"Color(0xFF{hex})"}])json")}},
         1},
        {"pick key",
         {},
         [](AppSettings& s) { s.setPickShortcut("Meta+Shift+C"); },
         {{pickKeyKey, QStringLiteral("Meta+Shift+C")}},
         1},
        {"pick key off",
         {{pickKeyKey, QStringLiteral("Meta+Shift+C")}},
         [](AppSettings& s) { s.setPickShortcut(""); },
         {{pickKeyKey, QString("")}},
         1},
        {"early access", {}, [](AppSettings& s) { s.setBetaUpdates(true); }, {{betaKey, true}}, 1},
        {"early access off",
         {},
         [](AppSettings& s) { s.setBetaUpdates(false); },
         {{betaKey, false}},
         1},
        // A Boolean is read through boolForKey, which also reads texts such as "yes": it is
        // written, and the store keeps it as it is if it holds it so already.
        {"early access stored before",
         {{betaKey, true}},
         [](AppSettings& s) { s.setBetaUpdates(true); },
         {{betaKey, true}},
         1},
        {"relocation warning shown",
         {},
         [](AppSettings& s) { s.setRelocationWarningShown(true); },
         {{relocationKey, true}},
         1},
        {"menu keys",
         {},
         [](AppSettings& s) { s.disablePlatformMenuItems(); },
         {{dictationKey, true}, {characterPaletteKey, true}},
         2},
        {"last update check",
         {},
         [](AppSettings& s) { s.setLastUpdateCheck(checkTime); },
         {{lastCheckKey, QStringLiteral("2026-12-10T02:00:00.123Z")}},
         1},
        {"skipped version",
         {},
         [](AppSettings& s) { s.setSkippedUpdateVersion("1.2"); },
         {{skippedKey, QStringLiteral("1.2")}},
         1},
        {"highest version",
         {},
         [](AppSettings& s) { s.setHighestUpdateVersion("1.3"); },
         {{highestKey, QStringLiteral("1.3")}},
         1},
        {"highest version already stored",
         {{highestKey, QStringLiteral("1.3")}},
         [](AppSettings& s) { s.setHighestUpdateVersion("1.3"); },
         {{highestKey, QStringLiteral("1.3")}},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryPreferencesStore store;
        store.values = c.before;
        AppSettings settings(store);
        EXPECT_EQ(store.writes, 0) << "reading writes nothing";

        c.write(settings);
        c.write(settings); // an equal value is not written again
        EXPECT_EQ(store.writes, c.writes);
        ASSERT_EQ(store.values.keys(), c.after.keys());
        for (const QString& key : c.after.keys()) {
            const QVariant stored = store.values.value(key);
            EXPECT_EQ(stored.typeId(), c.after.value(key).typeId()) << key.toStdString();
            EXPECT_EQ(stored, c.after.value(key)) << key.toStdString();
            const std::optional<SettingsSchema::Key> row = schemaRow(key);
            ASSERT_TRUE(row) << key.toStdString() << " is not in the table";
            EXPECT_EQ(row->kind, kindOf(stored)) << key.toStdString();
        }
    }
}

TEST(AppSettings, LoadsWhatItCanReadAndWritesNothingBack)
{
    const RecordingLogSink log;
    struct Case
    {
        const char* name;
        QVariant current;
        QVariant recents;
        std::optional<PickedColor> expectedCurrent;
        QList<PickedColor> expectedRecents;
    };
    QByteArray twelve = "[";
    QList<PickedColor> twelveColors;
    for (int level = 1; level <= 12; ++level) {
        twelve += (level > 1 ? "," : "") + ('"' + grey(level).hexString().toLatin1() + '"');
        twelveColors.append(grey(level));
    }
    twelve += "]";

    const Case cases[] = {
        {"lower-case current", "#3a7bd5", {}, worked, {}},
        {"current not a colour", "blue", {}, std::nullopt, {}},
        {"current with alpha", "#3A7BD5FF", {}, std::nullopt, {}},
        {"current stored as bytes", QByteArray("#3A7BD5"), {}, std::nullopt, {}},
        {"recents not JSON", {}, QByteArray("#3A7BD5,#FF0000"), std::nullopt, {}},
        {"recents a JSON object", {}, QByteArray(R"({"0":"#3A7BD5"})"), std::nullopt, {}},
        {"recents a JSON string", {}, QByteArray(R"("#3A7BD5")"), std::nullopt, {}},
        {"recents with a number", {}, QByteArray(R"(["#3A7BD5",5])"), std::nullopt, {}},
        {"recents stored as text", {}, QStringLiteral(R"(["#3A7BD5"])"), std::nullopt, {}},
        {"recents empty", "#3A7BD5", QByteArray("[]"), worked, {}},
        {"bad entry skipped, duplicates kept",
         {},
         QByteArray(R"(["#3A7BD5","not a colour","#3a7bd5"])"),
         std::nullopt,
         {worked, worked}},
        {"twelve entries", {}, twelve, std::nullopt, twelveColors},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryPreferencesStore store;
        if (c.current.isValid())
            store.values.insert(currentKey, c.current);
        if (c.recents.isValid())
            store.values.insert(recentsKey, c.recents);
        const auto stored = store.values;

        const AppSettings settings(store);
        EXPECT_EQ(settings.currentColor(), c.expectedCurrent);
        EXPECT_EQ(settings.recentColors(), c.expectedRecents);
        EXPECT_EQ(store.writes, 0);
        EXPECT_EQ(store.values, stored);
    }
    EXPECT_TRUE(log.entries().empty()) << "bad stored data is skipped silently";
}

// What the other keys stand for when absent, and what a stored value is read as.
TEST(AppSettings, ReadsEachKeyOrWhatItsAbsenceMeans)
{
    const struct
    {
        const char* name;
        Values stored;
        std::function<void(const AppSettings&)> expect;
    } cases[] = {
        {"nothing stored",
         {},
         [](const AppSettings& s) {
             EXPECT_EQ(s.recentLimit(), 8);
             EXPECT_EQ(s.shownFormatIds(), QStringList({"hex", "rgb", "hsl"}));
             EXPECT_EQ(s.copiedFormatId(), "hex");
             EXPECT_TRUE(s.formatTemplates().isEmpty());
             EXPECT_EQ(s.pickShortcut(), QString());
             EXPECT_FALSE(s.betaUpdates());
             EXPECT_FALSE(s.relocationWarningShown());
             EXPECT_TRUE(s.lastUpdateCheck().isNull());
             EXPECT_EQ(s.skippedUpdateVersion(), std::nullopt);
             EXPECT_EQ(s.highestUpdateVersion(), QString());
         }},
        {"formats as stored",
         {{shownKey, QStringLiteral(R"(["oklch",7,"template-9"])")},
          {copiedKey, QStringLiteral("lab-d50")},
          {templatesKey, QStringLiteral(R"([{"id":"template-1"},3])")}},
         [](const AppSettings& s) {
             EXPECT_EQ(s.shownFormatIds(), QStringList({"oklch", "template-9"}));
             EXPECT_EQ(s.copiedFormatId(), "lab-d50");
             EXPECT_EQ(s.formatTemplates().size(), 2) << "kept whole";
         }},
        {"formats that are no JSON array",
         {{shownKey, QStringLiteral(R"({"hex":1})")}, {templatesKey, QStringLiteral("[")}},
         [](const AppSettings& s) {
             EXPECT_EQ(s.shownFormatIds(), QStringList({"hex", "rgb", "hsl"}));
             EXPECT_TRUE(s.formatTemplates().isEmpty());
         }},
        {"a pick key between spaces",
         {{pickKeyKey, QStringLiteral("  Meta+Shift+C ")}},
         [](const AppSettings& s) { EXPECT_EQ(s.pickShortcut(), "Meta+Shift+C"); }},
        {"Booleans",
         {{betaKey, true}, {relocationKey, true}},
         [](const AppSettings& s) {
             EXPECT_TRUE(s.betaUpdates());
             EXPECT_TRUE(s.relocationWarningShown());
         }},
        {"update bookkeeping",
         {{lastCheckKey, QStringLiteral("2026-12-10T02:00:00.123Z")},
          {skippedKey, QStringLiteral("1.2")},
          {highestKey, QStringLiteral("1.3")}},
         [](const AppSettings& s) {
             EXPECT_EQ(s.lastUpdateCheck(), checkTime);
             EXPECT_EQ(s.skippedUpdateVersion(), "1.2");
             EXPECT_EQ(s.highestUpdateVersion(), "1.3");
         }},
        {"update bookkeeping that cannot be read",
         {{lastCheckKey, QStringLiteral("yesterday")}, {highestKey, QByteArray("1.3")}},
         [](const AppSettings& s) {
             EXPECT_TRUE(s.lastUpdateCheck().isNull());
             EXPECT_EQ(s.highestUpdateVersion(), QString());
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryPreferencesStore store;
        store.values = c.stored;
        c.expect(AppSettings(store));
        EXPECT_EQ(store.writes, 0);
    }
}

// Another process rewrote the file: each key is read anew, and only those whose value
// changed say so, once.
TEST(AppSettings, FollowsChangesMadeElsewhere)
{
    const Values before{{currentKey, QStringLiteral("#3A7BD5")}, {limitKey, QStringLiteral("16")}};
    using Emitted = std::map<QString, qsizetype>;
    const struct
    {
        const char* name;
        Values changes;
        Emitted expected;
    } cases[] = {
        {"the same colour in lower case", {{currentKey, QStringLiteral("#3a7bd5")}}, {}},
        {"another colour", {{currentKey, QStringLiteral("#FF0000")}}, {{"currentColorChanged", 1}}},
        {"the colour removed", {{currentKey, QVariant()}}, {{"currentColorChanged", 1}}},
        {"a limit that is not offered",
         {{limitKey, QStringLiteral("12")}},
         {{"recentLimitChanged", 1}}},
        {"rows that read as the default ones", {{shownKey, QStringLiteral("[\"hex\"")}}, {}},
        {"several keys",
         {{betaKey, true},
          {pickKeyKey, QStringLiteral("Meta+X")},
          {lastCheckKey, QStringLiteral("2026-12-10T02:00:00.123Z")},
          {templatesKey, QStringLiteral("[]")}},
         {{"betaUpdatesChanged", 1}, {"pickShortcutChanged", 1}, {"lastUpdateCheckChanged", 1}}},
        {"keys nothing here reads",
         {{dictationKey, true},
          {QStringLiteral("morvane.error_telemetry_enabled"), true},
          {QStringLiteral("colorpicker.future"), 1}},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryPreferencesStore store;
        store.values = before;
        AppSettings settings(store);
        const SignalCounts counts(settings);
        store.changeElsewhere(c.changes);
        EXPECT_EQ(counts.emitted(), c.expected);
        EXPECT_EQ(store.writes, 0);
    }
}

TEST(AppSettings, EveryValueIsNewBeforeTheFirstSignalAndTheStoredOneIsNotWrittenAgain)
{
    MemoryPreferencesStore store;
    AppSettings settings(store);
    QList<PickedColor> recentsWhenCurrentChanged;
    QObject::connect(&settings, &AppSettings::currentColorChanged,
                     [&] { recentsWhenCurrentChanged = settings.recentColors(); });
    store.changeElsewhere(
        {{currentKey, QStringLiteral("#ff0000")}, {recentsKey, hexList({grey(1), grey(2)})}});
    EXPECT_EQ(recentsWhenCurrentChanged, QList<PickedColor>({grey(1), grey(2)}));

    settings.setRecentColors({grey(1), grey(2)});
    EXPECT_EQ(store.writes, 0);
    settings.setCurrentColor({255, 0, 0}); // stored in another form
    EXPECT_EQ(store.values.value(currentKey), QStringLiteral("#FF0000"));
    EXPECT_EQ(store.writes, 1);
}

TEST(AppSettings, SettingsThatAreGoneLeaveNoHandlerBehind)
{
    MemoryPreferencesStore store;
    std::make_unique<AppSettings>(store).reset();
    EXPECT_FALSE(store.changedElsewhere);
}
