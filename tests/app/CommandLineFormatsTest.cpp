// The command line's formats come from the real preferences file, which it only reads.
#include "core/CommandLineFormats.h"
#include "app/shell/CommandLinePreferences.h"
#include "core/ConvertCommand.h"
#include "core/FormatPreferences.h"
#include "platform/preferences/SettingsPreferencesStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

const QString templates = QStringLiteral(
    R"json([{"id":"template-1","name":"Kotlin","template":"Color(0xFF{hex})"}])json");

std::string contentOf(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

// The names in the folder, hidden ones and special files included.
std::string entriesOf(const QString& folder)
{
    return QDir(folder)
        .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)
        .join(u' ')
        .toStdString();
}

} // namespace

// A file that does not read back cleanly: the running copy would set it aside before its
// next save. The command line reads what it can (the template) and leaves the folder exactly
// as it was: the same bytes, no copy beside it, nothing else.
TEST(CommandLineFormats, ReadsADamagedFileWithoutTouchingIt)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("colorpicker.conf"));
    {
        SettingsPreferencesStore writer(path);
        writer.setString(QStringLiteral("colorpicker.formats.templates"), templates);
        writer.setString(QStringLiteral("colorpicker.formats.copied"),
                         QStringLiteral("template-1"));
        ASSERT_TRUE(writer.flush());
    }
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("/a=1\n"); // a line the INI reader cannot read back
    }
    const std::string before = contentOf(path);
    const std::string entries = entriesOf(folder.path());

    {
        const CommandLineFormats formats(CommandLinePreferences::open(path));
        const std::optional<ColorFormat> kotlin = formats.list().find(QStringLiteral("template-1"));
        ASSERT_TRUE(kotlin);
        EXPECT_EQ(kotlin->label, QStringLiteral("Kotlin"));
        EXPECT_EQ(formats.list().copied().id, QStringLiteral("template-1"));

        QString input;
        QString output;
        QString errors;
        QTextStream in(&input);
        QTextStream out(&output);
        QTextStream err(&errors);
        EXPECT_EQ(ConvertCommand::run({QStringLiteral("morvane-color-picker"),
                                       QStringLiteral("--convert"), QStringLiteral("#3A7BD5"),
                                       QStringLiteral("--format"), QStringLiteral("template-1")},
                                      formats.list(), in, out, err),
                  0);
        EXPECT_EQ(output, QStringLiteral("Color(0xFF3A7BD5)\n"));
    }

    EXPECT_EQ(contentOf(path), before);
    EXPECT_EQ(entriesOf(folder.path()), entries);
}

// No file: the built-in notations alone, and still nothing written.
TEST(CommandLineFormats, WithoutAFileOffersTheBuiltInNotationsAndWritesNone)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("morvane/colorpicker.conf"));
    {
        const CommandLineFormats formats(CommandLinePreferences::open(path));
        EXPECT_EQ(formats.list().available().size(), 18);
        EXPECT_EQ(formats.list().copied().id, QStringLiteral("hex"));
    }
    EXPECT_EQ(entriesOf(folder.path()), "");
}
