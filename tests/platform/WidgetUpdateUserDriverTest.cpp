#include "WidgetUpdateUserDriver.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

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

TEST(WidgetUpdateUserDriver, ShowsOneWindowAtATimeAndTakesItAlongWhenDestroyed)
{
    QList<UpdateChoice> replies;
    {
        WidgetUpdateUserDriver driver;
        driver.showUpToDate("1.1");
        driver.showError(
            UpdateError{updateFrameworkErrorDomain, 3, "The update is improperly signed."});
        QApplication::processEvents();
        int visible = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            visible += widget->isVisible();
        EXPECT_EQ(visible, 1);
        auto* box = qobject_cast<QMessageBox*>(visibleWindow());
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text(), "The update is improperly signed.");

        driver.showUpdateAvailable(offer, [&](UpdateChoice choice) { replies.append(choice); });
        ASSERT_TRUE(qobject_cast<QDialog*>(visibleWindow()));
    }
    QApplication::processEvents();
    EXPECT_EQ(visibleWindow(), nullptr);
    EXPECT_TRUE(replies.isEmpty());
}
