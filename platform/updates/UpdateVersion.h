#pragma once

#include <QString>

// Version texts compared segment by segment as numbers: "1.10" is newer than "1.9", and
// "1.2" equals "1.2.0". Each dot-separated segment counts by its leading digits (none = 0),
// so "2.0-beta1" compares as 2.0.
namespace UpdateVersion {

// Negative, zero or positive as a is older than, equal to or newer than b.
int compare(const QString& a, const QString& b);

inline bool isNewer(const QString& candidate, const QString& current)
{
    return compare(candidate, current) > 0;
}

} // namespace UpdateVersion
