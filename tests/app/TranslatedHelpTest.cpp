// Each shipped translation prints the whole help in its language, from the .qm files the
// build makes: every option of the table, and no English description left.
#include "core/CommandLineReply.h"
#include "core/commandline/CommandLineOptions.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

QString help()
{
    return commandLineReply({QStringLiteral("morvane-color-picker"), QStringLiteral("--help")},
                            QStringLiteral("1.0"))
        .value_or(QString());
}

// The first word of each option row ("--pick", "-h,").
QStringList optionRows(const QString& text)
{
    QStringList rows;
    for (const QString& line : text.split(u'\n')) {
        if (line.startsWith(QLatin1String("  -")))
            rows.append(line.section(u' ', 2, 2));
    }
    return rows;
}

} // namespace

TEST(TranslatedHelp, EveryLanguagePrintsItsWholeHelp)
{
    const QString english = help();
    ASSERT_FALSE(english.isEmpty());
    for (const QString& language : QString::fromLatin1(MORVANE_LANGUAGES).split(u',')) {
        SCOPED_TRACE(language.toStdString());
        QTranslator translator;
        ASSERT_TRUE(translator.load(QLocale(language), QStringLiteral("morvane-color-picker"),
                                    QStringLiteral("_"),
                                    QStringLiteral(MORVANE_TRANSLATIONS_BUILD_DIR)));
        QCoreApplication::installTranslator(&translator);
        const QString translated = help();
        QCoreApplication::removeTranslator(&translator);

        EXPECT_EQ(optionRows(translated), optionRows(english));
        for (const QString& line : english.split(u'\n', Qt::SkipEmptyParts))
            EXPECT_FALSE(translated.contains(line)) << "in English: " << line.toStdString();
        EXPECT_TRUE(translated.endsWith(u'\n'));
    }
}
