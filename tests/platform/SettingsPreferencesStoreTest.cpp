#include "SettingsPreferencesStore.h"
#include "ColorPickerModel.h"
#include "FakeClipboard.h"
#include "FakeScreenSampler.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <thread>

namespace {

const QString currentKey = QStringLiteral("colorpicker.currentHex");
const QString recentsKey = QStringLiteral("colorpicker.recentHexes");

// The bytes of a literal that may hold zero bytes, without its terminator.
template <std::size_t N> QByteArray bytesOf(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(content), content.size());
}

// Limits the size of any file this process writes while in scope, as a full disk would.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

class SettingsPreferencesStoreTest : public testing::Test
{
protected:
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("morvane/colorpicker.conf"));
};

} // namespace

TEST_F(SettingsPreferencesStoreTest, RoundTripsBooleansTextAndBytesThroughTheFile)
{
    const QString texts[] = {"#3A7BD5",       "",           "58, 123, 213", "215°, 65%, 53%",
                             "@ByteArray(x)", "  padded  ", "two\nlines",   "a=b;c#d\"e\\f",
                             "true"};
    const QByteArray bytes[] = {R"(["#3A7BD5","#FF0000"])", bytesOf("\0\xff\n@)\\"), {}};
    {
        SettingsPreferencesStore store(path);
        store.setBool("flag.on", true);
        store.setBool("flag.off", false);
        for (std::size_t i = 0; i < std::size(texts); ++i)
            store.setString(QStringLiteral("text.%1").arg(i), texts[i]);
        for (std::size_t i = 0; i < std::size(bytes); ++i)
            store.setData(QStringLiteral("bytes.%1").arg(i), bytes[i]);
        EXPECT_EQ(store.status(), QSettings::NoError);
    }

    const SettingsPreferencesStore reopened(path);
    EXPECT_TRUE(reopened.boolForKey("flag.on"));
    EXPECT_FALSE(reopened.boolForKey("flag.off"));
    EXPECT_TRUE(reopened.contains("flag.off"));
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        SCOPED_TRACE(texts[i].toStdString());
        EXPECT_EQ(reopened.stringForKey(QStringLiteral("text.%1").arg(i)), texts[i]);
        EXPECT_EQ(reopened.dataForKey(QStringLiteral("text.%1").arg(i)), std::nullopt);
    }
    for (std::size_t i = 0; i < std::size(bytes); ++i) {
        EXPECT_EQ(reopened.dataForKey(QStringLiteral("bytes.%1").arg(i)), bytes[i]);
        EXPECT_EQ(reopened.stringForKey(QStringLiteral("bytes.%1").arg(i)), std::nullopt);
    }
    // Absent keys: false, none, not contained.
    EXPECT_FALSE(reopened.boolForKey("absent"));
    EXPECT_EQ(reopened.stringForKey("absent"), std::nullopt);
    EXPECT_EQ(reopened.dataForKey("absent"), std::nullopt);
    EXPECT_FALSE(reopened.contains("absent"));
    EXPECT_TRUE(contentOf(path).startsWith("[General]\n"));
}

TEST_F(SettingsPreferencesStoreTest, SeesChangesMadeByOthersAndKeepsThemWhenItWrites)
{
    SettingsPreferencesStore first(path);
    EXPECT_EQ(first.stringForKey(currentKey), std::nullopt);
    SettingsPreferencesStore(path).setString(currentKey, "#3A7BD5");
    EXPECT_EQ(first.stringForKey(currentKey), QStringLiteral("#3A7BD5"));

    first.setBool("colorpicker.updates.betaEnabled", true);
    const SettingsPreferencesStore reopened(path);
    EXPECT_EQ(reopened.stringForKey(currentKey), QStringLiteral("#3A7BD5"));
    EXPECT_TRUE(reopened.boolForKey("colorpicker.updates.betaEnabled"));
}

TEST_F(SettingsPreferencesStoreTest, WritesFromSeveralThreadsAllLand)
{
    SettingsPreferencesStore store(path);
    const auto writer = [&store](const QString& prefix) {
        for (int i = 0; i < 10; ++i)
            store.setString(prefix + QString::number(i), prefix);
    };
    std::thread other(writer, QStringLiteral("morvane.other"));
    writer(QStringLiteral("colorpicker.main"));
    other.join();

    const SettingsPreferencesStore reopened(path);
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(reopened.contains(QStringLiteral("morvane.other%1").arg(i)));
        EXPECT_TRUE(reopened.contains(QStringLiteral("colorpicker.main%1").arg(i)));
    }
}

TEST(SettingsPreferencesStorePath, FollowsXdgConfigHomeAndFallsBackToDotConfig)
{
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", "/home/someone");
    struct Case
    {
        const char* configHome; // nullptr: unset
        const char* expected;
    };
    const Case cases[] = {
        {"/data/config", "/data/config/morvane/colorpicker.conf"},
        {nullptr, "/home/someone/.config/morvane/colorpicker.conf"},
        {"", "/home/someone/.config/morvane/colorpicker.conf"},
        {"relative/config", "/home/someone/.config/morvane/colorpicker.conf"},
    };
    for (const Case& c : cases) {
        if (c.configHome)
            qputenv("XDG_CONFIG_HOME", c.configHome);
        else
            qunsetenv("XDG_CONFIG_HOME");
        EXPECT_EQ(SettingsPreferencesStore::defaultFilePath(), QString::fromUtf8(c.expected))
            << (c.configHome ? c.configHome : "(unset)");
    }
    qputenv("XDG_CONFIG_HOME", savedConfig);
    qputenv("HOME", savedHome);
}

TEST_F(SettingsPreferencesStoreTest, ModelStartsWithWhatItCanReadAndLeavesTheFileAloneUntilAdopting)
{
    QByteArray valid;
    {
        SettingsPreferencesStore writer(path);
        writer.setString(currentKey, "#3A7BD5");
        writer.setData(recentsKey, R"(["#3A7BD5","#FF0000"])");
        valid = contentOf(path);
    }
    struct Case
    {
        const char* name;
        QByteArray content;
        QString expectedCurrent;
        QStringList expectedRecents;
    };
    const Case cases[] = {
        {"whole", valid, "#3A7BD5", {"#3A7BD5", "#FF0000"}},
        {"truncated", valid.left(valid.size() - 8), "#3A7BD5", {}},
        {"binary garbage",
         bytesOf("\x7f"
                 "ELF\0\xff\xfe\x01[\n=\x80\0\x9c"),
         "",
         {}},
        {"garbage around a valid line",
         bytesOf("\xff\xfe\0\n[General]\ncolorpicker.currentHex=#ff0000\n\x01\x02\x03"),
         "#FF0000",
         {}},
        {"empty", "", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path, c.content);
        SettingsPreferencesStore store(path);
        FakeScreenSampler sampler;
        FakeClipboard clipboard;
        {
            ColorPickerModel model(store, sampler, clipboard);
            EXPECT_EQ(model.currentHex(), c.expectedCurrent);
            EXPECT_EQ(model.recentHexes(), c.expectedRecents);
            model.copyValue("x", "HEX copied");
            EXPECT_EQ(contentOf(path), c.content);

            model.adopt({0, 128, 0});
        }
        EXPECT_EQ(store.status(), QSettings::NoError);
        const SettingsPreferencesStore reopened(path);
        EXPECT_EQ(reopened.stringForKey(currentKey), QStringLiteral("#008000"));
        const QByteArray expectedRecents = c.expectedRecents.isEmpty()
                                               ? QByteArray(R"(["#008000"])")
                                               : QByteArray(R"(["#008000","#3A7BD5","#FF0000"])");
        EXPECT_EQ(reopened.dataForKey(recentsKey), expectedRecents);
    }
}

TEST_F(SettingsPreferencesStoreTest, RecentsTheModelCannotReadSurviveWritesOfOtherKeys)
{
    const QByteArray unreadable = bytesOf("[\"#3A7BD5\", \xff\0 not json");
    SettingsPreferencesStore(path).setData(recentsKey, unreadable);

    SettingsPreferencesStore store(path);
    FakeScreenSampler sampler;
    FakeClipboard clipboard;
    ColorPickerModel model(store, sampler, clipboard);
    EXPECT_TRUE(model.recents().isEmpty());
    store.setBool("colorpicker.updates.betaEnabled", true);

    EXPECT_EQ(SettingsPreferencesStore(path).dataForKey(recentsKey), unreadable);
}

TEST_F(SettingsPreferencesStoreTest, AFailedWriteLeavesTheFileAsItWasAndIsReported)
{
    {
        SettingsPreferencesStore writer(path);
        writer.setString(currentKey, "#3A7BD5");
        writer.setBool("colorpicker.updates.betaEnabled", true);
    }
    const QByteArray before = contentOf(path);
    SettingsPreferencesStore store(path);
    const QString longValue(8192, u'x');
    {
        // Room for lock files and the old content, not for the new.
        const FileSizeLimit fullDisk(static_cast<rlim_t>(before.size() + 1024));
        store.setString("colorpicker.long", longValue);
    }
    EXPECT_EQ(store.status(), QSettings::AccessError);
    EXPECT_EQ(contentOf(path), before);
    // The value stays in memory and lands with the next write that succeeds.
    EXPECT_EQ(store.stringForKey("colorpicker.long"), longValue);
    store.setString(currentKey, "#FF0000");
    EXPECT_EQ(store.status(), QSettings::NoError);
    const SettingsPreferencesStore reopened(path);
    EXPECT_EQ(reopened.stringForKey("colorpicker.long"), longValue);
    EXPECT_EQ(reopened.stringForKey(currentKey), QStringLiteral("#FF0000"));
    EXPECT_TRUE(reopened.boolForKey("colorpicker.updates.betaEnabled"));
}

TEST_F(SettingsPreferencesStoreTest, APathThatCannotHoldTheFileReadsEmptyAndRefusesWrites)
{
    const QString blockedByFile = dir.filePath(QStringLiteral("plain/colorpicker.conf"));
    writeFile(dir.filePath(QStringLiteral("plain")), "not a folder");
    const QString directoryInPlace = dir.filePath(QStringLiteral("dir/colorpicker.conf"));
    ASSERT_TRUE(QDir().mkpath(directoryInPlace + QStringLiteral("/inside")));

    for (const QString& unusable : {blockedByFile, directoryInPlace}) {
        SCOPED_TRACE(unusable.toStdString());
        SettingsPreferencesStore store(unusable);
        FakeScreenSampler sampler;
        FakeClipboard clipboard;
        ColorPickerModel model(store, sampler, clipboard);
        model.adopt({58, 123, 213});

        EXPECT_EQ(model.currentHex(), QStringLiteral("#3A7BD5"));
        EXPECT_EQ(store.status(), QSettings::AccessError);
    }
    EXPECT_EQ(contentOf(dir.filePath(QStringLiteral("plain"))), "not a folder");
    EXPECT_TRUE(QFileInfo(directoryInPlace + QStringLiteral("/inside")).isDir());
}
