#pragma once

#include "core/RunningImage.h"

#include <QString>
#include <QUrl>
#include <QVariantMap>

#include <chrono>

// What the update framework is configured with.
struct AppcastUpdaterSettings
{
    QUrl feedUrl;
    QString publicKey; // base64 Ed25519; verifies the feed and every download
    QString currentVersion;
    QString systemVersion;   // compared with an item's minimumSystemVersion
    QString appImagePath;    // the running AppImage; empty when not running from one
    QString downloadCache;   // downloads wait here until installed; empty: a private temporary
                             // folder for each download
    QString downloadsFolder; // where a download is put for the user to install by hand
    std::chrono::milliseconds automaticCheckInterval = std::chrono::hours(24);
    std::chrono::milliseconds firstAutomaticCheckDelay = std::chrono::seconds(60);
    std::chrono::milliseconds transferTimeout = std::chrono::seconds(60); // without any data
    std::chrono::milliseconds feedTimeLimit = std::chrono::minutes(2);    // a whole transfer
    std::chrono::milliseconds downloadTimeLimit = std::chrono::minutes(30);
    qint64 maximumFeedBytes = 4 * 1024 * 1024;
    // An automatic check downloads no more than this, whatever the feed declares.
    qint64 automaticDownloadCap = qint64(256) * 1024 * 1024;

    // Feed, key and version from the build's information map (AppInfo), the AppImage from
    // the image we run from (RunningImage::current(), none unless it is an AppImage); the
    // rest from the user's standard folders and the kernel version.
    static AppcastUpdaterSettings fromAppInfo(const QVariantMap& appInfo,
                                              const RunningImage& image);
};
