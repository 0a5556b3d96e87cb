#pragma once

#include <QStringList>

// The launch mode of this process, chosen by whole, case-sensitive command-line arguments at
// any position: "--selftest" wins over "--show-settings"; anything else is an ordinary launch.
enum class ReviewLaunchMode { none, selftest, settings };

namespace ReviewLaunchModes {

inline const QString selftestArgument = QStringLiteral("--selftest");
inline const QString settingsArgument = QStringLiteral("--show-settings");

ReviewLaunchMode fromArguments(const QStringList& arguments);
// The mode of the running process (QCoreApplication::arguments()).
ReviewLaunchMode current();

} // namespace ReviewLaunchModes
