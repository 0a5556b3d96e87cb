// Every shipped translation laid out offscreen: the panel and each tab of the settings window
// in each language, each text compared with the room its widget has.
#include "AppFakes.h"
#include "FakeApplicationPresence.h"
#include "PickerOverStore.h"
#include "app/panel/PickerPanel.h"
#include "app/panel/PickerView.h"
#include "app/panel/SwatchView.h"
#include "app/settings/FormatsSection.h"
#include "app/settings/PickKeySection.h"
#include "app/settings/SettingsTabs.h"
#include "app/settings/SettingsWindow.h"
#include "app/shell/Translations.h"
#include "core/ColorPickerModel.h"
#include "core/DesktopSession.h"
#include "core/PickShortcut.h"
#include "core/UpdaterService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
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

// The texts of a window's visible labels and buttons that do not fit the space laid out for
// them, each with the room it needed and the room it had.
std::string overflowing(const QWidget& window)
{
    QStringList found;
    const auto report = [&found](const QString& text, int needed, int had) {
        found.append(QStringLiteral("\"%1\" needs %2, has %3").arg(text).arg(needed).arg(had));
    };
    // A layout whose least width is more than the window's pushes widgets past its edge. A
    // page that scrolls may reach below the window, but no wider than the room it is shown in.
    const QList<QScrollArea*> pages = window.findChildren<QScrollArea*>();
    const auto roomOf = [&](const QWidget* widget) {
        for (const QScrollArea* area : pages) {
            if (area->widget() && area->widget()->isAncestorOf(widget))
                return area->widget();
        }
        return static_cast<QWidget*>(nullptr);
    };
    const auto outside = [&](const QWidget* widget, const QString& text) {
        const QWidget* room = roomOf(widget);
        if (!room)
            room = &window;
        const QRect bounds(widget->mapTo(room, QPoint()), widget->size());
        if (!room->rect().contains(bounds))
            found.append(QStringLiteral("\"%1\" lies outside the window").arg(text));
    };
    for (const QScrollArea* area : pages) {
        if (area->isVisibleTo(&window) && area->widget()->width() > area->viewport()->width())
            report(area->accessibleName(), area->widget()->width(), area->viewport()->width());
    }
    // Each tab's name whole, inside the tab bar: the tabs at their natural widths fit, none cut
    // short or scrolled out of sight.
    for (const QTabBar* bar : window.findChildren<QTabBar*>()) {
        if (!bar->isVisibleTo(&window))
            continue;
        QStringList names;
        for (int i = 0; i < bar->count(); ++i) {
            names.append(bar->tabText(i));
            outside(bar, bar->tabText(i));
            if (!bar->rect().contains(bar->tabRect(i)))
                found.append(
                    QStringLiteral("tab \"%1\" lies outside the tab bar").arg(bar->tabText(i)));
        }
        if (bar->sizeHint().width() > bar->width())
            report(names.join(QStringLiteral(" | ")), bar->sizeHint().width(), bar->width());
    }
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

// overflowing() on each tab of the settings window in turn, each finding after its tab's name.
// SETTINGS_SCREENSHOTS=DIR keeps each tab as DIR/settings-LANGUAGE-N.png.
std::string overflowingOnEveryTab(SettingsWindow& window, const QString& language)
{
    std::string found;
    for (int i = 0; i < window.tabs().count(); ++i) {
        window.tabs().setCurrentIndex(i);
        settle();
        if (const std::string tab = overflowing(window); !tab.empty())
            found += '[' + window.tabs().tabText(i).toStdString() + "] " + tab + '\n';
        if (const QString dir = qEnvironmentVariable("SETTINGS_SCREENSHOTS"); !dir.isEmpty()) {
            window.grab().save(
                QDir(dir).filePath(QStringLiteral("settings-%1-%2.png").arg(language).arg(i + 1)));
        }
    }
    window.tabs().setCurrentIndex(0);
    return found;
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
        EXPECT_EQ(window.size(), SettingsWindow::fixedSize);
        EXPECT_EQ(overflowingOnEveryTab(window, language), std::string()) << "settings";
        // On in every language (the store outlives each language's window): the key chooser
        // and the command are laid out too.
        if (!window.pickKeySection()->toggle().isChecked())
            window.pickKeySection()->toggle().click();
        for (GlobalShortcut::Status status :
             {GlobalShortcut::Status::unsupported, GlobalShortcut::Status::declined,
              GlobalShortcut::Status::taken}) {
            port.report({status, QStringLiteral("Super+Shift+C")});
            settle();
            EXPECT_EQ(overflowingOnEveryTab(window, language), std::string())
                << "pick key status " << int(status);
        }
        // The refusal of a template that does not work, under the form.
        window.formatsSection()->templateName().setText(QStringLiteral("Flutter"));
        window.formatsSection()->templateText().setText(QStringLiteral("Color(0x{alpha}{hex})"));
        window.formatsSection()->addButton().click();
        ASSERT_FALSE(window.formatsSection()->templateProblem().text().isEmpty());
        EXPECT_EQ(overflowingOnEveryTab(window, language), std::string()) << "template refused";
        EXPECT_EQ(window.size(), SettingsWindow::fixedSize);
        removeTranslations();
    }
}

} // namespace
