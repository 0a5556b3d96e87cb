#include "core/RunningImage.h"

#include "core/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <mutex>
#include <utility>

RunningImage RunningImage::decide(const QString& appImage, const QString& appDir,
                                  const QString& executable, QString* ignored)
{
    const RunningImage plain{QFileInfo(executable).absoluteFilePath(), false};
    if (appImage.isEmpty())
        return plain;
    const auto refuse = [&](const QString& why) {
        if (ignored)
            *ignored = why;
        return plain;
    };
    const QFileInfo image(appImage);
    if (!QDir::isAbsolutePath(appImage) || !image.isFile())
        return refuse(QStringLiteral("it is not a regular file"));
    const QString mount = QFileInfo(appDir).canonicalFilePath();
    if (appDir.isEmpty() || mount.isEmpty() || !QFileInfo(mount).isDir())
        return refuse(QStringLiteral("$APPDIR names no mounted image"));
    QString ours = QFileInfo(executable).canonicalFilePath();
    if (ours.isEmpty())
        ours = plain.path;
    if (!ours.startsWith(mount + u'/'))
        return refuse(QStringLiteral("this program does not run from $APPDIR (%1)").arg(mount));
    return {image.absoluteFilePath(), true};
}

RunningImage RunningImage::current()
{
    const QString appImage = qEnvironmentVariable("APPIMAGE");
    QString ignored;
    const RunningImage image = decide(appImage, qEnvironmentVariable("APPDIR"),
                                      QCoreApplication::applicationFilePath(), &ignored);
    if (!ignored.isEmpty()) {
        // Once per value: every caller asks, the log says it once.
        static std::mutex mutex;
        static QString logged;
        const std::lock_guard lock(mutex);
        if (appImage != std::exchange(logged, appImage)) {
            Log("lifecycle")
                .warning(QStringLiteral("ignoring $APPIMAGE (%1): %2; running as %3")
                             .arg(appImage, ignored, image.path)
                             .toStdString());
        }
    }
    return image;
}
