#include "core/FormatPreferences.h"
#include "FakeClipboard.h"
#include "FakeScreenSampler.h"
#include "MemoryPreferencesStore.h"
#include "PickerOverStore.h"
#include "core/AppSettings.h"
#include "core/ColorPickerModel.h"
#include "core/ColorTemplate.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

const PickedColor worked{58, 123, 213};
const QString shownKey = QStringLiteral("colorpicker.formats.shown");
const QString copiedKey = QStringLiteral("colorpicker.formats.copied");
const QString templatesKey = QStringLiteral("colorpicker.formats.templates");

QStringList idsOf(const QList<ColorFormat>& formats)
{
    QStringList ids;
    for (const ColorFormat& format : formats)
        ids.append(format.id);
    return ids;
}

QStringList ids(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* id : list)
        result.append(QString::fromLatin1(id));
    return result;
}

} // namespace

TEST(ColorTemplate, FillsEveryPlaceholder)
{
    const struct
    {
        const char* pattern;
        const char* expected;
    } cases[] = {
        {"Color(0xFF{hex})", "Color(0xFF3A7BD5)"},
        {"{r} {g} {b}", "58 123 213"},
        {"#{hexl}", "#3a7bd5"},
        {"UIColor(red: {rf}, green: {gf}, blue: {bf}, alpha: 1)",
         "UIColor(red: 0.2275, green: 0.4824, blue: 0.8353, alpha: 1)"},
        {"{h}/{s}/{l}", "215/65/53"},
        {"{{r}} is {r}", "{r} is 58"},
        {"}}{{", "}{"},
        {"plain text, ünïcode", "plain text, ünïcode"},
    };
    for (const auto& c : cases) {
        const QString pattern = QString::fromUtf8(c.pattern);
        EXPECT_EQ(ColorTemplate::problem(pattern), std::nullopt) << c.pattern;
        EXPECT_EQ(ColorTemplate::apply(pattern, worked), QString::fromUtf8(c.expected));
    }
}

TEST(ColorTemplate, RefusesWhatItCannotFillWithTheReason)
{
    const struct
    {
        const char* pattern;
        const char* reason;
    } cases[] = {
        {"Color({alpha})", "unknown placeholder \"{alpha}\""},
        {"{R}", "unknown placeholder \"{R}\""},
        {"{}", "unknown placeholder \"{}\""},
        {"{ r }", "unknown placeholder \"{ r }\""},
        {"{r", "a \"{\" without its \"}\" (write \"{{\" for a brace)"},
        {"{r{g}", "a \"{\" without its \"}\" (write \"{{\" for a brace)"},
        {"r}", "a lone \"}\" (write \"}}\" for a brace)"},
        {"", "the template is empty"},
        {"   ", "the template is empty"},
    };
    for (const auto& c : cases) {
        const QString pattern = QString::fromUtf8(c.pattern);
        EXPECT_EQ(ColorTemplate::problem(pattern), QString::fromUtf8(c.reason)) << c.pattern;
        EXPECT_EQ(ColorTemplate::apply(pattern, worked), QString()) << c.pattern;
    }
}

TEST(FormatPreferences, DefaultToTodaysRowsAndHexWhenNothingIsStored)
{
    MemoryPreferencesStore store;
    AppSettings settings(store);
    const FormatPreferences formats(settings);
    EXPECT_EQ(idsOf(formats.shown()), ids({"hex", "rgb", "hsl"}));
    EXPECT_EQ(formats.copied().id, QStringLiteral("hex"));
    EXPECT_EQ(idsOf(formats.available()).size(), 18);
    EXPECT_EQ(store.writes, 0);
}

// A newer version's ids, a removed template's id and a hand-edited value: ignored when read,
// and the unknown ids still in the file after the user changes the list.
TEST(FormatPreferences, IgnoreAndKeepWhatThisVersionDoesNotKnow)
{
    MemoryPreferencesStore store;
    store.setString(shownKey,
                    QStringLiteral(R"(["oklch","lab-d50","hex",7,"template-9","oklch"])"));
    store.setString(copiedKey, QStringLiteral("lab-d50"));
    AppSettings settings(store);
    FormatPreferences formats(settings);
    EXPECT_EQ(idsOf(formats.shown()), ids({"oklch", "hex"}));
    EXPECT_EQ(formats.copied().id, QStringLiteral("hex"));

    formats.setShown(ids({"rgb", "oklch"}));
    EXPECT_EQ(store.stringForKey(shownKey),
              QStringLiteral(R"(["rgb","oklch","lab-d50","template-9"])"));
    formats.setCopied(QStringLiteral("no-such-format"));
    EXPECT_EQ(store.stringForKey(copiedKey), QStringLiteral("lab-d50"));
    formats.setCopied(QStringLiteral("css-rgb"));
    EXPECT_EQ(formats.copied().id, QStringLiteral("css-rgb"));

    for (const char* broken : {"", "hex,rgb", "{\"hex\":1}", "[\"hex\""}) {
        store.changeElsewhere({{shownKey, QString::fromLatin1(broken)}});
        EXPECT_EQ(idsOf(formats.shown()), ids({"hex", "rgb", "hsl"})) << broken;
    }
    // An empty list is a choice: no rows.
    formats.setShown({});
    EXPECT_EQ(formats.shown(), QList<ColorFormat>());
}

TEST(FormatPreferences, AddTemplatesThatWorkAndRemoveThemWithTheirRowAndCopy)
{
    MemoryPreferencesStore store;
    AppSettings settings(store);
    FormatPreferences formats(settings);
    EXPECT_EQ(formats.addTemplate(QStringLiteral(" Flutter "), QStringLiteral("Color(0xFF{hex})")),
              std::nullopt);
    EXPECT_EQ(idsOf(formats.shown()), ids({"hex", "rgb", "hsl", "template-1"}));
    const ColorFormat flutter = formats.shown().last();
    EXPECT_EQ(flutter.label, QStringLiteral("Flutter"));
    EXPECT_EQ(flutter.format(worked), QStringLiteral("Color(0xFF3A7BD5)"));
    EXPECT_EQ(flutter.copiedMessage(), QStringLiteral("Flutter copied"));

    const int writes = store.writes;
    EXPECT_EQ(formats.addTemplate(QStringLiteral("Bad"), QStringLiteral("{alpha}")),
              QStringLiteral("unknown placeholder \"{alpha}\""));
    EXPECT_EQ(formats.addTemplate(QStringLiteral("HEX"), QStringLiteral("{hex}")),
              QStringLiteral("a format named \"HEX\" exists"));
    EXPECT_EQ(formats.addTemplate(QStringLiteral("Flutter "), QStringLiteral("{hex}")),
              QStringLiteral("a format named \"Flutter\" exists"));
    EXPECT_EQ(formats.addTemplate(QStringLiteral("  "), QStringLiteral("{hex}")),
              QStringLiteral("the format needs a name"));
    EXPECT_EQ(store.writes, writes);

    EXPECT_EQ(formats.addTemplate(QStringLiteral("Swift"), QStringLiteral("{rf}")), std::nullopt);
    formats.setCopied(QStringLiteral("template-1"));
    formats.removeTemplate(QStringLiteral("template-1"));
    EXPECT_EQ(idsOf(formats.shown()), ids({"hex", "rgb", "hsl", "template-2"}));
    EXPECT_EQ(formats.copied().id, QStringLiteral("hex"));
    // A new template never takes a removed one's id.
    EXPECT_EQ(formats.addTemplate(QStringLiteral("Third"), QStringLiteral("{r}")), std::nullopt);
    EXPECT_EQ(formats.shown().last().id, QStringLiteral("template-3"));
}

namespace {

// The model's formats over a store in memory, and how often it announced they changed.
struct ModelFormats : testing::Test
{
    MemoryPreferencesStore store;
    FakeScreenSampler sampler;
    FakeClipboard clipboard;
    PickerOverStore picker{store, sampler, clipboard};
    ColorPickerModel& model = picker.model;
    QSignalSpy changed{&model, &ColorPickerModel::formatsChanged};
};

} // namespace

TEST_F(ModelFormats, APickCopiesTheCopiedFormatAndStillStoresHex)
{
    model.adopt(worked);
    EXPECT_EQ(clipboard.texts.last(), QStringLiteral("#3A7BD5"));
    EXPECT_EQ(model.copyConfirmation(), QStringLiteral("Hex copied"));

    model.setCopiedFormat(QStringLiteral("oklch"));
    model.setCopiedFormat(QStringLiteral("oklch"));
    EXPECT_EQ(changed.count(), 1);
    model.adopt(worked);
    EXPECT_EQ(clipboard.texts.last(), QStringLiteral("oklch(58.62% 0.1533 257.23)"));
    EXPECT_EQ(model.copyConfirmation(), QStringLiteral("OKLCH copied"));
    EXPECT_EQ(store.stringForKey(QStringLiteral("colorpicker.currentHex")),
              QStringLiteral("#3A7BD5"));

    EXPECT_EQ(model.addTemplate(QStringLiteral("Flutter"), QStringLiteral("Color(0xFF{hex})")),
              std::nullopt);
    model.setCopiedFormat(QStringLiteral("template-1"));
    model.adopt({1, 2, 3});
    EXPECT_EQ(clipboard.texts.last(), QStringLiteral("Color(0xFF010203)"));
    EXPECT_EQ(changed.count(), 3);
}

// Another process changed the formats: the model announces it once, and not at all when the
// rows and the copied format read as before.
TEST_F(ModelFormats, FollowFormatsChangedElsewhere)
{
    store.changeElsewhere(
        {{shownKey, QStringLiteral(R"(["hex","rgb","hsl","from-a-newer-one"])")}});
    EXPECT_EQ(changed.count(), 0);

    store.changeElsewhere(
        {{templatesKey,
          QStringLiteral(R"([{"id":"template-1","name":"Bare","template":"{hex}"}])")},
         {shownKey, QStringLiteral(R"(["template-1"])")},
         {copiedKey, QStringLiteral("template-1")}});
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(idsOf(model.shownFormats()), ids({"template-1"}));
    model.adopt(worked);
    EXPECT_EQ(clipboard.texts.last(), QStringLiteral("3A7BD5"));
    EXPECT_EQ(store.writes, 2) << "the colour and the recents; no format key";
}
