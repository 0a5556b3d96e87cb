#include "core/RunningImage.h"
#include "core/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

} // namespace

// AppImages hand $APPIMAGE and $APPDIR to every program they start: only an image whose
// mount holds our executable is ours.
TEST(RunningImage, BelievesAppImageOnlyWhenTheExecutableLiesInsideAppDir)
{
    const QTemporaryDir scratch;
    const QString root = scratch.path();
    const QString mount = root + QStringLiteral("/.mount_Morvan1");
    const QString inside = mount + QStringLiteral("/usr/bin/morvane-color-picker");
    const QString installed = root + QStringLiteral("/usr/bin/morvane-color-picker");
    const QString ours = root + QStringLiteral("/Apps/Morvane.AppImage");
    const QString other = root + QStringLiteral("/Apps/Other.AppImage");
    for (const QString& file : {inside, installed, ours, other})
        touch(file);
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/.mount_Other")));
    ASSERT_TRUE(QDir().mkpath(mount + QStringLiteral("2/usr/bin")));
    touch(mount + QStringLiteral("2/usr/bin/morvane-color-picker"));
    ASSERT_TRUE(QFile::link(mount, root + QStringLiteral("/mount-link")));
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/Apps/Folder.AppImage")));

    const struct
    {
        const char* name;
        QString appImage;
        QString appDir;
        QString executable;
        RunningImage expected;
    } cases[] = {
        {"no AppImage", {}, {}, installed, {installed, false}},
        {"our own image", ours, mount, inside, {ours, true}},
        {"our image, $APPDIR through a link",
         ours,
         root + QStringLiteral("/mount-link"),
         inside,
         {ours, true}},
        {"started by another AppImage",
         other,
         root + QStringLiteral("/.mount_Other"),
         installed,
         {installed, false}},
        {"another AppImage's image, no $APPDIR", other, {}, installed, {installed, false}},
        {"a mount whose name only begins like ours",
         ours,
         mount,
         mount + QStringLiteral("2/usr/bin/morvane-color-picker"),
         {mount + QStringLiteral("2/usr/bin/morvane-color-picker"), false}},
        {"$APPDIR is the root folder", ours, QStringLiteral("/"), installed, {installed, false}},
        {"$APPDIR is gone", ours, root + QStringLiteral("/gone"), inside, {inside, false}},
        {"the image is a folder",
         root + QStringLiteral("/Apps/Folder.AppImage"),
         mount,
         inside,
         {inside, false}},
        {"the image is gone",
         root + QStringLiteral("/Apps/Gone.AppImage"),
         mount,
         inside,
         {inside, false}},
        {"a relative image path",
         QStringLiteral("Apps/Morvane.AppImage"),
         mount,
         inside,
         {inside, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString ignored;
        const RunningImage image =
            RunningImage::decide(c.appImage, c.appDir, c.executable, &ignored);
        EXPECT_EQ(image.path, c.expected.path);
        EXPECT_EQ(image.isAppImage, c.expected.isAppImage);
        // Why a set $APPIMAGE was passed over, for the log.
        EXPECT_EQ(ignored.isEmpty(), c.appImage.isEmpty() || c.expected.isAppImage)
            << ignored.toStdString();
    }
}

// The process's own decision, from its environment; a borrowed $APPIMAGE is logged once.
TEST(RunningImage, TheCurrentProcessLogsABorrowedAppImageOnce)
{
    int argc = 1;
    char name[] = "running-image-test";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    const QTemporaryDir scratch;
    const QString image = scratch.filePath(QStringLiteral("Other.AppImage"));
    touch(image);
    auto lines = std::make_shared<std::vector<std::string>>();
    Log::installProcessSink([lines](Log::Priority, std::string_view, std::string_view message) {
        lines->emplace_back(message);
    });
    qputenv("APPIMAGE", image.toUtf8());
    qputenv("APPDIR", scratch.path().toUtf8());
    EXPECT_EQ(RunningImage::current(),
              (RunningImage{QCoreApplication::applicationFilePath(), false}));
    EXPECT_EQ(RunningImage::current().path, QCoreApplication::applicationFilePath());
    ASSERT_EQ(lines->size(), 1u);
    EXPECT_NE(lines->front().find(image.toStdString()), std::string::npos) << lines->front();

    qputenv("APPDIR", QCoreApplication::applicationDirPath().toUtf8());
    EXPECT_EQ(RunningImage::current(), (RunningImage{image, true}));
    Log::installProcessSink({});
    qunsetenv("APPIMAGE");
    qunsetenv("APPDIR");
}
