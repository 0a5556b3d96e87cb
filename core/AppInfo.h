#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

// The application's information map, the Linux stand-in for a bundle's information
// dictionary. The built-in map is fixed at compile time from the build:
//   "CFBundleShortVersionString"  the CMake project version
//   "SUFeedURL"                   the update feed (cache variable MORVANE_FEED_URL)
//   "SUPublicEDKey"               the feed's Ed25519 public key (MORVANE_PUBLIC_ED_KEY; a
//                                 "REPLACE_" placeholder unless a release build sets one)
// Tests may replace the whole map; an absent key reads as an invalid QVariant.
namespace AppInfo {

// The key names are kept for compatibility with the bundle keys they come from; on Linux they
// name entries of this map and nothing else.
inline const QString shortVersionKey = QStringLiteral("CFBundleShortVersionString");
inline const QString feedUrlKey = QStringLiteral("SUFeedURL");
inline const QString publicEdKeyKey = QStringLiteral("SUPublicEDKey");

QVariantMap builtIn();
// The map in force: the built-in one unless replaced.
QVariantMap current();
QVariant value(const QString& key);

// Test seam: replaces the map in force; restoreBuiltIn() undoes it.
void replace(const QVariantMap& map);
void restoreBuiltIn();

// The update settings of a map, each trimmed of white space; a value that is not text reads
// as empty.
struct UpdateConfiguration
{
    QString feedUrl;
    QString publicKey;

    // Feed and key non-empty, and the key not a "REPLACE_" placeholder. The feed is not parsed.
    bool isValid() const;
};
UpdateConfiguration updateConfiguration(const QVariantMap& map);

// The map's "CFBundleShortVersionString" when it is a text (even an empty one), otherwise
// Constants::fallbackVersion.
QString shortVersion(const QVariantMap& map);

} // namespace AppInfo

namespace Constants {

inline const QString fallbackVersion = QStringLiteral("0.1.0");

// The short version of the map in force, read afresh on each call (AppInfo::shortVersion).
QString version();

} // namespace Constants
