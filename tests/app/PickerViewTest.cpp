#include "app/panel/PickerView.h"
#include "AppFakes.h"
#include "PickerOverStore.h"
#include "app/panel/Constants.h"
#include "app/panel/ContrastSection.h"
#include "app/panel/PanelFooter.h"
#include "app/panel/PickButton.h"
#include "app/panel/RecentChip.h"
#include "app/panel/RecentsSection.h"
#include "app/panel/SwatchView.h"
#include "app/panel/SymbolButton.h"
#include "app/panel/TextButton.h"
#include "app/panel/ValueRow.h"

#include <QAccessible>
#include <QAction>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>

namespace {

const QString recentHexesKey = QStringLiteral("colorpicker.recentHexes");

class PickerViewTest : public testing::Test, public PickerHarness
{
protected:
    PickerView view{picker};

    QStringList rowTexts() const
    {
        QStringList texts;
        for (ValueRow* row : view.valueRows())
            texts.append(row->valueLabel()->text());
        return texts;
    }
    QStringList chipHexes() const
    {
        QStringList hexes;
        for (RecentChip* chip : view.recentsSection()->chips())
            hexes.append(chip->toolTip());
        return hexes;
    }
    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
};

const QString enDash = QStringLiteral("\u2013");

// Each visible state of the panel, reached through the model only.
struct VisibleState
{
    const char* name;
    std::function<void(PickerHarness&)> reach;
    QString swatchName;
    QStringList rows;
    bool copyEnabled;
    bool pickEnabled;
    QStringList chips;
    QString capsule;
};

TEST_F(PickerViewTest, DrawsEachModelState)
{
    const QStringList blueRows{"#3A7BD5", "58, 123, 213", "215°, 65%, 53%"};
    const std::vector<VisibleState> states{
        {"first launch",
         [](PickerHarness&) {},
         "No color picked yet",
         {enDash, enDash, enDash},
         false,
         true,
         {},
         {}},
        {"after one pick",
         [](PickerHarness& h) {
             h.picker.pickColor();
             h.sampler.answer(SrgbComponents{58 / 255.0, 123 / 255.0, 213 / 255.0});
         },
         "Current color #3A7BD5",
         blueRows,
         true,
         true,
         {"#3A7BD5"},
         "Hex copied"},
        {"sampling",
         [](PickerHarness& h) {
             h.picker.adopt(color("#3A7BD5"));
             h.picker.pickColor();
         },
         "Current color #3A7BD5",
         blueRows,
         true,
         false,
         {"#3A7BD5"},
         "Hex copied"},
        {"eight recents, newest first",
         [](PickerHarness& h) {
             for (const char* hex : {"#000001", "#000002", "#000003", "#000004", "#000005",
                                     "#000006", "#000007", "#000008", "#3A7BD5"})
                 h.picker.adopt(color(hex));
         },
         "Current color #3A7BD5",
         blueRows,
         true,
         true,
         {"#3A7BD5", "#000008", "#000007", "#000006", "#000005", "#000004", "#000003", "#000002"},
         "Hex copied"},
    };

    for (const VisibleState& state : states) {
        SCOPED_TRACE(state.name);
        PickerHarness harness;
        PickerView stateView(harness.picker);
        state.reach(harness);
        QCoreApplication::processEvents(); // the sampler's answer arrives queued

        EXPECT_EQ(stateView.swatch()->accessibleName(), state.swatchName);
        for (int i = 0; i < 3; ++i) {
            ValueRow* row = stateView.valueRows()[i];
            EXPECT_EQ(row->valueLabel()->text(), state.rows[i]);
            EXPECT_EQ(row->copyButton()->isEnabled(), state.copyEnabled);
        }
        EXPECT_EQ(stateView.pickButton()->isEnabled(), state.pickEnabled);
        QStringList chips;
        for (RecentChip* chip : stateView.recentsSection()->chips())
            chips.append(chip->toolTip());
        EXPECT_EQ(chips, state.chips);
        EXPECT_EQ(stateView.recentsSection()->isVisibleTo(&stateView), !state.chips.isEmpty());
        EXPECT_EQ(stateView.swatch()->capsuleText(), state.capsule);
    }
}

TEST(PickerViewRecents, AStoredListLongerThanARowShowsTheFirstEightChips)
{
    MemoryPreferencesStore store;
    store.setData(recentHexesKey,
                  R"(["#000001","#000002","#000003","#000004","#000005","#000006",)"
                  R"("#000007","#000008","#000009","#00000A","#00000B","#00000C"])");
    RecordingClipboard clipboard;
    ScriptedScreenSampler sampler;
    PickerOverStore launched(store, sampler, clipboard);
    ColorPickerModel& picker = launched.model;
    ASSERT_EQ(picker.recents().all().size(), 12);
    PickerView view(picker);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    const QList<RecentChip*> chips = view.recentsSection()->chips();
    ASSERT_EQ(chips.size(), 8);
    EXPECT_EQ(chips.first()->toolTip(), "#000001");
    EXPECT_EQ(chips.last()->toolTip(), "#000008");
    EXPECT_LE(chips.last()->geometry().right(), view.recentsSection()->width() - 1);
    EXPECT_EQ(chips[1]->x() - chips[0]->x(), 26 + 7);
}

TEST_F(PickerViewTest, PlaceholderIsSecondaryAndValueIsPrimary)
{
    const QLabel* value = view.valueRows()[0]->valueLabel();
    const QColor placeholderColor = value->palette().color(QPalette::WindowText);
    picker.adopt(color("#3A7BD5"));
    const QColor valueColor = value->palette().color(QPalette::WindowText);

    EXPECT_LT(placeholderColor.alphaF(), 0.75);
    EXPECT_EQ(valueColor.alpha(), 255);
    EXPECT_EQ(valueColor.rgb(), placeholderColor.rgb());
    EXPECT_TRUE(value->textInteractionFlags() & Qt::TextSelectableByMouse);
}

TEST_F(PickerViewTest, RowCopiesItsValueAndConfirmsInRowAndPanel)
{
    picker.adopt(color("#3A7BD5"));
    ValueRow* rgb = view.valueRows()[1];

    click(rgb->copyButton());

    EXPECT_EQ(clipboard.text, "58, 123, 213");
    EXPECT_EQ(picker.copyConfirmation(), std::optional<QString>("RGB copied"));
    EXPECT_EQ(view.swatch()->capsuleText(), "RGB copied");
    EXPECT_TRUE(rgb->justCopied());
    EXPECT_EQ(rgb->copyButton()->symbol(), "checkmark");
    EXPECT_FALSE(view.valueRows()[0]->justCopied());
    EXPECT_EQ(view.valueRows()[0]->copyButton()->symbol(), "doc.on.doc");
}

TEST_F(PickerViewTest, RowWithoutValueCopiesNothing)
{
    for (ValueRow* row : view.valueRows()) {
        click(row->copyButton());
        row->copy();
        EXPECT_FALSE(row->justCopied());
    }
    EXPECT_EQ(clipboard.copies, 0);
    EXPECT_FALSE(picker.copyConfirmation().has_value());
}

TEST_F(PickerViewTest, SecondCopyRestartsTheTickAndRowsTickIndependently)
{
    picker.adopt(color("#3A7BD5"));
    ValueRow* hex = view.valueRows()[0];
    ValueRow* hsl = view.valueRows()[2];
    QSignalSpy hexChanges(hex, &ValueRow::justCopiedChanged);

    QElapsedTimer sinceFirst;
    sinceFirst.start();
    click(hex->copyButton());
    QTest::qWait(500);
    QElapsedTimer sinceSecond;
    sinceSecond.start();
    click(hsl->copyButton());
    click(hex->copyButton()); // restarts HEX's 1.2 s, which would otherwise end before HSL's

    bool hexTickedWhenHslCleared = false;
    QObject::connect(hsl, &ValueRow::justCopiedChanged, hsl,
                     [&] { hexTickedWhenHslCleared = hex->justCopied(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !hex->justCopied(); }, 10000));

    EXPECT_FALSE(hsl->justCopied());
    EXPECT_TRUE(hexTickedWhenHslCleared);
    EXPECT_GE(sinceSecond.elapsed(), ValueRow::tickDuration.count());
    EXPECT_GE(sinceFirst.elapsed(), 500 + ValueRow::tickDuration.count());
    EXPECT_EQ(hexChanges.count(), 2); // on once, off once: no gap between the two copies
    EXPECT_EQ(hex->copyButton()->symbol(), "doc.on.doc");
}

TEST_F(PickerViewTest, TickSurvivesANewValue)
{
    picker.adopt(color("#3A7BD5"));
    click(view.valueRows()[0]->copyButton());
    picker.adopt(color("#112233"));

    EXPECT_TRUE(view.valueRows()[0]->justCopied());
    EXPECT_EQ(view.valueRows()[0]->valueLabel()->text(), "#112233");
}

TEST_F(PickerViewTest, ChipMovesToTheFrontBecomesCurrentAndIsCopied)
{
    for (const char* hex : {"#111111", "#222222", "#333333"})
        picker.adopt(color(hex));
    ASSERT_EQ(chipHexes(), QStringList({"#333333", "#222222", "#111111"}));
    clipboard.text.clear();

    click(view.recentsSection()->chips()[1]);

    EXPECT_EQ(chipHexes(), QStringList({"#222222", "#333333", "#111111"}));
    EXPECT_EQ(view.swatch()->accessibleName(), "Current color #222222");
    EXPECT_EQ(view.valueRows()[0]->valueLabel()->text(), "#222222");
    EXPECT_EQ(clipboard.text, "#222222");
    EXPECT_EQ(picker.copyConfirmation(), std::optional<QString>("Hex copied"));
}

TEST_F(PickerViewTest, AccessibilityNamesRolesAndTooltips)
{
    picker.adopt(color("#112233"));
    picker.adopt(color("#3A7BD5"));
    const QList<RecentChip*> chips = view.recentsSection()->chips();
    ASSERT_EQ(chips.size(), 2);

    const std::vector<std::tuple<QWidget*, QString, QAccessible::Role>> controls{
        {view.swatch(), "Current color #3A7BD5", QAccessible::Graphic},
        {view.pickButton(), "Pick a color", QAccessible::Button},
        {view.valueRows()[0]->copyButton(), "Copy HEX #3A7BD5", QAccessible::Button},
        {view.valueRows()[1]->copyButton(), "Copy RGB 58, 123, 213", QAccessible::Button},
        {view.valueRows()[2]->copyButton(), "Copy HSL 215\u00B0, 65%, 53%", QAccessible::Button},
        {chips[0], "Recent color #3A7BD5, 1 of 2", QAccessible::Button},
        {chips[1], "Recent color #112233, 2 of 2", QAccessible::Button},
        {view.footer()->webPickerButton(), "Open the web color picker in your browser",
         QAccessible::Button},
        {view.footer()->settingsButton(), "Settings", QAccessible::Button},
        {view.footer()->quitButton(), "Quit Morvane Color Picker", QAccessible::Button},
    };
    for (const auto& [widget, name, role] : controls) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), name);
        EXPECT_EQ(accessible->role(), role) << name.toStdString();
    }
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(view.pickButton())->text(QAccessible::Description),
        "Pick a color from the screen");
    EXPECT_EQ(chips[0]->toolTip(), "#3A7BD5");
    EXPECT_EQ(view.pickButton()->text(), "Pick a color");
    EXPECT_EQ(view.footer()->webPickerButton()->text(), "Open the web picker");
    EXPECT_EQ(view.footer()->quitButton()->text(), "Quit");
}

} // namespace

// Receives the URLs the panel asks the desktop to open.
class UrlSink : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

namespace {

TEST_F(PickerViewTest, FooterOpensTheWebPickerAndReportsSettingsAndQuit)
{
    UrlSink sink;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &sink, "open");
    QSignalSpy settings(&view, &PickerView::settingsRequested);
    QSignalSpy quit(&view, &PickerView::quitRequested);

    click(view.footer()->webPickerButton());
    click(view.footer()->settingsButton());
    click(view.footer()->quitButton());
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));

    EXPECT_EQ(sink.opened, QList<QUrl>{QUrl("https://morvane.dev/tools/color-picker")});
    EXPECT_EQ(settings.count(), 1);
    EXPECT_EQ(quit.count(), 1);
}

} // namespace

#include "PickerViewTest.moc"

// The user's formats: their rows in their order, one row height (and the rows' spacing) more
// per extra row, the labels in one column wide enough for the widest, a copy of each.
TEST_F(PickerViewTest, ShowsTheChosenFormatsInOrderGrowingOneRowEach)
{
    // Laid out as on screen: rows come and go through the event loop.
    const auto settle = [this] {
        QCoreApplication::processEvents();
        view.adjustSize();
    };
    view.show();
    picker.adopt(color("#3A7BD5"));
    settle();
    const int defaultHeight = view.height();
    const int rowStep = view.valueRows()[0]->sizeHint().height() + 6;

    picker.setShownFormats({"oklch", "hex", "css-rgb", "hsl", "rgb"});
    settle();
    EXPECT_EQ(rowTexts(), QStringList({"oklch(58.62% 0.1533 257.23)", "#3A7BD5", "rgb(58 123 213)",
                                       "215°, 65%, 53%", "58, 123, 213"}));
    EXPECT_EQ(view.height(), defaultHeight + 2 * rowStep);
    const int valueX = view.valueRows()[0]->valueLabel()->x();
    EXPECT_GE(valueX, 10 + ValueRow::labelWidthFor(QStringLiteral("OKLCH")) + 8);
    for (ValueRow* row : view.valueRows())
        EXPECT_EQ(row->valueLabel()->x(), valueX) << row->label().toStdString();

    click(view.valueRows()[0]->copyButton());
    EXPECT_EQ(clipboard.text, "oklch(58.62% 0.1533 257.23)");
    EXPECT_EQ(picker.copyConfirmation(), std::optional<QString>("OKLCH copied"));

    picker.setShownFormats({"hex", "rgb", "hsl"});
    settle();
    EXPECT_EQ(view.height(), defaultHeight);
    EXPECT_EQ(rowTexts(), QStringList({"#3A7BD5", "58, 123, 213", "215°, 65%, 53%"}));
}

// Ctrl+V in the panel: the clipboard's colour in every row and as the first chip, the
// clipboard itself untouched; text that is no colour says so in the capsule.
TEST_F(PickerViewTest, CtrlVPastesTheClipboardsColour)
{
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    clipboard.text = QStringLiteral("0xFF3A7BD5");

    QTest::keyClick(view.pickButton(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rowTexts(), QStringList({"#3A7BD5", "58, 123, 213", "215°, 65%, 53%"}));
    EXPECT_EQ(chipHexes(), QStringList({"#3A7BD5"}));
    EXPECT_EQ(clipboard.copies, 0);
    EXPECT_EQ(view.swatch()->accessibleName(), "Current color #3A7BD5");

    clipboard.text = QStringLiteral("not a colour");
    QTest::keyClick(view.valueRows()[1]->valueLabel(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(picker.copyConfirmation(), std::optional<QString>("No color on the clipboard"));
    EXPECT_EQ(rowTexts()[0], "#3A7BD5");
    EXPECT_EQ(clipboard.text, "not a colour");
}

namespace {

QAction* chipAction(RecentChip* chip, const char* text)
{
    for (QAction* action : chip->actions()) {
        if (action->text() == QLatin1StringView(text))
            return action;
    }
    throw std::runtime_error(std::string("no chip action ") + text);
}

} // namespace

TEST_F(PickerViewTest, NamesTheCurrentColourUnderTheSwatch)
{
    EXPECT_FALSE(view.nameLabel()->isVisibleTo(&view));
    picker.adopt(color("#000080"));
    EXPECT_TRUE(view.nameLabel()->isVisibleTo(&view));
    EXPECT_EQ(view.nameLabel()->text(), "navy");
    picker.adopt(color("#3A7BD5"));
    EXPECT_EQ(view.nameLabel()->text(), QString::fromUtf8("≈ royalblue"));

    // Readable on a dark theme whose placeholder colour is as dark as its window: the name's
    // lightest pixel stands out from the window at 3:1 or more.
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2B, 0x2B, 0x2D));
    dark.setColor(QPalette::WindowText, QColor(0xF2, 0xF2, 0xF2));
    dark.setColor(QPalette::PlaceholderText, QColor(0x3A, 0x3A, 0x3C));
    view.setPalette(dark);
    view.resize(view.sizeHint());
    const QImage name = view.nameLabel()->grab().toImage();
    const auto luminance = [](QColor c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    double lightest = 0;
    for (int y = 0; y < name.height(); ++y) {
        for (int x = 0; x < name.width(); ++x)
            lightest = std::max(lightest, luminance(name.pixelColor(x, y)));
    }
    EXPECT_GE((lightest + 0.05) / (luminance(QColor(0x2B, 0x2B, 0x2D)) + 0.05), 3.0);
}

// A chip is removed from its menu or with Delete; "Clear" empties the row, and a click on the
// capsule (or Ctrl+Z) brings it back.
TEST_F(PickerViewTest, ChipsAreRemovedAndTheRowClearedAndRestoredFromTheCapsule)
{
    for (const char* hex : {"#000001", "#000002", "#000003", "#3A7BD5"})
        picker.adopt(color(hex));
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    chipAction(view.recentsSection()->chips()[1], "Remove")->trigger();
    EXPECT_EQ(chipHexes(), QStringList({"#3A7BD5", "#000002", "#000001"}));
    RecentChip* last = view.recentsSection()->chips().last();
    last->setFocus();
    QTest::keyClick(last, Qt::Key_Delete);
    EXPECT_EQ(chipHexes(), QStringList({"#3A7BD5", "#000002"}));

    chipAction(view.recentsSection()->chips()[0], "Clear recent colors")->trigger();
    EXPECT_TRUE(chipHexes().isEmpty());
    EXPECT_FALSE(view.recentsSection()->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.swatch()->capsuleOpacity() == 1.0; }));
    EXPECT_EQ(view.swatch()->capsuleText(), QStringLiteral("Recent colors cleared · Undo"));
    QTest::mouseClick(view.swatch(), Qt::LeftButton, {},
                      view.swatch()->capsuleRect().center().toPoint());
    EXPECT_EQ(chipHexes(), QStringList({"#3A7BD5", "#000002"}));

    chipAction(view.recentsSection()->chips()[0], "Clear recent colors")->trigger();
    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(chipHexes(), QStringList({"#3A7BD5", "#000002"}));
    EXPECT_EQ(store.dataForKey(recentHexesKey), R"(["#3A7BD5","#000002"])");
}

// Ctrl+click on a chip compares it with the current colour: ratio, verdicts and sample.
TEST_F(PickerViewTest, ComparesTheCurrentColourWithAChip)
{
    for (const char* hex : {"#FFFFFF", "#767676"})
        picker.adopt(color(hex));
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_FALSE(view.contrastSection()->isVisible());

    QTest::mouseClick(view.recentsSection()->chips()[1], Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(picker.current(), color("#767676")) << "a comparison adopts nothing";
    ASSERT_TRUE(view.contrastSection()->isVisible());
    EXPECT_EQ(view.contrastSection()->title()->text(), "Contrast with #FFFFFF");
    EXPECT_EQ(view.contrastSection()->ratio()->text(), "4.54:1");
    EXPECT_EQ(view.contrastSection()->verdicts()->text(),
              "AA normal text  4.5  Pass\nAA large text  3  Pass\nAAA normal text  7  Fail\n"
              "AAA large text  4.5  Pass\nNon-text  3  Pass");
    const QImage sample = view.contrastSection()->sample()->grab().toImage();
    EXPECT_EQ(sample.pixelColor(4, sample.height() / 2), QColor("#FFFFFF"));
    EXPECT_EQ(sample.pixelColor(sample.width() - 5, sample.height() / 2), QColor("#767676"));

    chipAction(view.recentsSection()->chips()[1], "Compare contrast")->trigger();
    picker.adopt(color("#777777"));
    EXPECT_EQ(view.contrastSection()->ratio()->text(), "4.47:1");
    EXPECT_TRUE(view.contrastSection()->verdicts()->text().startsWith("AA normal text  4.5  Fail"));

    QTest::mouseClick(view.contrastSection()->closeButton(), Qt::LeftButton);
    EXPECT_FALSE(view.contrastSection()->isVisible());
}

// The longest list fills four rows of eight inside the panel.
TEST(PickerViewRecents, ThirtyTwoRecentsFillFourRowsOfEight)
{
    PickerHarness h;
    h.recents.setLimit(32);
    for (int i = 1; i <= 40; ++i)
        h.picker.adopt(PickedColor{0, 0, std::uint8_t(i)});
    PickerView view(h.picker);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const QList<RecentChip*> chips = view.recentsSection()->chips();
    ASSERT_EQ(chips.size(), 32);
    EXPECT_EQ(chips[0]->toolTip(), "#000028");
    EXPECT_EQ(chips[8]->x(), chips[0]->x());
    EXPECT_EQ(chips[8]->y() - chips[0]->y(), 26 + 7);
    EXPECT_EQ(chips[31]->y() - chips[0]->y(), 3 * (26 + 7));
    EXPECT_LE(view.recentsSection()->mapTo(&view, chips[31]->geometry().bottomRight()).x(),
              view.width() - 12);
}
