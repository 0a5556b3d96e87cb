#pragma once

#include "platform/updates/Appcast.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QUrl>

#include <chrono>
#include <optional>

// The update framework's decisions, as pure functions of their inputs.
namespace UpdatePolicy {

struct Candidates
{
    QSet<QString> allowedChannels; // besides the feed's default channel
    QString currentVersion;
    QString systemVersion;
    QString highestVersionSeen; // never offered anything lower; may be empty
};

// The newest item of the default channel or an allowed one whose minimum system version this
// system meets, newer than the running version and not older than the highest version seen.
// The first of equal versions wins.
std::optional<AppcastItem> newestSuitableItem(const QList<AppcastItem>& items,
                                              const Candidates& candidates);

// When the first automatic check after a start is due: an interval after the last check, but
// not before the first delay has passed. A missing last check, or one in the future (a clock
// set back), counts as due now.
QDateTime firstAutomaticCheck(const QDateTime& now, const QDateTime& lastCheck,
                              std::chrono::milliseconds interval,
                              std::chrono::milliseconds firstDelay);

// A skipped version is left out of automatic checks only; a user who asks sees it again.
bool isOffered(const QString& version, const std::optional<QString>& skippedVersion,
               bool interactive);

// The name a download is saved under: the address's file name, or "update" when it has none
// or it would be a hidden file.
QString downloadFileName(const QUrl& url);

// The higher of two versions; an empty text is the lowest.
QString higherVersion(const QString& a, const QString& b);

} // namespace UpdatePolicy
