#pragma once

#include <QCoreApplication>
#include <QLocale>
#include <QString>

// The user-interface translations: one .qm file per language, in a folder found from the
// executable's the same way in the build tree as when installed.
namespace Translations {

// The folder of the .qm files for an executable in executableFolder.
QString folder(const QString& executableFolder = QCoreApplication::applicationDirPath());

// Installs the translation of the first of the locale's user-interface languages that has one
// (by default the system's, which follows LANGUAGE, LC_ALL, LC_MESSAGES and LANG), for the rest
// of the process. Returns whether one was found; without one the English source texts show.
// Needs a QCoreApplication.
bool install(const QLocale& locale = QLocale::system(), const QString& from = folder());

} // namespace Translations
