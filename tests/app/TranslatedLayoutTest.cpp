// Every shipped translation laid out offscreen: the panel and the settings window in each
// language, each text compared with the room its widget has.
#include "AppFakes.h"
#include "ColorPickerModel.h"
#include "DesktopSession.h"
#include "FakeApplicationPresence.h"
#include "PickKeySection.h"
#include "PickShortcut.h"
#include "PickerOverStore.h"
#include "PickerPanel.h"
#include "PickerView.h"
#include "SettingsWindow.h"
#include "SwatchView.h"
#include "Translations.h"
#include "UpdaterService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

// The shipped languages, as the build lists them ("de,es,...").
QStringList languages()
{
    return QString::fromLatin1(MORVANE_LANGUAGES).split(QLatin1Char(','));
}

// Lets the posted layout requests run, nested layouts one after another, as the event loop
// does before the user sees the window.
void settle()
{
    for (int round = 0; round < 4; ++round)
        QCoreApplication::sendPostedEvents();
}

// The texts of a window's visible labels and buttons that do not fit the space laid out for
// them, each with the room it needed and the room it had.
std::string overflowing(const QWidget& window)
{
    QStringList found;
    const auto report = [&found](const QString& text, int needed, int had) {
        found.append(QStringLiteral("\"%1\" needs %2, has %3").arg(text).arg(needed).arg(had));
    };
    // A layout whose least width is more than the window's pushes widgets past its edge.
    const auto outside = [&](const QWidget* widget, const QString& text) {
        const QRect bounds(widget->mapTo(&window, QPoint()), widget->size());
        if (!window.rect().contains(bounds))
            found.append(QStringLiteral("\"%1\" lies outside the window").arg(text));
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&window) || label->text().isEmpty() ||
            label->textFormat() == Qt::RichText)
            continue;
        outside(label, label->text());
        const QRect room = label->contentsRect();
        if (label->wordWrap()) {
            const int height = label->heightForWidth(label->width());
            if (height > label->height())
                report(label->text(), height, label->height());
        } else {
            int width = 0;
            for (const QString& line : label->text().split(QLatin1Char('\n')))
                width = std::max(width, label->fontMetrics().horizontalAdvance(line));
            if (width > room.width())
                report(label->text(), width, room.width());
        }
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&window) || button->text().isEmpty())
            continue;
        outside(button, button->text());
        if (button->sizeHint().width() > button->width())
            report(button->text(), button->sizeHint().width(), button->width());
    }
    return found.join(QLatin1Char('\n')).toStdString();
}

class ReportingGlobalShortcut : public GlobalShortcut
{
public:
    void setHandlers(ActivationHandler, ReportHandler handler) override
    {
        report = std::move(handler);
    }
    void bind(const QString&) override {}
    ReportHandler report;
};

struct TranslatedLayout : testing::Test
{
    // The command offered where no key can be bound is the program's name, as for an installed
    // copy on the PATH, not the build tree's long path.
    void SetUp() override
    {
        qputenv("PATH",
                QCoreApplication::applicationDirPath().toLocal8Bit() + ':' + qgetenv("PATH"));
    }
    void TearDown() override { removeTranslations(); }

    static void removeTranslations()
    {
        for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }

    MemoryPreferencesStore store;
    RecordingClipboard clipboard;
    ScriptedScreenSampler sampler;
    QTemporaryDir scratch;
    FakeApplicationPresence presence;
};

TEST_F(TranslatedLayout, ThePanelAndTheSettingsWindowHoldEveryTextInEachLanguage)
{
    ASSERT_EQ(languages().size(), 8);
    for (const QString& language : languages()) {
        SCOPED_TRACE(language.toStdString());
        ASSERT_TRUE(Translations::install(QLocale(language),
                                          QStringLiteral(MORVANE_TRANSLATIONS_BUILD_DIR)));
        // The translation is the one shown, not the English source.
        ASSERT_NE(QCoreApplication::translate("PickButton", "Pick a color"),
                  QStringLiteral("Pick a color"));

        PickerOverStore launched(store, sampler, clipboard);
        ColorPickerModel& picker = launched.model;
        PickerPanel panel(picker, offscreenSession());
        panel.showAnchored(QRect(0, 0, 1, 1));
        EXPECT_EQ(overflowing(panel), std::string()) << "empty panel";
        for (const char* hex : {"#E8C547", "#F25F5C", "#247BA0", "#70C1B3", "#50514F", "#B2DBBF",
                                "#9B5DE5", "#3A7BD5"})
            picker.adopt(*PickedColor::fromHex(QString::fromLatin1(hex)));
        settle();
        EXPECT_EQ(overflowing(panel), std::string()) << "eight recent colours";

        picker.compareWith(*PickedColor::fromHex(QStringLiteral("#FFFFFF")));
        settle();
        EXPECT_EQ(overflowing(panel), std::string()) << "contrast with a recent colour";
        picker.closeContrast();
        settle();

        // The capsule's messages stay inside the swatch.
        SwatchView& swatch = *panel.findChild<SwatchView*>();
        for (const QString& message :
             {QCoreApplication::translate("ValueRow", "%1 copied").arg(QStringLiteral("OKLCH")),
              QCoreApplication::translate("ColorPickerModel", "No color on the clipboard"),
              QCoreApplication::translate("ColorPickerModel", "Color pasted"),
              QCoreApplication::translate("ColorPickerModel", "Recent colors cleared · Undo")}) {
            swatch.setConfirmation(message);
            EXPECT_TRUE(QRectF(swatch.rect()).contains(swatch.capsuleRect()))
                << message.toStdString();
        }

        // The longest word on a pick that cannot work.
        sampler.reason = DesktopSession::from(QStringLiteral("wayland"), QProcessEnvironment())
                             .pickUnavailableReason(PortalPickFailure::noScreenshot);
        picker.pickColor();
        settle();
        EXPECT_EQ(overflowing(panel), std::string()) << "pick unavailable";

        UpdaterService updater({}, nullptr, presence, launched.settings, QProcessEnvironment());
        ReportingGlobalShortcut port;
        PickShortcut shortcut(launched.settings, port);
        SettingsWindow window(updater,
                              AutostartEntry(scratch.filePath(QStringLiteral("autostart")),
                                             QStringLiteral("/usr/bin/morvane-color-picker")),
                              &shortcut);
        window.showFormats(picker);
        window.show();
        settle();
        EXPECT_EQ(overflowing(window), std::string()) << "settings";
        window.pickKeySection()->toggle().click();
        for (GlobalShortcut::Status status :
             {GlobalShortcut::Status::unsupported, GlobalShortcut::Status::declined,
              GlobalShortcut::Status::taken}) {
            port.report({status, QStringLiteral("Super+Shift+C")});
            settle();
            EXPECT_EQ(overflowing(window), std::string()) << "pick key status " << int(status);
        }
        removeTranslations();
    }
}

} // namespace
