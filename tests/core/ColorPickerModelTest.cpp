#include "core/ColorPickerModel.h"
#include "FakeClipboard.h"
#include "FakeScreenSampler.h"
#include "GreyColors.h"
#include "MemoryPreferencesStore.h"
#include "PickerOverStore.h"
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

// Counts each notify signal of a model.
struct Spies
{
    explicit Spies(ColorPickerModel& model)
        : current(&model, &ColorPickerModel::currentChanged),
          recents(&model.recents(), &RecentColors::changed),
          sampling(&model, &ColorPickerModel::isSamplingChanged),
          confirmation(&model, &ColorPickerModel::copyConfirmationChanged)
    {
    }
    QSignalSpy current, recents, sampling, confirmation;
};

class ColorPickerModelTest : public testing::Test
{
protected:
    // The model over the store, with its settings and recent colours, as a launch builds it.
    std::unique_ptr<PickerOverStore> makePicker()
    {
        return std::make_unique<PickerOverStore>(store, sampler, clipboard);
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
    const auto picker = makePicker();
    ColorPickerModel& model = picker->model;
    EXPECT_EQ(model.current(), std::nullopt);
    EXPECT_TRUE(model.recents().all().isEmpty());
    EXPECT_FALSE(model.isSampling());
    EXPECT_EQ(model.copyConfirmation(), std::nullopt);
    EXPECT_EQ(model.currentHex(), QString());
    EXPECT_EQ(store.writes, 0);
}

TEST_F(ColorPickerModelTest, PickAnsweredFromAnotherThreadAdoptsCopiesConfirmsAndPersists)
{
    const auto picker = makePicker();
    ColorPickerModel& model = picker->model;
    Spies spies(model);

    model.pickColor();
    EXPECT_TRUE(model.isSampling());
    EXPECT_EQ(sampler.shown, 1);
    sampler.answerFromAnotherThread(componentsOf(worked));
    // The answer is handled on the main thread, not inside the sampler's callback.
    EXPECT_TRUE(model.isSampling());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model.isSampling(); }));

    EXPECT_EQ(model.current(), worked);
    EXPECT_EQ(model.recents().all(), QList<PickedColor>{worked});
    EXPECT_EQ(clipboard.texts, QStringList{"#3A7BD5"});
    EXPECT_EQ(model.copyConfirmation(), QStringLiteral("Hex copied"));
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
        const auto picker = makePicker();
        ColorPickerModel& model = picker->model;
        Spies spies(model);

        pick(model, answer);

        EXPECT_EQ(spies.sampling.count(), 2);
        EXPECT_EQ(spies.current.count() + spies.recents.count() + spies.confirmation.count(), 0);
        EXPECT_EQ(model.current(), (PickedColor{255, 0, 0}));
        EXPECT_TRUE(clipboard.texts.isEmpty());
        EXPECT_EQ(store.writes, 0);
    }
    EXPECT_TRUE(log.entries().empty()) << "a dismissal is not worth a log line";
}

TEST_F(ColorPickerModelTest, APickThatCouldNotRunEndsAsADismissalAndSaysWhyUntilAPickRuns)
{
    const auto picker = makePicker();
    ColorPickerModel& model = picker->model;
    Spies spies(model);
    QSignalSpy unavailable(&model, &ColorPickerModel::pickUnavailableChanged);

    sampler.reason = "Screen picking needs the desktop portal.";
    pick(model, std::nullopt);
    pick(model, std::nullopt); // said once: the same words do not notify again
    EXPECT_EQ(model.pickUnavailable(), QStringLiteral("Screen picking needs the desktop portal."));
    EXPECT_EQ(unavailable.count(), 1);
    EXPECT_EQ(spies.current.count() + spies.recents.count() + spies.confirmation.count(), 0);
    EXPECT_TRUE(clipboard.texts.isEmpty());
    EXPECT_EQ(store.writes, 0);

    sampler.reason.clear(); // the user dismissed a pick that ran
    pick(model, std::nullopt);
    EXPECT_EQ(model.pickUnavailable(), QString());
    sampler.reason = "no portal";
    pick(model, std::nullopt);
    pick(model, componentsOf(worked));
    EXPECT_EQ(model.pickUnavailable(), QString());
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
        const auto picker = makePicker();
        ColorPickerModel& model = picker->model;
        std::vector<PickOutcome> outcomes;
        QString currentWhenEnded;
        QObject::connect(&model, &ColorPickerModel::pickEnded, [&](const PickOutcome& o) {
            outcomes.push_back(o);
            currentWhenEnded = model.currentHex();
        });
        sampler.reason = c.reason;
        pick(model, c.answer);
        ASSERT_EQ(outcomes.size(), 1u) << c.reason;
        EXPECT_EQ(outcomes.front(), c.expected) << c.expected.hex.toStdString();
        if (c.expected.kind == Kind::picked) {
            EXPECT_EQ(currentWhenEnded, c.expected.hex) << "ended before the colour was adopted";
        }
    }
}

TEST_F(ColorPickerModelTest, SecondPickWhileSamplingShowsNoSecondSamplerAndARepeatedAnswerIsIgnored)
{
    const auto picker = makePicker();
    ColorPickerModel& model = picker->model;
    Spies spies(model);
    model.pickColor();
    model.pickColor();
    EXPECT_EQ(sampler.shown, 1);
    EXPECT_EQ(spies.sampling.count(), 1);

    sampler.answer(componentsOf(worked));
    sampler.answer(componentsOf(grey(0))); // a faulty sampler answering twice
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model.isSampling(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(model.current(), worked);
    EXPECT_EQ(clipboard.texts, QStringList{"#3A7BD5"});

    model.pickColor();
    EXPECT_EQ(sampler.shown, 2);
}

TEST_F(ColorPickerModelTest, RecentsKeepTheEightNewestFirstWithoutDuplicates)
{
    const auto picker = makePicker();
    ColorPickerModel& model = picker->model;
    for (int level = 1; level <= 9; ++level)
        pick(model, componentsOf(grey(level)));
    QList<PickedColor> expected;
    for (int level = 9; level >= 2; --level)
        expected.append(grey(level));
    EXPECT_EQ(model.recents().all(), expected);

    // Picking the third entry moves it to the front; the length stays.
    pick(model, componentsOf(grey(7)));
    expected.move(2, 0);
    EXPECT_EQ(model.recents().all(), expected);
    EXPECT_EQ(
        store.values.value(recentsKey).toByteArray(),
        R"(["#070707","#090909","#080808","#060606","#050505","#040404","#030303","#020202"])");

    // Clicking the newest chip copies and confirms again but changes no observable list.
    Spies spies(model);
    clipboard.texts.clear();
    model.adopt(model.recents().all().front());
    EXPECT_EQ(model.recents().all(), expected);
    EXPECT_EQ(clipboard.texts, QStringList{"#070707"});
    EXPECT_EQ(model.copyConfirmation(), QStringLiteral("Hex copied"));
    EXPECT_EQ(spies.current.count() + spies.recents.count() + spies.confirmation.count(), 0);
}

TEST_F(ColorPickerModelTest, CopyValueCopiesAndConfirmsOnlyWhenTheCopyHappened)
{
    store.values = {{currentKey, "#3A7BD5"}};
    const auto picker = makePicker();
    ColorPickerModel& model = picker->model;

    model.copyValue(QStringLiteral("58, 123, 213"), QStringLiteral("RGB copied"));
    EXPECT_EQ(clipboard.texts, QStringList{"58, 123, 213"});
    EXPECT_EQ(model.copyConfirmation(), QStringLiteral("RGB copied"));
    EXPECT_EQ(model.current(), worked);
    EXPECT_EQ(store.writes, 0);

    clipboard.succeeds = false;
    model.copyValue(QStringLiteral("#3A7BD5"), QStringLiteral("HEX copied"));
    EXPECT_EQ(model.copyConfirmation(), QStringLiteral("RGB copied"));

    // A deferred copy confirms when the clipboard reports it done.
    clipboard.succeeds = true;
    clipboard.deferred = true;
    model.copyValue(QStringLiteral("215°, 65%, 53%"), QStringLiteral("HSL copied"));
    EXPECT_EQ(model.copyConfirmation(), QStringLiteral("RGB copied"));
    clipboard.pending(true);
    EXPECT_EQ(model.copyConfirmation(), QStringLiteral("HSL copied"));
}

TEST_F(ColorPickerModelTest, ConfirmationLastsOneAndAHalfSecondsFromTheNewestMessage)
{
    const auto picker = makePicker();
    ColorPickerModel& model = picker->model;
    Spies spies(model);
    model.copyValue(QStringLiteral("a"), QStringLiteral("HEX copied"));
    QTest::qWait(500); // far from 1.5 s, so a slow machine cannot let the first clear run
    QElapsedTimer sinceNewest;
    sinceNewest.start();
    model.copyValue(QStringLiteral("b"), QStringLiteral("RGB copied"));

    // The first message's clear would come after 1 s; only the newest one's counts.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model.copyConfirmation(); }, 10000));
    EXPECT_GE(sinceNewest.elapsed(), 1490);
    ASSERT_EQ(spies.confirmation.count(), 3);
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
        const auto picker = makePicker();
        ColorPickerModel& model = picker->model;

        // Neither a copy nor a dismissed pick touches the store.
        model.copyValue(QStringLiteral("x"), QStringLiteral("HEX copied"));
        pick(model, std::nullopt);
        EXPECT_EQ(store.values.value(recentsKey).toByteArray(), c.stored);
        EXPECT_EQ(store.values.value(currentKey).toString(), QStringLiteral("not a colour"));

        model.adopt(c.adopted);
        EXPECT_EQ(store.values.value(recentsKey).toByteArray(), c.expected);
        EXPECT_EQ(store.values.value(currentKey).toString(), c.adopted.hexString());
    }
}

TEST_F(ColorPickerModelTest, AnswersArrivingAfterTheModelIsGoneAreDropped)
{
    auto picker = makePicker();
    ColorPickerModel& model = picker->model;
    model.pickColor();
    clipboard.deferred = true;
    model.copyValue(QStringLiteral("x"), QStringLiteral("HEX copied"));
    picker.reset();

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
    auto picker = makePicker();
    ColorPickerModel& model = picker->model;
    model.adopt(grey(1));
    clipboard.texts.clear();

    clipboard.held = QStringLiteral(" rgb(58, 123, 213)\n");
    model.pasteColor();
    EXPECT_EQ(model.current(), worked);
    EXPECT_EQ(model.recents().all(), QList<PickedColor>({worked, grey(1)}));
    EXPECT_EQ(model.copyConfirmation(), QStringLiteral("Color pasted"));
    EXPECT_TRUE(clipboard.texts.isEmpty());

    for (const char* text : {"", "hsl(215 65% 53%)", "#3A7BD5 and more"}) {
        clipboard.held = QString::fromUtf8(text);
        model.pasteColor();
        EXPECT_EQ(model.current(), worked) << text;
        EXPECT_EQ(model.copyConfirmation(), QStringLiteral("No color on the clipboard"));
    }
    EXPECT_EQ(model.recents().all().size(), 2);
    EXPECT_TRUE(clipboard.texts.isEmpty());

    const auto relaunched = makePicker();
    EXPECT_EQ(relaunched->model.current(), worked);
    EXPECT_EQ(relaunched->recents.all(), QList<PickedColor>({worked, grey(1)}));
}

TEST_F(ColorPickerModelTest, ARecentColourCanBeRemovedAndTheRowClearedAndRestored)
{
    store.values = {{currentKey, "#050505"}, {recentsKey, hexList(greys(5, 5))}};
    const auto picker = makePicker();
    ColorPickerModel& model = picker->model;
    model.recents().remove(grey(3));
    EXPECT_EQ(store.values.value(recentsKey).toByteArray(),
              hexList({grey(5), grey(4), grey(2), grey(1)}));
    EXPECT_EQ(model.current(), grey(5)) << "the current colour stays";

    model.clearRecents();
    EXPECT_TRUE(model.recents().all().isEmpty());
    EXPECT_EQ(store.values.value(recentsKey).toByteArray(), "[]");
    EXPECT_TRUE(model.recents().canUndoClear());
    EXPECT_EQ(model.copyConfirmation(), QStringLiteral("Recent colors cleared · Undo"));

    model.undoClear();
    EXPECT_FALSE(model.recents().canUndoClear());
    EXPECT_EQ(store.values.value(recentsKey).toByteArray(),
              hexList({grey(5), grey(4), grey(2), grey(1)}));
    EXPECT_EQ(makePicker()->recents.all().size(), 4);

    // Another message ends the chance to undo, and so does the capsule's end after 5 s.
    model.clearRecents();
    model.copyValue(QStringLiteral("x"), QStringLiteral("Copied"));
    EXPECT_FALSE(model.recents().canUndoClear());
    model.undoClear();
    EXPECT_TRUE(model.recents().all().isEmpty());

    model.adopt(grey(9));
    model.clearRecents();
    QElapsedTimer elapsed;
    elapsed.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model.recents().canUndoClear(); }, 15000));
    EXPECT_GE(elapsed.elapsed(), 4900);
    EXPECT_FALSE(model.copyConfirmation());
}

// A comparison opens with a recent colour or with a second pick, which leaves the current
// colour, the recents and the clipboard as they were.
TEST_F(ColorPickerModelTest, AContrastPartnerComesFromARecentOrASecondPick)
{
    store.values = {{currentKey, "#3A7BD5"}, {recentsKey, hexList({worked, grey(1)})}};
    const auto picker = makePicker();
    ColorPickerModel& model = picker->model;
    QSignalSpy partner(&model, &ColorPickerModel::contrastPartnerChanged);
    model.compareWith(grey(1));
    EXPECT_EQ(model.contrastPartner(), grey(1));

    model.pickContrastPartner();
    sampler.answerFromAnotherThread(componentsOf(grey(200)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model.isSampling(); }));
    EXPECT_EQ(model.contrastPartner(), grey(200));
    EXPECT_EQ(model.current(), worked);
    EXPECT_EQ(model.recents().all(), QList<PickedColor>({worked, grey(1)}));
    EXPECT_TRUE(clipboard.texts.isEmpty());

    pick(model, componentsOf(grey(7))); // an ordinary pick after it is adopted
    EXPECT_EQ(model.current(), grey(7));
    EXPECT_EQ(model.contrastPartner(), grey(200));
    model.closeContrast();
    EXPECT_FALSE(model.contrastPartner());
    EXPECT_EQ(partner.count(), 3);
}
