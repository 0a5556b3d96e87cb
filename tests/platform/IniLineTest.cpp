#include "platform/preferences/IniLine.h"

#include <gtest/gtest.h>

// The one walk behind both the key count (a count above what QSettings reads marks a clean
// file as damaged) and the recovery of a damaged one (a line read under the wrong section
// renames its key). The store's tests use [General] files without comments only.
TEST(IniLine, WalksTheLinesThatMayGiveAKeyUnderTheirSection)
{
    using Key = std::optional<QByteArray>;
    struct Case
    {
        const char* name;
        QByteArray content;
        QList<IniLine> expected;
    };
    const Case cases[] = {
        {"comments and blank lines give nothing", "; a=1\n  # b=2\n\n   \n", {}},
        {"lines before any header are under [General]",
         "a=1\nb = two words",
         {{"[General]", "a=1", Key("a")}, {"[General]", "b = two words", Key("b")}}},
        {"a named section prefixes its keys, [General] does not",
         "[colors]\nhex=1\n  [x y]  \nk=v\n[General]\nhex=2\n",
         {{"[colors]", "hex=1", Key("colors/hex")},
          {"[x y]", "k=v", Key("x y/k")},
          {"[General]", "hex=2", Key("hex")}}},
        {"the line as written, the key trimmed",
         "  key name = 1\r\n",
         {{"[General]", "  key name = 1\r", Key("key name")}}},
        {"a line without a key is walked but names none",
         "\"oops\n=1\n",
         {{"[General]", "\"oops", std::nullopt}, {"[General]", "=1", std::nullopt}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QList<IniLine> lines = IniLine::linesOf(c.content);
        ASSERT_EQ(lines.size(), c.expected.size());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].section, c.expected[i].section) << i;
            EXPECT_EQ(lines[i].text, c.expected[i].text) << i;
            EXPECT_EQ(lines[i].key, c.expected[i].key) << i;
        }
    }
}
