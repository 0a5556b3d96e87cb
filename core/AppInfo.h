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

} // namespace AppInfo

namespace Constants {

inline const QString fallbackVersion = QStringLiteral("0.1.0");

// The short version, read afresh on each call: the map's "CFBundleShortVersionString" when it
// is present and is a text (even an empty one), otherwise "0.1.0".
QString version();

} // namespace Constants
