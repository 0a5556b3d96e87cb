#include "platform/updates/Appcast.h"
#include "platform/updates/UpdateSignature.h"
#include "platform/updates/UpdateTransfer.h"
#include "platform/updates/UpdateVersion.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sodium.h>

TEST(UpdateVersion, ComparesSegmentsAsNumbers)
{
    const struct
    {
        const char* a;
        const char* b;
        int expected;
    } cases[] = {
        {"1.10", "1.9", 1},
        {"1.9", "1.10", -1},
        {"1.2", "1.2.0", 0},
        {"1.2.1", "1.2", 1},
        {"2", "1.99.99", 1},
        {"0.1.0", "0.1.0", 0},
        {"2.0-beta1", "2.0", 0},
        {"10.0", "9.9", 1},
        {"", "0", 0},
        {"1.x", "1.0", 0},
        {"99999999999999999999999", "1", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        const int result = UpdateVersion::compare(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.expected);
    }
}

TEST(Appcast, ReadsTheItemFieldsInAnyNamespacePrefix)
{
    const QByteArray feed = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:sp="https://morvane.dev/xml/appcast">
  <channel>
    <title>Updates</title>
    <item>
      <title>Version 1.3</title>
      <sp:version>130</sp:version>
      <sp:shortVersionString>1.3</sp:shortVersionString>
      <sp:channel>beta</sp:channel>
      <sp:minimumSystemVersion>5.10</sp:minimumSystemVersion>
      <sp:releaseNotesLink>https://morvane.dev/notes/1.3.html</sp:releaseNotesLink>
      <description><![CDATA[<p>Fixes</p>]]></description>
      <enclosure url="https://morvane.dev/d/app-1.3.AppImage" length="1234"
                 type="application/octet-stream" sp:edSignature="c2ln"/>
    </item>
    <item>
      <enclosure url="https://morvane.dev/d/app-1.2.AppImage" length="x" sp:version="1.2"/>
    </item>
    <item><sp:version>1.1</sp:version></item>
  </channel>
</rss>)";
    const auto items = Appcast::parse(feed);
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 2); // the item without an enclosure is left out
    const AppcastItem& first = items->at(0);
    EXPECT_EQ(first.title, "Version 1.3");
    EXPECT_EQ(first.version, "130");
    EXPECT_EQ(first.displayVersion(), "1.3");
    EXPECT_EQ(first.channel, "beta");
    EXPECT_EQ(first.minimumSystemVersion, "5.10");
    EXPECT_EQ(first.releaseNotesLink, QUrl("https://morvane.dev/notes/1.3.html"));
    EXPECT_EQ(first.description, "<p>Fixes</p>");
    EXPECT_EQ(first.enclosureUrl, QUrl("https://morvane.dev/d/app-1.3.AppImage"));
    EXPECT_EQ(first.enclosureLength, 1234);
    EXPECT_EQ(first.edSignature, "c2ln");
    const AppcastItem& second = items->at(1);
    EXPECT_EQ(second.version, "1.2"); // from the enclosure
    EXPECT_EQ(second.displayVersion(), "1.2");
    EXPECT_EQ(second.enclosureLength, -1);
    EXPECT_TRUE(second.channel.isEmpty());
}

TEST(Appcast, RefusesDocumentsThatAreNotWholeFeeds)
{
    const QByteArray whole =
        R"(<rss version="2.0" xmlns:sp="urn:x"><channel><item><sp:version>1.2</sp:version>)"
        R"(<enclosure url="https://morvane.dev/a" length="1"/></item></channel></rss>)";
    ASSERT_TRUE(Appcast::parse(whole));
    EXPECT_TRUE(Appcast::parse(R"(<rss version="2.0"><channel/></rss>)")->isEmpty());

    const QByteArray broken[] = {
        whole.left(whole.indexOf("</item>") + 7), // cut after the last complete item
        whole.left(whole.size() / 2),
        "",
        "<html><body>Not found</body></html>",
        "<rss version=\"2.0\"></rss>",
        "<rss><channel><item><sp:version>1</sp:version></item></channel></rss>", // no xmlns
        "\xff\xfe garbage",
    };
    for (const QByteArray& document : broken) {
        SCOPED_TRACE(document.toStdString());
        EXPECT_EQ(Appcast::parse(document), std::nullopt);
    }
}

TEST(UpdateSignature, VerifiesOnlyTheSignedBytesUnderTheRightKey)
{
    ASSERT_GE(sodium_init(), 0);
    unsigned char publicKey[crypto_sign_PUBLICKEYBYTES], secretKey[crypto_sign_SECRETKEYBYTES];
    unsigned char otherPublic[crypto_sign_PUBLICKEYBYTES], otherSecret[crypto_sign_SECRETKEYBYTES];
    crypto_sign_keypair(publicKey, secretKey);
    crypto_sign_keypair(otherPublic, otherSecret);
    const QByteArray message = "release image";
    unsigned char signature[crypto_sign_BYTES];
    crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char*>(message.data()),
                         message.size(), secretKey);
    const QString signatureText =
        QByteArray(reinterpret_cast<char*>(signature), sizeof signature).toBase64();
    const QString keyText =
        QByteArray(reinterpret_cast<char*>(publicKey), sizeof publicKey).toBase64();
    const QString otherKeyText =
        QByteArray(reinterpret_cast<char*>(otherPublic), sizeof otherPublic).toBase64();

    const auto key = UpdateSignature::decodePublicKey(" " + keyText + "\n");
    ASSERT_TRUE(key);
    EXPECT_TRUE(UpdateSignature::verify(message, signatureText, *key));
    EXPECT_FALSE(UpdateSignature::verify("release imagf", signatureText, *key));
    EXPECT_FALSE(UpdateSignature::verify(message, signatureText,
                                         *UpdateSignature::decodePublicKey(otherKeyText)));
    EXPECT_FALSE(UpdateSignature::verify(message, signatureText.left(20), *key));
    EXPECT_FALSE(UpdateSignature::verify(message, "", *key));
    EXPECT_FALSE(UpdateSignature::verify(message, "!!not base64!!", *key));

    for (const QString& badKey :
         {QString("REPLACE_ME"), keyText.left(20), QString(""), keyText + "AAAA"}) {
        SCOPED_TRACE(badKey.toStdString());
        EXPECT_EQ(UpdateSignature::decodePublicKey(badKey), std::nullopt);
    }
}

TEST(UpdateTransfer, AllowsPlainHttpOnlyToLoopback)
{
    const struct
    {
        const char* url;
        bool allowed;
    } cases[] = {
        {"https://morvane.dev/colorpicker/appcast.xml", true},
        {"HTTPS://morvane.dev/a", true},
        {"http://127.0.0.1:8080/appcast.xml", true},
        {"http://127.8.9.10/appcast.xml", true},
        {"http://[::1]:81/appcast.xml", true},
        {"http://localhost/appcast.xml", true},
        {"http://morvane.dev/appcast.xml", false},
        {"http://127.0.0.1.morvane.dev/a", false},
        {"http://10.0.0.1/a", false},
        {"ftp://127.0.0.1/a", false},
        {"file:///tmp/appcast.xml", false},
        {"https:///nohost", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(UpdateTransfer::isAllowedUrl(QUrl(c.url)), c.allowed);
    }
}

// The release steps of the README, run with the signing script: what it writes is what the
// application accepts.
TEST(UpdateSignature, AcceptsWhatTheReleaseScriptSigns)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString script = QStringLiteral(MORVANE_SOURCE_DIR "/scripts/sign-release.sh");
    const auto run = [&](const QStringList& arguments) {
        QProcess process;
        process.setWorkingDirectory(folder.path());
        process.start(QStringLiteral("bash"), QStringList{script} + arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return QString::fromLatin1(process.readAllStandardOutput()).trimmed();
    };
    const QByteArray feed = "<rss version=\"2.0\"><channel/></rss>\n";
    QFile file(folder.filePath("appcast.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(feed);
    file.close();

    const auto key = UpdateSignature::decodePublicKey(run({"keygen", "release.pem"}));
    ASSERT_TRUE(key);
    EXPECT_EQ(UpdateSignature::decodePublicKey(run({"public-key", "release.pem"})), key);
    EXPECT_TRUE(UpdateSignature::verifyFile(file.fileName(),
                                            run({"sign", "release.pem", "appcast.xml"}), *key));
    run({"sign-feed", "release.pem", "appcast.xml"});
    QFile signature(folder.filePath("appcast.xml.sig"));
    ASSERT_TRUE(signature.open(QIODevice::ReadOnly));
    EXPECT_TRUE(UpdateSignature::verify(feed, QString::fromLatin1(signature.readAll()), *key));
    EXPECT_FALSE(
        UpdateSignature::verify(feed + " ", QString::fromLatin1(signature.readAll()), *key));
    EXPECT_EQ(QFileInfo(folder.filePath("release.pem")).permissions() &
                  (QFileDevice::ReadGroup | QFileDevice::ReadOther),
              QFileDevice::Permissions());
}
