#include "platform/updates/WidgetUpdateUserDriver.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

QWidget* visibleWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            return widget;
    }
    return nullptr;
}

QPushButton* button(QWidget* window, const QString& text)
{
    for (QPushButton* candidate : window->findChildren<QPushButton*>()) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

// The texts of the window's visible labels, in layout order; each must be plain text.
QStringList visibleLabels(QWidget* window)
{
    QStringList texts;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->isVisible() && !label->text().isEmpty()) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
            texts.append(label->text());
        }
    }
    return texts;
}

const UpdateOffer offer{"1.2", "1.2", "1.1", "<p>Faster picks</p>", {}, "/tmp/app-1.2.AppImage"};

} // namespace

TEST(WidgetUpdateUserDriver, AnswersTheOfferOnceWithTheButtonOrLaterWhenClosed)
{
    const struct
    {
        const char* button; // none: the window is closed
        UpdateChoice expected;
    } cases[] = {
        {"Install", UpdateChoice::install},
        {"Later", UpdateChoice::later},
        {"Skip This Version", UpdateChoice::skip},
        {nullptr, UpdateChoice::later},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button ? c.button : "closed");
        WidgetUpdateUserDriver driver;
        QList<UpdateChoice> replies;
        driver.showUpdateAvailable(offer, [&](UpdateChoice choice) { replies.append(choice); });

        QWidget* window = visibleWindow();
        ASSERT_TRUE(window);
        if (c.button) {
            QPushButton* pressed = button(window, c.button);
            ASSERT_TRUE(pressed);
            pressed->click();
        } else {
            window->close();
        }
        QApplication::processEvents();
        EXPECT_EQ(replies, QList<UpdateChoice>{c.expected});
        EXPECT_EQ(visibleWindow(), nullptr);
    }
}

TEST(WidgetUpdateUserDriver, ReturnInstallsAndEscapeMeansLater)
{
    const struct
    {
        const char* name;
        Qt::Key key;
        UpdateChoice expected;
    } cases[] = {
        {"Return", Qt::Key_Return, UpdateChoice::install},
        {"Enter", Qt::Key_Enter, UpdateChoice::install},
        {"Space", Qt::Key_Space, UpdateChoice::install},
        {"Escape", Qt::Key_Escape, UpdateChoice::later},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WidgetUpdateUserDriver driver;
        QList<UpdateChoice> replies;
        driver.showUpdateAvailable(offer, [&](UpdateChoice choice) { replies.append(choice); });
        QWidget* window = visibleWindow();
        ASSERT_TRUE(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));

        // The key goes where the user's would: to the focused widget.
        QWidget* focused = QApplication::focusWidget();
        ASSERT_TRUE(focused);
        EXPECT_EQ(focused, button(window, "Install"));
        EXPECT_TRUE(button(window, "Install")->isDefault());
        QTest::keyClick(focused, c.key);
        QApplication::processEvents();

        EXPECT_EQ(replies, QList<UpdateChoice>{c.expected});
        EXPECT_EQ(visibleWindow(), nullptr);
    }
}

TEST(WidgetUpdateUserDriver, InformationalWindowsShowTheirHeadlineAndEndWhenClosed)
{
    const struct
    {
        const char* name;
        std::function<void(WidgetUpdateUserDriver&, UpdateUserDriver::Closed)> show;
        QStringList labels;
    } cases[] = {
        {"up to date",
         [](auto& driver, auto closed) { driver.showUpToDate("1.1", closed); },
         {"You're up to date!", "Morvane Color Picker 1.1 is currently the newest version "
                                "available."}},
        {"error",
         [](auto& driver, auto closed) {
             driver.showError({updateFrameworkErrorDomain, 3, "The update is <b>bad</b>."}, closed);
         },
         {"Update Error!", "The update is <b>bad</b>."}},
        {"downloaded",
         [](auto& driver, auto closed) {
             driver.showDownloadReady("<i>1.2</i>", "/home/u/Downloads/app.AppImage", closed);
         },
         {"Update downloaded",
          "Morvane Color Picker <i>1.2</i> was downloaded and verified:\n"
          "/home/u/Downloads/app.AppImage\n\nReplace the installed copy with it and start it "
          "again to finish updating."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int closings = 0;
        {
            WidgetUpdateUserDriver driver;
            c.show(driver, [&] { ++closings; });
            QWidget* window = visibleWindow();
            ASSERT_TRUE(window);
            ASSERT_TRUE(QTest::qWaitForWindowActive(window));
            EXPECT_EQ(window->windowTitle(), "Morvane Color Picker");
            EXPECT_EQ(visibleLabels(window), c.labels);
            EXPECT_EQ(closings, 0); // on screen: the cycle goes on

            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QApplication::processEvents();
            EXPECT_EQ(visibleWindow(), nullptr);
            EXPECT_EQ(closings, 1);

            // Taken along with the driver: no call into whoever is being destroyed with it.
            c.show(driver, [&] { ++closings; });
        }
        QApplication::processEvents();
        EXPECT_EQ(visibleWindow(), nullptr);
        EXPECT_EQ(closings, 1);
    }
}

TEST(WidgetUpdateUserDriver, ShowsTheFeedsTextAsPlainText)
{
    WidgetUpdateUserDriver driver;
    const UpdateOffer hostile{"<img src=\"file:///etc/hostname\">1.2",
                              "1.2",
                              "1.1",
                              "<p>Faster&nbsp;picks &amp; <b>fewer</b> bugs</p>\n"
                              "<link rel=\"stylesheet\" href=\"file:///dev/zero\"><ul><li>one</li>"
                              "<li>two</li></ul><img src=\"file:///etc/hostname\">",
                              {},
                              "/tmp/app-1.2.AppImage"};
    driver.showUpdateAvailable(hostile, [](UpdateChoice) {});
    QWidget* window = visibleWindow();
    ASSERT_TRUE(window);

    EXPECT_EQ(visibleLabels(window),
              QStringList({"A new version of Morvane Color Picker is available!",
                           "Morvane Color Picker <img src=\"file:///etc/hostname\">1.2 is now "
                           "available; you have 1.1. Would you like to install it now?"}));
    auto* notes = window->findChild<QTextBrowser*>();
    ASSERT_TRUE(notes);
    EXPECT_EQ(notes->toPlainText(), "Faster picks & fewer bugs\n\none\ntwo");
    EXPECT_FALSE(notes->toHtml().contains("<img"));
    EXPECT_FALSE(notes->toHtml().contains("font-weight:700"));
}

TEST(WidgetUpdateUserDriver, ShowsOneWindowAtATime)
{
    WidgetUpdateUserDriver driver;
    driver.showUpToDate("1.1", [] {});
    driver.showError(UpdateError{updateFrameworkErrorDomain, 3, "The update is improperly signed."},
                     [] {});
    QApplication::processEvents();
    int visible = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        visible += widget->isVisible();
    EXPECT_EQ(visible, 1);
    EXPECT_TRUE(visibleLabels(visibleWindow()).contains("The update is improperly signed."));

    driver.showUpdateAvailable(offer, [](UpdateChoice) {});
    ASSERT_TRUE(qobject_cast<QDialog*>(visibleWindow()));
    EXPECT_TRUE(visibleLabels(visibleWindow())
                    .contains("A new version of Morvane Color Picker "
                              "is available!"));
}
