#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

// One release in an update feed.
struct AppcastItem
{
    QString title;
    QString version;            // compared with the running version
    QString shortVersionString; // shown to the user; may be empty
    QString channel;            // empty for the feed's default channel
    QString minimumSystemVersion;
    QUrl enclosureUrl;
    qint64 enclosureLength = -1; // -1 when missing or not a number
    QString edSignature;         // base64
    QUrl releaseNotesLink;
    QString description; // inline release notes (HTML)

    QString displayVersion() const
    {
        return shortVersionString.isEmpty() ? version : shortVersionString;
    }
};

// The update feed: RSS 2.0 whose items carry the usual appcast fields (version,
// shortVersionString, channel, minimumSystemVersion, releaseNotesLink as elements; url, length,
// edSignature on the enclosure, where version and shortVersionString may appear as well).
// The appcast fields are matched by local name in whatever namespace the feed declares.
namespace Appcast {

// The items in feed order, or nothing when the document is not well-formed XML or not an RSS
// feed. Items without a version or an enclosure address are left out.
std::optional<QList<AppcastItem>> parse(const QByteArray& document);

} // namespace Appcast
