#include "core/AutostartEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct AutostartFixture : testing::Test
{
    QString folder() const { return scratch.path() + QStringLiteral("/config/autostart"); }

    QTemporaryDir scratch;
};

// Restores an environment variable when the test ends.
class ScopedVariable
{
public:
    ScopedVariable(const char* name, const QByteArray& value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedVariable()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_wasSet;
    QByteArray m_old;
};

void writeFile(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

TEST(AutostartEntryExec, QuotesAndEscapesPathsByTheDesktopEntryRules)
{
    const struct
    {
        const char* path;
        const char* exec; // as written in the file
    } cases[] = {
        {"/usr/bin/morvane-color-picker", "/usr/bin/morvane-color-picker"},
        {"/home/ann/My Apps/picker.AppImage", "\"/home/ann/My Apps/picker.AppImage\""},
        {"/opt/100%/picker", "/opt/100%%/picker"},
        {"/opt/a b%/picker", "\"/opt/a b%%/picker\""},
        // Inside quotes ", `, $ and \ take a backslash; the file's string escapes then double
        // every backslash.
        {"/opt/say \"hi\"/p", R"("/opt/say \\"hi\\"/p")"},
        {"/opt/$HOME/`x`/p", R"("/opt/\\$HOME/\\`x\\`/p")"},
        {"/opt/back\\slash/p", R"("/opt/back\\\\slash/p")"},
        {"/opt/it's/p", R"("/opt/it's/p")"},
        {"/opt/line\nbreak/p", R"("/opt/line\nbreak/p")"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(AutostartEntry::execValue(QString::fromUtf8(c.path)), QString::fromUtf8(c.exec));
    }
}

TEST_F(AutostartFixture, EntriesForAwkwardPathsPassTheDesktopEntryValidator)
{
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed";
    const QStringList paths = {
        QStringLiteral("/usr/bin/morvane-color-picker"),
        QStringLiteral("/home/ann/My Apps/picker.AppImage"),
        QStringLiteral("/opt/100% \"sure\"/$x/`y`/back\\slash/it's (1)/p"),
    };
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        const QString file = scratch.filePath(AutostartEntry::fileName);
        writeFile(file, AutostartEntry::contents(path));
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(validator, {file});
        ASSERT_TRUE(process.waitForFinished());
        const QString output = QString::fromUtf8(process.readAll());
        EXPECT_EQ(process.exitCode(), 0) << output.toStdString();
        EXPECT_FALSE(output.contains(QLatin1String("warning"))) << output.toStdString();
    }
}

TEST_F(AutostartFixture, TogglingWritesAndRemovesTheFile)
{
    const AutostartEntry entry(folder(), QStringLiteral("/opt/My Apps/picker"));
    EXPECT_EQ(entry.filePath(), folder() + QStringLiteral("/dev.morvane.colorpicker.desktop"));
    EXPECT_FALSE(entry.isEnabled()) << "off until the user turns it on";

    ASSERT_TRUE(entry.setEnabled(true)) << "creates the autostart folder too";
    EXPECT_TRUE(entry.isEnabled());
    QFile file(entry.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    file.close();
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\nType=Application\n"));
    EXPECT_TRUE(text.contains("\nExec=\"/opt/My Apps/picker\"\n")) << text.toStdString();

    ASSERT_TRUE(entry.setEnabled(false));
    EXPECT_FALSE(QFile::exists(entry.filePath()));
    EXPECT_FALSE(entry.isEnabled());
    EXPECT_TRUE(entry.setEnabled(false)) << "removing an absent entry is no failure";
}

TEST_F(AutostartFixture, ReadsFilesWrittenByOthers)
{
    const AutostartEntry entry(folder(), QStringLiteral("/usr/bin/morvane-color-picker"));
    const struct
    {
        const char* name;
        QByteArray text;
        bool enabled;
    } cases[] = {
        {"another executable", "[Desktop Entry]\nType=Application\nExec=/old/picker\n", true},
        {"hidden", "[Desktop Entry]\nType=Application\nExec=/old/picker\nHidden=true\n", false},
        {"hidden, spaced", "[Desktop Entry]\nHidden = true\n", false},
        {"not hidden", "[Desktop Entry]\nHidden=false\n", true},
        {"hidden in an action", "[Desktop Entry]\nExec=x\n[Desktop Action a]\nHidden=true\n", true},
        {"empty", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(entry.filePath(), c.text);
        EXPECT_EQ(entry.isEnabled(), c.enabled);
    }
    ASSERT_TRUE(entry.setEnabled(true)) << "turning on replaces a hidden entry";
    EXPECT_TRUE(entry.isEnabled());
}

TEST_F(AutostartFixture, ARefusedWriteReportsFailureAndLeavesNoFile)
{
    // A plain file where the autostart folder should be.
    writeFile(scratch.filePath(QStringLiteral("blocked")), "not a folder");
    const AutostartEntry entry(scratch.filePath(QStringLiteral("blocked")),
                               QStringLiteral("/usr/bin/morvane-color-picker"));
    EXPECT_FALSE(entry.setEnabled(true));
    EXPECT_FALSE(entry.isEnabled());
}

TEST_F(AutostartFixture, TheCurrentProcessUsesTheConfigHomeAndTheImageItRunsFrom)
{
    int argc = 1;
    char name[] = "autostart-test";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    const QString configHome = scratch.path() + QStringLiteral("/config");
    const QString image = scratch.path() + QStringLiteral("/Picker.AppImage");
    QFile imageFile(image);
    ASSERT_TRUE(imageFile.open(QIODevice::WriteOnly));
    const QByteArray ourMount = QCoreApplication::applicationDirPath().toUtf8();
    const struct
    {
        const char* name;
        QByteArray configHome;
        QByteArray appImage;
        QByteArray appDir;
        QString folder;
        QString executable;
    } cases[] = {
        {"plain", configHome.toUtf8(), QByteArray(), QByteArray(),
         configHome + QStringLiteral("/autostart"), QCoreApplication::applicationFilePath()},
        {"our AppImage", configHome.toUtf8(), image.toUtf8(), ourMount,
         configHome + QStringLiteral("/autostart"), image},
        {"another AppImage's variables", configHome.toUtf8(), image.toUtf8(),
         scratch.path().toUtf8(), configHome + QStringLiteral("/autostart"),
         QCoreApplication::applicationFilePath()},
        {"empty AppImage", configHome.toUtf8(), "", ourMount,
         configHome + QStringLiteral("/autostart"), QCoreApplication::applicationFilePath()},
        {"relative config home", "relative/config", QByteArray(), QByteArray(),
         QDir::homePath() + QStringLiteral("/.config/autostart"),
         QCoreApplication::applicationFilePath()},
        {"no config home", QByteArray(), QByteArray(), QByteArray(),
         QDir::homePath() + QStringLiteral("/.config/autostart"),
         QCoreApplication::applicationFilePath()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ScopedVariable config("XDG_CONFIG_HOME", c.configHome);
        const ScopedVariable appImage("APPIMAGE", c.appImage);
        const ScopedVariable appDir("APPDIR", c.appDir);
        const AutostartEntry entry = AutostartEntry::forCurrentProcess();
        EXPECT_EQ(entry.filePath(), c.folder + QStringLiteral("/dev.morvane.colorpicker.desktop"));
        EXPECT_EQ(entry.executable(), c.executable);
    }
    EXPECT_TRUE(QFileInfo(QCoreApplication::applicationFilePath()).isAbsolute());
}
