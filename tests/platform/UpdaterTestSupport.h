#pragma once

// Fakes, keys and a fixture that publishes signed feeds on a loopback server, shared by the
// update framework's tests.

#include "MemoryPreferencesStore.h"
#include "RecordingUpdateDelegate.h"
#include "core/AppSettings.h"
#include "platform/updates/AppcastUpdater.h"
#include "platform/updates/UpdateErrors.h"

#include <TestHttpServer.h>

#include <QDir>
#include <QFile>
#include <QNetworkProxy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <sodium.h>

class FakeUserDriver : public UpdateUserDriver
{
public:
    void showUpToDate(const QString&, Closed closed) override
    {
        ++upToDate;
        close(std::move(closed));
    }
    void showUpdateAvailable(const UpdateOffer& offer,
                             std::function<void(UpdateChoice)> reply) override
    {
        offers.append(offer);
        QFile file(offer.downloadedFile);
        offeredBytes.append(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
        if (beforeChoice)
            beforeChoice(offer);
        if (choice)
            reply(*choice);
        else
            pendingReply = std::move(reply);
    }
    void showError(const UpdateError& error, Closed closed) override
    {
        errors.append(error);
        close(std::move(closed));
    }
    void showDownloadReady(const QString&, const QString& path, Closed closed) override
    {
        readyPaths.append(path);
        close(std::move(closed));
    }
    void raiseWindows() override { ++raises; }

    std::optional<UpdateChoice> choice = UpdateChoice::later; // none: the reply waits
    std::function<void(const UpdateOffer&)> beforeChoice;
    std::function<void(UpdateChoice)> pendingReply;
    int upToDate = 0;
    int raises = 0;
    QList<UpdateOffer> offers;
    QList<QByteArray> offeredBytes; // the downloaded file's contents when it was offered
    QList<UpdateError> errors;
    QStringList readyPaths;

private:
    void close(Closed closed) { closed(); }
};

struct KeyPair
{
    KeyPair() { crypto_sign_keypair(publicKey, secretKey); }

    QString publicKeyText() const
    {
        return QByteArray(reinterpret_cast<const char*>(publicKey), sizeof publicKey).toBase64();
    }
    QString sign(const QByteArray& message) const
    {
        unsigned char signature[crypto_sign_BYTES];
        crypto_sign_detached(signature, nullptr,
                             reinterpret_cast<const unsigned char*>(message.constData()),
                             static_cast<unsigned long long>(message.size()), secretKey);
        return QByteArray(reinterpret_cast<const char*>(signature), sizeof signature).toBase64();
    }

    unsigned char publicKey[crypto_sign_PUBLICKEYBYTES];
    unsigned char secretKey[crypto_sign_SECRETKEYBYTES];
};

// One item of a published feed and the archive served for it.
struct Release
{
    QString version;
    QString channel = {};
    QString minimumSystemVersion = {};
    QByteArray served = {};                // served instead of the signed archive when set
    std::optional<QString> signature = {}; // instead of the archive's own signature
    std::optional<qint64> length = {};     // instead of the archive's size; -1: no attribute
    QByteArray description = {};           // instead of "Notes for <version>"
    std::optional<QUrl> url = {};          // instead of the fixture's server

    QByteArray archive() const { return "image of version " + version.toUtf8(); }
    QString path() const { return "/app-" + version + ".AppImage"; }
};

// The updater's keys in the preferences.
inline const QString lastCheckTimeKey = QStringLiteral("updates.lastCheckTime");
inline const QString skippedVersionKey = QStringLiteral("updates.skippedVersion");
inline const QString highestVersionKey = QStringLiteral("updates.highestVersion");

inline const QDateTime launchTime =
    QDateTime::fromString("2026-12-10T02:00:00.000Z", Qt::ISODateWithMs);

inline bool waitFor(const std::function<bool()>& condition)
{
    return QTest::qWaitFor(condition, 30000);
}

struct UpdaterFixture : testing::Test
{
    void SetUp() override
    {
        ASSERT_GE(sodium_init(), 0);
        ASSERT_TRUE(folder.isValid());
        // The loopback server is reached directly, whatever proxy the machine sets.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        server.setFallback({.status = 404, .body = "not found"});
        settings.feedUrl = serverUrl("/appcast.xml");
        settings.publicKey = key.publicKeyText();
        settings.currentVersion = "1.1";
        settings.systemVersion = "6.1.0-18-amd64";
        settings.downloadCache = folder.filePath("cache");
        settings.downloadsFolder = folder.filePath("Downloads");
        settings.firstAutomaticCheckDelay = std::chrono::hours(1); // out of the way
        settings.transferTimeout = std::chrono::seconds(20);
    }

    // Serves the feed of these releases, its signature beside it, and their archives.
    void publish(const QList<Release>& releases)
    {
        QByteArray feed = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:appcast="https://morvane.dev/xml/appcast"><channel><title>Updates</title>
)";
        for (const Release& r : releases) {
            const QByteArray archive = r.archive();
            const qint64 length = r.length.value_or(archive.size());
            feed += "<item><title>Version " + r.version.toUtf8() + "</title><appcast:version>" +
                    r.version.toHtmlEscaped().toUtf8() + "</appcast:version>";
            if (!r.channel.isEmpty())
                feed += "<appcast:channel>" + r.channel.toUtf8() + "</appcast:channel>";
            if (!r.minimumSystemVersion.isEmpty())
                feed += "<appcast:minimumSystemVersion>" + r.minimumSystemVersion.toUtf8() +
                        "</appcast:minimumSystemVersion>";
            const QByteArray notes =
                r.description.isNull() ? "Notes for " + r.version.toUtf8() : r.description;
            feed += "<description>" + QString::fromUtf8(notes).toHtmlEscaped().toUtf8() +
                    "</description>";
            feed += "<enclosure url=\"" + r.url.value_or(serverUrl(r.path())).toEncoded() + "\"";
            if (length >= 0)
                feed += " length=\"" + QByteArray::number(length) + "\"";
            feed += " appcast:edSignature=\"" + r.signature.value_or(key.sign(archive)).toUtf8() +
                    "\" type=\"application/octet-stream\"/></item>\n";
            serve(r.path(), r.served.isNull() ? archive : r.served);
        }
        feed += "</channel></rss>\n";
        publishedFeed = feed;
        serve("/appcast.xml", feed);
        serve("/appcast.xml.sig", key.sign(feed).toUtf8() + "\n");
    }

    // Answers every request for path with this status and body from now on.
    void serve(const QString& path, const QByteArray& body, int status = 200)
    {
        server.route(path.toStdString(), {.status = status, .body = body.toStdString()});
    }

    QUrl serverUrl(const QString& path) const
    {
        return QUrl(QString::fromStdString(server.url(path.toStdString())));
    }

    // The targets asked for since the server started or was last cleared, in order.
    QStringList requestedPaths() const
    {
        QStringList paths;
        for (const morvane::TestHttpServer::Request& request : server.requests())
            paths.append(QString::fromStdString(request.target));
        return paths;
    }

    std::unique_ptr<AppcastUpdater> makeUpdater(UpdateFrameworkDelegate& owner,
                                                std::unique_ptr<UpdateUserDriver> windows = {})
    {
        if (!windows) {
            auto fake = std::make_unique<FakeUserDriver>();
            driver = fake.get();
            windows = std::move(fake);
        }
        UpdateInstaller::Hooks hooks{[this](const QString& path) { relaunched.append(path); },
                                     [this](const QString& path) { revealed.append(path); }};
        // Each updater is a launch of its own, reading what the store holds by then.
        launches.push_back(std::make_unique<AppSettings>(defaults));
        auto updater =
            std::make_unique<AppcastUpdater>(settings, owner, *launches.back(), std::move(windows),
                                             hooks, [] { return launchTime; });
        updater->start();
        return updater;
    }

    // Runs one user-initiated cycle to its end.
    void checkAndWait(AppcastUpdater& updater)
    {
        const qsizetype before = delegate.finishes.size();
        updater.checkForUpdates();
        ASSERT_TRUE(waitFor([&] { return delegate.finishes.size() > before; }));
    }

    // The code of the last cycle's error of the framework's own domain, 0 for none.
    int lastFrameworkError() const
    {
        const std::optional<UpdateError> last =
            delegate.finishes.value(delegate.finishes.size() - 1);
        return last && last->domain == updateFrameworkErrorDomain ? last->code : 0;
    }

    QStringList cachedFiles() const
    {
        return QDir(settings.downloadCache).entryList(QDir::Files | QDir::Hidden);
    }

    static void writeFile(const QString& path, const QByteArray& contents)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
    }

    morvane::TestHttpServer server; // unknown paths: 404
    QByteArray publishedFeed;       // the feed the last publish() serves
    QTemporaryDir folder;
    KeyPair key;
    AppcastUpdaterSettings settings;
    MemoryPreferencesStore defaults;
    std::vector<std::unique_ptr<AppSettings>> launches;
    RecordingDelegate delegate;
    FakeUserDriver* driver = nullptr;
    QStringList relaunched;
    QStringList revealed;
};
