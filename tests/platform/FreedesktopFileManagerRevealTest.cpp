#include "platform/desktop/FreedesktopFileManagerReveal.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDesktopServices>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// Stands in for the desktop's file manager on the session bus.
class FakeFileManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public slots:
    void ShowItems(const QStringList& uris, const QString& startupId)
    {
        shown.append(uris);
        Q_UNUSED(startupId);
    }

public:
    QStringList shown;
};

// Receives what would have been opened with the default handler.
class OpenedUrls : public QObject
{
    Q_OBJECT

public slots:
    void open(const QUrl& url) { urls.append(url); }

public:
    QList<QUrl> urls;
};

const QString path = QStringLiteral("/opt/Apps/Morvane Color Picker.AppImage");

} // namespace

TEST(FreedesktopFileManagerReveal, AsksTheFileManagerAndFallsBackToTheFolder)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        GTEST_SKIP() << "needs a session bus";

    OpenedUrls opened;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
    FreedesktopFileManagerReveal reveal;

    // No file manager on the bus: the containing folder opens instead.
    reveal.reveal(path);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !opened.urls.isEmpty(); }, 10000));
    EXPECT_EQ(opened.urls.value(0), QUrl::fromLocalFile(QStringLiteral("/opt/Apps")));

    FakeFileManager manager;
    ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &manager,
                                   QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.freedesktop.FileManager1")));
    reveal.reveal(path);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !manager.shown.isEmpty(); }, 10000));
    EXPECT_EQ(manager.shown,
              QStringList{QStringLiteral("file:///opt/Apps/Morvane%20Color%20Picker.AppImage")});
    QTest::qWait(100);
    EXPECT_EQ(opened.urls.size(), 1) << "no fallback when the file manager answers";

    bus.unregisterService(QStringLiteral("org.freedesktop.FileManager1"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

#include "FreedesktopFileManagerRevealTest.moc"
