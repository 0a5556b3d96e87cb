#include "ColorPickerModel.h"
#include "FakeClipboard.h"
#include "FakeScreenSampler.h"
#include "MemoryPreferencesStore.h"
#include "RecordingLogSink.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString currentKey = QStringLiteral("colorpicker.currentHex");
const QString recentsKey = QStringLiteral("colorpicker.recentHexes");
const PickedColor worked{58, 123, 213};

SrgbComponents componentsOf(const PickedColor& color)
{
    return {color.red / 255.0, color.green / 255.0, color.blue / 255.0};
}

PickedColor grey(int level)
{
    const auto channel = static_cast<std::uint8_t>(level);
    return {channel, channel, channel};
}

// Counts each notify signal of a model.
struct Spies
{
    explicit Spies(ColorPickerModel& model)
        : current(&model, &ColorPickerModel::currentChanged),
          recents(&model, &ColorPickerModel::recentsChanged),
          sampling(&model, &ColorPickerModel::isSamplingChanged),
          confirmation(&model, &ColorPickerModel::copyConfirmationChanged)
    {
    }
    QSignalSpy current, recents, sampling, confirmation;
};

class ColorPickerModelTest : public testing::Test
{
protected:
    std::unique_ptr<ColorPickerModel> makeModel()
    {
        return std::make_unique<ColorPickerModel>(store, sampler, clipboard);
    }

    // Runs a pick that the sampler answers from another thread, and waits for its end.
    void pick(ColorPickerModel& model, std::optional<SrgbComponents> answer)
    {
        model.pickColor();
        sampler.answerFromAnotherThread(answer);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !model.isSampling(); }));
    }

    MemoryPreferencesStore store;
    FakeScreenSampler sampler;
    FakeClipboard clipboard;
};

} // namespace

TEST_F(ColorPickerModelTest, StartsEmptyAndWritesNothingUntilTheFirstPick)
{
    const auto model = makeModel();
    EXPECT_EQ(model->current(), std::nullopt);
    EXPECT_TRUE(model->recents().isEmpty());
    EXPECT_FALSE(model->isSampling());
    EXPECT_EQ(model->copyConfirmation(), std::nullopt);
    EXPECT_EQ(model->currentHex(), QString());
    EXPECT_EQ(store.writes, 0);
}

TEST_F(ColorPickerModelTest, PickAnsweredFromAnotherThreadAdoptsCopiesConfirmsAndPersists)
{
    const auto model = makeModel();
    Spies spies(*model);

    model->pickColor();
    EXPECT_TRUE(model->isSampling());
    EXPECT_EQ(sampler.shown, 1);
    sampler.answerFromAnotherThread(componentsOf(worked));
    // The answer is handled on the main thread, not inside the sampler's callback.
    EXPECT_TRUE(model->isSampling());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model->isSampling(); }));

    EXPECT_EQ(model->current(), worked);
    EXPECT_EQ(model->recents(), QList<PickedColor>{worked});
    EXPECT_EQ(clipboard.texts, QStringList{"#3A7BD5"});
    EXPECT_EQ(model->copyConfirmation(), QStringLiteral("Hex copied"));
    EXPECT_EQ(store.values.value(currentKey), QVariant(QStringLiteral("#3A7BD5")));
    EXPECT_EQ(store.values.value(recentsKey), QVariant(QByteArray(R"(["#3A7BD5"])")));
    EXPECT_EQ(store.values.size(), 2);
    EXPECT_EQ(spies.sampling.count(), 2);
    EXPECT_EQ(spies.current.count(), 1);
    EXPECT_EQ(spies.recents.count(), 1);
    EXPECT_EQ(spies.confirmation.count(), 1);
}

TEST_F(ColorPickerModelTest, DismissedOrUnconvertiblePickChangesNothingElse)
{
    const RecordingLogSink log;
    const std::optional<SrgbComponents> answers[] = {std::nullopt, SrgbComponents{1.5, 0, 0}};
    for (const auto& answer : answers) {
        store.values = {{currentKey, "#FF0000"}, {recentsKey, QByteArray(R"(["#FF0000"])")}};
        store.writes = 0;
        clipboard.texts.clear();
        const auto model = makeModel();
        Spies spies(*model);

        pick(*model, answer);

        EXPECT_EQ(spies.sampling.count(), 2);
        EXPECT_EQ(spies.current.count() + spies.recents.count() + spies.confirmation.count(), 0);
        EXPECT_EQ(model->current(), (PickedColor{255, 0, 0}));
        EXPECT_TRUE(clipboard.texts.isEmpty());
        EXPECT_EQ(store.writes, 0);
    }
    EXPECT_TRUE(log.entries().empty()) << "a dismissal is not worth a log line";
}

TEST_F(ColorPickerModelTest, APickThatCouldNotRunEndsAsADismissalAndSaysWhyUntilAPickRuns)
{
    const auto model = makeModel();
    Spies spies(*model);
    QSignalSpy unavailable(model.get(), &ColorPickerModel::pickUnavailableChanged);

    sampler.reason = "Screen picking needs the desktop portal.";
    pick(*model, std::nullopt);
    pick(*model, std::nullopt); // said once: the same words do not notify again
    EXPECT_EQ(model->pickUnavailable(), QStringLiteral("Screen picking needs the desktop portal."));
    EXPECT_EQ(unavailable.count(), 1);
    EXPECT_EQ(spies.current.count() + spies.recents.count() + spies.confirmation.count(), 0);
    EXPECT_TRUE(clipboard.texts.isEmpty());
    EXPECT_EQ(store.writes, 0);

    sampler.reason.clear(); // the user dismissed a pick that ran
    pick(*model, std::nullopt);
    EXPECT_EQ(model->pickUnavailable(), QString());
    sampler.reason = "no portal";
    pick(*model, std::nullopt);
    pick(*model, componentsOf(worked));
    EXPECT_EQ(model->pickUnavailable(), QString());
    EXPECT_EQ(unavailable.count(), 4);
}

TEST_F(ColorPickerModelTest, EachPickEndsWithOneOutcomeAfterTheColourIsAdopted)
{
    using Kind = PickOutcome::Kind;
    const struct
    {
        std::optional<SrgbComponents> answer;
        std::string reason; // the sampler's
        PickOutcome expected;
    } cases[] = {
        {componentsOf(worked), "", {Kind::picked, QStringLiteral("#3A7BD5"), QString()}},
        {std::nullopt, "", {Kind::cancelled, QString(), QString()}},
        {SrgbComponents{1.5, 0, 0}, "", {Kind::cancelled, QString(), QString()}},
        {std::nullopt, "no portal", {Kind::unavailable, QString(), QStringLiteral("no portal")}},
    };
    for (const auto& c : cases) {
        const auto model = makeModel();
        std::vector<PickOutcome> outcomes;
        QString currentWhenEnded;
        QObject::connect(model.get(), &ColorPickerModel::pickEnded, [&](const PickOutcome& o) {
            outcomes.push_back(o);
            currentWhenEnded = model->currentHex();
        });
        sampler.reason = c.reason;
        pick(*model, c.answer);
        ASSERT_EQ(outcomes.size(), 1u) << c.reason;
        EXPECT_EQ(outcomes.front(), c.expected) << c.expected.hex.toStdString();
        if (c.expected.kind == Kind::picked) {
            EXPECT_EQ(currentWhenEnded, c.expected.hex) << "ended before the colour was adopted";
        }
    }
}

TEST_F(ColorPickerModelTest, SecondPickWhileSamplingShowsNoSecondSamplerAndARepeatedAnswerIsIgnored)
{
    const auto model = makeModel();
    Spies spies(*model);
    model->pickColor();
    model->pickColor();
    EXPECT_EQ(sampler.shown, 1);
    EXPECT_EQ(spies.sampling.count(), 1);

    sampler.answer(componentsOf(worked));
    sampler.answer(componentsOf(grey(0))); // a faulty sampler answering twice
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model->isSampling(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(model->current(), worked);
    EXPECT_EQ(clipboard.texts, QStringList{"#3A7BD5"});

    model->pickColor();
    EXPECT_EQ(sampler.shown, 2);
}

TEST_F(ColorPickerModelTest, RecentsKeepTheEightNewestFirstWithoutDuplicates)
{
    const auto model = makeModel();
    for (int level = 1; level <= 9; ++level)
        pick(*model, componentsOf(grey(level)));
    QList<PickedColor> expected;
    for (int level = 9; level >= 2; --level)
        expected.append(grey(level));
    EXPECT_EQ(model->recents(), expected);

    // Picking the third entry moves it to the front; the length stays.
    pick(*model, componentsOf(grey(7)));
    expected.move(2, 0);
    EXPECT_EQ(model->recents(), expected);
    EXPECT_EQ(
        store.values.value(recentsKey).toByteArray(),
        R"(["#070707","#090909","#080808","#060606","#050505","#040404","#030303","#020202"])");

    // Clicking the newest chip copies and confirms again but changes no observable list.
    Spies spies(*model);
    clipboard.texts.clear();
    model->adopt(model->recents().front());
    EXPECT_EQ(model->recents(), expected);
    EXPECT_EQ(clipboard.texts, QStringList{"#070707"});
    EXPECT_EQ(model->copyConfirmation(), QStringLiteral("Hex copied"));
    EXPECT_EQ(spies.current.count() + spies.recents.count() + spies.confirmation.count(), 0);
}

TEST_F(ColorPickerModelTest, CopyValueCopiesAndConfirmsOnlyWhenTheCopyHappened)
{
    store.values = {{currentKey, "#3A7BD5"}};
    const auto model = makeModel();

    model->copyValue(QStringLiteral("58, 123, 213"), QStringLiteral("RGB copied"));
    EXPECT_EQ(clipboard.texts, QStringList{"58, 123, 213"});
    EXPECT_EQ(model->copyConfirmation(), QStringLiteral("RGB copied"));
    EXPECT_EQ(model->current(), worked);
    EXPECT_EQ(store.writes, 0);

    clipboard.succeeds = false;
    model->copyValue(QStringLiteral("#3A7BD5"), QStringLiteral("HEX copied"));
    EXPECT_EQ(model->copyConfirmation(), QStringLiteral("RGB copied"));

    // A deferred copy confirms when the clipboard reports it done.
    clipboard.succeeds = true;
    clipboard.deferred = true;
    model->copyValue(QStringLiteral("215°, 65%, 53%"), QStringLiteral("HSL copied"));
    EXPECT_EQ(model->copyConfirmation(), QStringLiteral("RGB copied"));
    clipboard.pending(true);
    EXPECT_EQ(model->copyConfirmation(), QStringLiteral("HSL copied"));
}

TEST_F(ColorPickerModelTest, ConfirmationLastsOneAndAHalfSecondsFromTheNewestMessage)
{
    const auto model = makeModel();
    Spies spies(*model);
    model->copyValue(QStringLiteral("a"), QStringLiteral("HEX copied"));
    QTest::qWait(500); // far from 1.5 s, so a slow machine cannot let the first clear run
    QElapsedTimer sinceNewest;
    sinceNewest.start();
    model->copyValue(QStringLiteral("b"), QStringLiteral("RGB copied"));

    // The first message's clear would come after 1 s; only the newest one's counts.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model->copyConfirmation(); }, 10000));
    EXPECT_GE(sinceNewest.elapsed(), 1490);
    ASSERT_EQ(spies.confirmation.count(), 3);
}

TEST_F(ColorPickerModelTest, LoadsWhatItCanReadAndWritesNothingBack)
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
        store.values.clear();
        if (c.current.isValid())
            store.values.insert(currentKey, c.current);
        if (c.recents.isValid())
            store.values.insert(recentsKey, c.recents);
        const auto stored = store.values;
        store.writes = 0;

        const auto model = makeModel();
        EXPECT_EQ(model->current(), c.expectedCurrent);
        EXPECT_EQ(model->recents(), c.expectedRecents);
        EXPECT_EQ(store.writes, 0);
        EXPECT_EQ(store.values, stored);
    }
    EXPECT_TRUE(log.entries().empty()) << "bad stored data is skipped silently";
}

TEST_F(ColorPickerModelTest, StoredDataItCouldNotUseIsReplacedOnlyByTheNextAdoptedColour)
{
    struct Case
    {
        const char* name;
        QByteArray stored;
        PickedColor adopted;
        QByteArray expected;
    };
    QByteArray twelve = "[";
    for (int level = 1; level <= 12; ++level)
        twelve += (level > 1 ? "," : "") + ('"' + grey(level).hexString().toLatin1() + '"');
    twelve += "]";

    const Case cases[] = {
        {"garbage", QByteArray("\xff\x00[", 3), worked, R"(["#3A7BD5"])"},
        {"duplicates collapse", R"(["#3A7BD5","x","#3a7bd5"])", worked, R"(["#3A7BD5"])"},
        {"twelve cut to eight", twelve, worked,
         R"(["#3A7BD5","#010101","#020202","#030303","#040404","#050505","#060606","#070707"])"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        store.values = {{currentKey, "not a colour"}, {recentsKey, c.stored}};
        const auto model = makeModel();

        // Neither a copy nor a dismissed pick touches the store.
        model->copyValue(QStringLiteral("x"), QStringLiteral("HEX copied"));
        pick(*model, std::nullopt);
        EXPECT_EQ(store.values.value(recentsKey).toByteArray(), c.stored);
        EXPECT_EQ(store.values.value(currentKey).toString(), QStringLiteral("not a colour"));

        model->adopt(c.adopted);
        EXPECT_EQ(store.values.value(recentsKey).toByteArray(), c.expected);
        EXPECT_EQ(store.values.value(currentKey).toString(), c.adopted.hexString());
    }
}

TEST_F(ColorPickerModelTest, AnswersArrivingAfterTheModelIsGoneAreDropped)
{
    auto model = makeModel();
    model->pickColor();
    clipboard.deferred = true;
    model->copyValue(QStringLiteral("x"), QStringLiteral("HEX copied"));
    model.reset();

    sampler.answerFromAnotherThread(componentsOf(worked));
    clipboard.pending(true);
    QTest::qWait(50);
    QCoreApplication::processEvents();

    EXPECT_EQ(clipboard.texts, QStringList{"x"});
    EXPECT_EQ(store.writes, 0);
}

// A paste makes the clipboard's colour current and first of the recents, stored for the next
// launch, and copies nothing; text that is no colour changes nothing and says so.
TEST_F(ColorPickerModelTest, PastesAColourInAnyReadableNotationWithoutCopying)
{
    auto model = makeModel();
    model->adopt(grey(1));
    clipboard.texts.clear();

    clipboard.held = QStringLiteral(" rgb(58, 123, 213)\n");
    model->pasteColor();
    EXPECT_EQ(model->current(), worked);
    EXPECT_EQ(model->recents(), QList<PickedColor>({worked, grey(1)}));
    EXPECT_EQ(model->copyConfirmation(), QStringLiteral("Color pasted"));
    EXPECT_TRUE(clipboard.texts.isEmpty());

    for (const char* text : {"", "hsl(215 65% 53%)", "#3A7BD5 and more"}) {
        clipboard.held = QString::fromUtf8(text);
        model->pasteColor();
        EXPECT_EQ(model->current(), worked) << text;
        EXPECT_EQ(model->copyConfirmation(), QStringLiteral("No color on the clipboard"));
    }
    EXPECT_EQ(model->recents().size(), 2);
    EXPECT_TRUE(clipboard.texts.isEmpty());

    const auto relaunched = makeModel();
    EXPECT_EQ(relaunched->current(), worked);
    EXPECT_EQ(relaunched->recents(), QList<PickedColor>({worked, grey(1)}));
}

namespace {

QByteArray hexList(const QList<PickedColor>& colors)
{
    QByteArray list = "[";
    for (const PickedColor& color : colors)
        list += (list.size() > 1 ? "," : "") + ('"' + color.hexString().toLatin1() + '"');
    return list + "]";
}

QList<PickedColor> greys(int newest, int count)
{
    QList<PickedColor> colors;
    for (int level = newest; level > newest - count; --level)
        colors.append(grey(level));
    return colors;
}

} // namespace

// The setting's three lengths, and a stored value that is none of them.
TEST_F(ColorPickerModelTest, RecentsKeepAsManyAsTheLimitAllows)
{
    const struct
    {
        const char* stored;
        int limit;
    } cases[] = {{nullptr, 8}, {"16", 16}, {"32", 32}, {"12", 8}, {"many", 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "unset");
        store.values.clear();
        if (c.stored)
            store.values.insert(ColorPickerModel::recentLimitKey, QString::fromLatin1(c.stored));
        const auto model = makeModel();
        EXPECT_EQ(model->recentLimit(), c.limit);
        for (int level = 1; level <= 40; ++level)
            pick(*model, componentsOf(grey(level)));
        EXPECT_EQ(model->shownRecents(), greys(40, c.limit));
        EXPECT_EQ(store.values.value(recentsKey).toByteArray(), hexList(greys(40, c.limit)));
    }
}

// Lowering the limit hides the tail; only the next pick cuts it from the file, so raising
// the limit again before then brings it back.
TEST_F(ColorPickerModelTest, ALoweredLimitCutsTheStoredListOnlyAtTheNextPick)
{
    store.values = {{ColorPickerModel::recentLimitKey, "32"}, {recentsKey, hexList(greys(32, 32))}};
    const auto model = makeModel();
    QSignalSpy shown(model.get(), &ColorPickerModel::recentsChanged);
    model->setRecentLimit(8);
    EXPECT_EQ(store.values.value(ColorPickerModel::recentLimitKey), "8");
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(model->shownRecents(), greys(32, 8));
    EXPECT_EQ(store.values.value(recentsKey).toByteArray(), hexList(greys(32, 32)));
    model->setRecentLimit(16);
    EXPECT_EQ(model->shownRecents(), greys(32, 16));
    model->setRecentLimit(7); // not offered: ignored
    EXPECT_EQ(model->recentLimit(), 16);

    model->setRecentLimit(8);
    pick(*model, componentsOf(grey(100)));
    QList<PickedColor> expected = {grey(100)};
    expected.append(greys(32, 7));
    EXPECT_EQ(store.values.value(recentsKey).toByteArray(), hexList(expected));
    EXPECT_EQ(makeModel()->recents(), expected);
}

TEST_F(ColorPickerModelTest, ARecentColourCanBeRemovedAndTheRowClearedAndRestored)
{
    store.values = {{currentKey, "#050505"}, {recentsKey, hexList(greys(5, 5))}};
    const auto model = makeModel();
    model->removeRecent(grey(3));
    EXPECT_EQ(store.values.value(recentsKey).toByteArray(),
              hexList({grey(5), grey(4), grey(2), grey(1)}));
    EXPECT_EQ(model->current(), grey(5)) << "the current colour stays";

    model->clearRecents();
    EXPECT_TRUE(model->recents().isEmpty());
    EXPECT_EQ(store.values.value(recentsKey).toByteArray(), "[]");
    EXPECT_TRUE(model->canUndoClear());
    EXPECT_EQ(model->copyConfirmation(), QStringLiteral("Recent colors cleared · Undo"));

    model->undoClear();
    EXPECT_FALSE(model->canUndoClear());
    EXPECT_EQ(store.values.value(recentsKey).toByteArray(),
              hexList({grey(5), grey(4), grey(2), grey(1)}));
    EXPECT_EQ(makeModel()->recents().size(), 4);

    // Another message ends the chance to undo, and so does the capsule's end after 5 s.
    model->clearRecents();
    model->copyValue(QStringLiteral("x"), QStringLiteral("Copied"));
    EXPECT_FALSE(model->canUndoClear());
    model->undoClear();
    EXPECT_TRUE(model->recents().isEmpty());

    model->adopt(grey(9));
    model->clearRecents();
    QElapsedTimer elapsed;
    elapsed.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model->canUndoClear(); }, 15000));
    EXPECT_GE(elapsed.elapsed(), 4900);
    EXPECT_FALSE(model->copyConfirmation());
}

// A comparison opens with a recent colour or with a second pick, which leaves the current
// colour, the recents and the clipboard as they were.
TEST_F(ColorPickerModelTest, AContrastPartnerComesFromARecentOrASecondPick)
{
    store.values = {{currentKey, "#3A7BD5"}, {recentsKey, hexList({worked, grey(1)})}};
    const auto model = makeModel();
    QSignalSpy partner(model.get(), &ColorPickerModel::contrastPartnerChanged);
    model->compareWith(grey(1));
    EXPECT_EQ(model->contrastPartner(), grey(1));

    model->pickContrastPartner();
    sampler.answerFromAnotherThread(componentsOf(grey(200)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model->isSampling(); }));
    EXPECT_EQ(model->contrastPartner(), grey(200));
    EXPECT_EQ(model->current(), worked);
    EXPECT_EQ(model->recents(), QList<PickedColor>({worked, grey(1)}));
    EXPECT_TRUE(clipboard.texts.isEmpty());

    pick(*model, componentsOf(grey(7))); // an ordinary pick after it is adopted
    EXPECT_EQ(model->current(), grey(7));
    EXPECT_EQ(model->contrastPartner(), grey(200));
    model->closeContrast();
    EXPECT_FALSE(model->contrastPartner());
    EXPECT_EQ(partner.count(), 3);
}
