#include "app/shell/Translations.h"

#include <QDir>
#include <QTranslator>

QString Translations::folder(const QString& executableFolder)
{
    return QDir::cleanPath(executableFolder + QLatin1Char('/') +
                           QString::fromUtf8(MORVANE_TRANSLATIONS_FROM_BIN));
}

bool Translations::install(const QLocale& locale, const QString& from)
{
    // Parented to the application, so it lives as long as the texts it translates.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, QStringLiteral("morvane-color-picker"), QStringLiteral("_"),
                         from) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}
