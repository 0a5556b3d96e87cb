#include "platform/preferences/IniCodec.h"
#include "PreferencesFileSupport.h"
#include "platform/preferences/IniLine.h"
#include "platform/preferences/IniReader.h"
#include "platform/preferences/IniWriter.h"

#include <QDate>
#include <QFile>
#include <QPoint>
#include <QRandomGenerator>
#include <QRect>
#include <QSet>
#include <QSettings>
#include <QSize>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

// QSettings itself, which the codec must match: it reads and writes files only, so each
// conversion goes through a file of its own (QSettings keeps what it parsed by file name).
class QSettingsReference
{
public:
    IniReading read(const QByteArray& content)
    {
        const QString path = nextPath();
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            ADD_FAILURE() << "cannot write " << path.toStdString();
        file.close();
        const QSettings settings(path, QSettings::IniFormat);
        IniReading reading;
        const QStringList keys = settings.allKeys();
        for (const QString& key : keys) {
            if (key.split(u'/', Qt::SkipEmptyParts).isEmpty())
                continue; // QSettings refuses to look up a key without a name
            const QVariant value = settings.value(key);
            if (value.isValid())
                reading.values.insert(key, value);
        }
        reading.wellFormed = settings.status() == QSettings::NoError;
        return reading;
    }

    QByteArray write(const QVariantMap& values)
    {
        const QString path = nextPath();
        {
            QSettings settings(path, QSettings::IniFormat);
            for (auto it = values.cbegin(); it != values.cend(); ++it) {
                if (!it.key().split(u'/', Qt::SkipEmptyParts).isEmpty())
                    settings.setValue(it.key(), it.value());
            }
        }
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The store's rule for a damaged file before the codec, with QSettings reading and
    // writing: every key a line gives on its own that reads back as written.
    IniCodec::Reading tolerantRead(const QByteArray& content)
    {
        const IniReading whole = read(content);
        if (whole.wellFormed && whole.values.size() >= keyLineCount(content))
            return {whole.values, true};
        IniCodec::Reading recovered;
        for (const IniLine& line : IniLine::linesOf(content)) {
            const QVariantMap values = read(line.section + '\n' + line.text + '\n').values;
            for (auto it = values.cbegin(); it != values.cend(); ++it) {
                const QVariantMap one{{it.key(), it.value()}};
                const IniReading back = read(write(one));
                if (back.wellFormed && sameText(back.values, one))
                    recovered.values.insert(it.key(), it.value());
            }
        }
        return recovered;
    }

private:
    static qsizetype keyLineCount(const QByteArray& content)
    {
        QSet<QByteArray> keys;
        for (const IniLine& line : IniLine::linesOf(content)) {
            if (line.key)
                keys.insert(*line.key);
        }
        return keys.size();
    }

    // Written and read back: Booleans come back as text.
    static bool sameText(const QVariantMap& read, const QVariantMap& written)
    {
        if (read.keys() != written.keys())
            return false;
        for (auto it = written.cbegin(); it != written.cend(); ++it) {
            const QVariant& back = read[it.key()];
            if (back.typeId() != it->typeId() && it->typeId() != QMetaType::Bool)
                return false;
            if (back.typeId() == QMetaType::QByteArray ? back != *it
                                                       : back.toString() != it->toString())
                return false;
        }
        return true;
    }

    QString nextPath() { return m_dir.filePath(QStringLiteral("%1.conf").arg(++m_files)); }

    QTemporaryDir m_dir;
    int m_files = 0;
};

// Values as a readable text for failure messages: key, type and value, bytes escaped.
std::string describe(const QVariantMap& values)
{
    QByteArray text;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        text += it.key().toUtf8().toPercentEncoding(" /.@") + " (" + it->typeName() + ") ";
        const QByteArray value = it->typeId() == QMetaType::QStringList
                                     ? it->toStringList().join(u'|').toUtf8()
                                     : it->toByteArray();
        text += value.toPercentEncoding(" ,;=#@.") + '\n';
    }
    return text.toStdString();
}

std::string shown(const QByteArray& bytes)
{
    return bytes.toPercentEncoding(" ,;=#@.[]/()\"\\").toStdString();
}

void expectSameReading(const IniReading& ours, const IniReading& reference,
                       const QByteArray& content)
{
    EXPECT_EQ(ours.values, reference.values) << "content: " << shown(content) << "\nours:\n"
                                             << describe(ours.values) << "QSettings:\n"
                                             << describe(reference.values);
    EXPECT_EQ(ours.wellFormed, reference.wellFormed) << "content: " << shown(content);
}

QByteArray randomBytes(QRandomGenerator& random, int size)
{
    QByteArray bytes(size, '\0');
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

// Files the store meets: ones it wrote, ones edited by hand, damaged ones.
QList<std::pair<const char*, QByteArray>> filesWeMeet(QSettingsReference& qsettings)
{
    const QByteArray good = "[General]\n"
                            "colorpicker.updates.betaEnabled=true\n"
                            "morvane.error_telemetry_enabled=false\n";
    const QByteArray written =
        qsettings.write({{"colorpicker.currentHex", "#3A7BD5"},
                         {"colorpicker.recentHexes", QByteArray(R"(["#3A7BD5","#FF0000"])")},
                         {"colorpicker.formats.shown", R"(["future-id","hsl"])"},
                         {"colorpicker.note", "Quoted \"name\", with = and ; \\ \t\n@end"},
                         {"colorpicker.binary", bytesOf("\0\xff\n@)\\\x01"
                                                        "9")},
                         {"NSDisabledDictationMenuItem", true},
                         {"colorpicker.today", QDate(2024, 2, 29)},
                         {"colorpicker.box", QRect(1, -2, 30, 40)}});
    QRandomGenerator random(32);
    QList<std::pair<const char*, QByteArray>> files = {
        {"written by QSettings", written},
        {"truncated", written.left(written.size() - 8)},
        {"empty", ""},
        {"byte order mark", "\xef\xbb\xbf" + good},
        {"binary garbage", bytesOf("\x7f"
                                   "ELF\0\xff\xfe\x01[\n=\x80\0\x9c")},
        {"garbage around a valid line",
         bytesOf("\xff\xfe\0\n[General]\ncolorpicker.currentHex=#ff0000\n\x01\x02\x03")},
        {"a line QSettings cannot read back", good + "/a=1\n"},
        {"an unbalanced quote before good keys", "[General]\n\"oops\n" + good.sliced(10)},
        {"an unbalanced quote in a value",
         "[General]\ncolorpicker.note=\"oops\n" + good.sliced(10)},
        {"keys without a name",
         "[General]\ncolorpicker.currentHex=#FF0000\n/=1\n//=2\n=3\n[/]\n=4\n"},
        {"line ends of all kinds", "[General]\r\na=1\r\nb=2\rc=3\n\rd=4"},
        {"comments and blanks", "; comment\n  # not a comment=1\n\n[General]\n a = 1 ; tail\n"},
        {"sections", "[colors]\nhex=1\n[General]\nhex=2\n[colors]\nhex=3\nrgb=4\n[x y]\nk=v\n"},
        {"odd headers",
         "[%General]\na=1\n[]\nb=2\n[unclosed\nc=3\n[a%2Fb]\nd=4\n[  spaced  ] x\ne=5"},
        {"a key in two spellings", "[General]\na%2Fb=1\n[a]\nb=2\na\\c=3\n"},
        {"lists",
         "a=1, 2 ,3\nb=\"x, y\", z\nc=@Invalid()\nd=@@x, y\ne=@Rect(1 2 3 4), @Size(5 6)\n"},
        {"@ forms", "a=@Rect(1 2 3 4)\nb=@Size(1 2)\nc=@Point(3 4)\nd=@@at\ne=@Invalid()\n"
                    "f=@Rect(1 2)\ng=@ByteArray(\\0\\xff\\x7f)\nh=@String(x)\ni=@Unknown(1)\n"},
        {"escapes", "a=\\x41\\x4g\\101\\08\\a\\b\\f\\n\\r\\t\\v\\\"\\?\\'\\\\\\q\\\nz\nb=x\\\n"
                    "c=\\x\nd=tail\\\ne=\\x1234567\n"},
        {"spaces and tabs", "a=  x  \nb=\" x \"\nc=x\\t\nd=x\\ \ne=\t\"q\" tail \t\n"},
        {"quotes", "a=\"x\"y\"z\"\nb=\"a;b=c\"\nc=\"\nd=1\"\n"},
        {"UTF-8 text",
         "a=h\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\nb=\xc3\"\xa9\"\nc=\xff\xfe\nd=\xc3\n"},
        {"escaped keys", "%41%U00E9%U20AC=1\n%ZZ=2\nk%=3\nk%U12=4\n\xc3\xa9=5\nA=6\na b=7\n"},
    };
    for (int seed = 1; seed <= 20; ++seed)
        files.append({"4 KiB of random bytes", good + randomBytes(random, 4096) + '\n' + good});
    return files;
}

} // namespace

TEST(IniCodec, ReadsTheFilesWeMeetAsQSettingsDoes)
{
    QSettingsReference qsettings;
    for (const auto& [name, content] : filesWeMeet(qsettings)) {
        SCOPED_TRACE(name);
        expectSameReading(IniReading::of(content), qsettings.read(content), content);
        const IniCodec::Reading ours = IniCodec::read(content);
        const IniCodec::Reading reference = qsettings.tolerantRead(content);
        EXPECT_EQ(ours.values, reference.values) << "ours:\n"
                                                 << describe(ours.values) << "reference:\n"
                                                 << describe(reference.values);
        EXPECT_EQ(ours.clean, reference.clean);
    }
}

TEST(IniCodec, WritesWhatQSettingsWritesAndQSettingsReadsItBack)
{
    const QList<QVariantMap> tables = {
        {},
        {{"flag.on", true}, {"flag.off", false}, {"flag.text", "true"}},
        {{"colorpicker.currentHex", "#3A7BD5"},
         {"colorpicker.recentHexes", QByteArray(R"(["#3A7BD5","#FF0000"])")}},
        {{"t0", ""},
         {"t1", "58, 123, 213"},
         {"t2", "215°, 65%, 53%"},
         {"t3", "@ByteArray(x)"},
         {"t4", "  padded  "},
         {"t5", "two\nlines"},
         {"t6", "a=b;c#d\"e\\f"},
         {"t7", "@"},
         {"t8", "@@x"},
         {"t9", QStringLiteral("h\u00e9 \u20ac \U0001F600 \u007f\u0080")},
         {"t10", QStringLiteral("\u0001\u001f") + QChar(0) + QStringLiteral("1f tab\tend")},
         {"t11", " lead"},
         {"t12", "trail "},
         {"t13", "\t"},
         {"t14", "x\\"}},
        {{"b0", QByteArray()},
         {"b1", bytesOf("\0\xff\n@)\\")},
         {"b2", bytesOf("\0"
                        "1\x01"
                        "a\x7f\x80 ")},
         {"b3", QByteArray(" spaced ")},
         {"b4", QByteArray("a,b;c=d")}},
        {{"key with spaces", "1"},
         {"%percent", "2"},
         {QStringLiteral("\u00e9t\u00e9"), "3"},
         {QStringLiteral("\u20ac"), "4"},
         {"section/key", "5"},
         {"section/deeper/key", "6"},
         {"/leading//slashes/", "7"},
         {"general/x", "8"},
         {"General/y", "9"},
         {"=;\"[]", "10"}},
        {{"list", QStringList{"a", "b c", "@d", ""}},
         {"empty list", QStringList{}},
         {"one", QStringList{"only"}},
         {"variants", QVariantList{QRect(1, 2, 3, 4), "x"}}},
    };
    QSettingsReference qsettings;
    for (const QVariantMap& values : tables) {
        SCOPED_TRACE(describe(values));
        const QByteArray ours = IniCodec::encode(values);
        EXPECT_EQ(shown(ours), shown(qsettings.write(values)));
        expectSameReading(IniReading::of(ours), qsettings.read(ours), ours);
    }
}

namespace {

// Characters one by one, so a character outside the basic plane stays whole.
QStringList charactersOf(const QString& text)
{
    QStringList characters;
    for (qsizetype i = 0; i < text.size(); i += characters.last().size())
        characters.append(text.mid(i, text[i].isHighSurrogate() ? 2 : 1));
    return characters;
}

QString randomText(QRandomGenerator& random, const QStringList& alphabet, int maximum)
{
    QString text;
    for (int i = int(random.bounded(maximum + 1)); i > 0; --i)
        text += alphabet[random.bounded(int(alphabet.size()))];
    return text;
}

} // namespace

// Random keys and values of the three kinds the store writes, odd characters included: our
// bytes are QSettings' bytes, and both read them back alike.
TEST(IniCodec, AGeneratedTableIsWrittenAndReadAsQSettingsDoes)
{
    const QStringList keyCharacters =
        charactersOf(QStringLiteral("aZ09_-. /%\\=;\"[],@#\u00e9\u20ac\t\U0001F600"));
    const QStringList textCharacters = charactersOf(
        QStringLiteral("aZ09 ,;=\"\\@#%()[]\u00e9\u20ac\t\n\r\u0001\u007f\u0080\U0001F600") +
        QChar(0));
    QSettingsReference qsettings;
    QRandomGenerator random(2024);
    for (int round = 0; round < 150; ++round) {
        QVariantMap values;
        for (int i = int(random.bounded(1, 6)); i > 0; --i) {
            const QString key = randomText(random, keyCharacters, 12);
            switch (random.bounded(3)) {
            case 0:
                values.insert(key, random.bounded(2) == 1);
                break;
            case 1:
                values.insert(key, randomText(random, textCharacters, 16));
                break;
            default:
                values.insert(key, randomBytes(random, int(random.bounded(12))));
            }
        }
        SCOPED_TRACE(describe(values));
        const QByteArray ours = IniCodec::encode(values);
        EXPECT_EQ(shown(ours), shown(qsettings.write(values)));
        expectSameReading(IniReading::of(ours), qsettings.read(ours), ours);
    }
}

// Random lines made of the characters that matter to the reader: both read them alike.
TEST(IniCodec, AGeneratedDamagedFileIsReadAsQSettingsReadsIt)
{
    const QByteArray pieces[] = {
        "[",    "]",  "=",       ";",           "\"",         "\\",     ",", "\n", "\r", "\t",
        " ",    "@",  "%",       "a",           "B",          "0",      "x", "U",  "/",  "\xc3",
        "\xa9", "\0", "general", "@ByteArray(", "@Invalid()", "@Rect(", ")", "#"};
    QSettingsReference qsettings;
    QRandomGenerator random(7);
    for (int round = 0; round < 300; ++round) {
        QByteArray content;
        for (int i = int(random.bounded(1, 60)); i > 0; --i) {
            const QByteArray& piece = pieces[random.bounded(int(std::size(pieces)))];
            content += piece.isEmpty() ? QByteArray(1, '\0') : piece;
        }
        expectSameReading(IniReading::of(content), qsettings.read(content), content);
    }
}
