#include "core/MorvaneMenuRules.h"

#include <gtest/gtest.h>

using MorvaneMenuRules::MenuEntry;

namespace {

const MenuEntry separator{QString(), true};
MenuEntry item(const char* title)
{
    return {QString::fromUtf8(title), false};
}

// The titles left after removing the returned indices one by one ("-" for a separator).
QStringList afterStrip(const QList<MenuEntry>& entries)
{
    QList<MenuEntry> left = entries;
    qsizetype previous = entries.size();
    for (qsizetype index : MorvaneMenuRules::strippedIndices(entries)) {
        EXPECT_LT(index, previous) << "indices must be distinct and descending";
        previous = index;
        left.removeAt(index);
    }
    QStringList titles;
    for (const MenuEntry& entry : left)
        titles.append(entry.isSeparator ? QStringLiteral("-") : entry.title);
    return titles;
}

} // namespace

TEST(MorvaneMenuRules, StripsJunkAndTheSeparatorsItLeaves)
{
    const struct
    {
        const char* name;
        QList<MenuEntry> entries;
        QStringList left;
    } cases[] = {
        {"junk between separators",
         {separator, item("Start Dictation…"), item("Copy"), separator, separator,
          item("Emoji & Symbols"), separator},
         {"Copy"}},
        {"only separators", {separator, separator, separator}, {}},
        {"empty", {}, {}},
        {"runs shrink to one",
         {item("A"), separator, separator, separator, item("B")},
         {"A", "-", "B"}},
        {"prefixes match titles that go on",
         {item("AutoFill Contact"), item("Auto Fill"), item("Writing Tools"), item("Services Menu"),
          item("My Services"), item("start dictation")},
         {"Auto Fill", "My Services", "start dictation"}},
        {"clean menu unchanged", {item("Open"), separator, item("Quit")}, {"Open", "-", "Quit"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(afterStrip(c.entries), c.left);
    }
}

TEST(MorvaneMenuRules, RemovesOnlyATopLevelMenuTitledExactlyFormat)
{
    EXPECT_TRUE(MorvaneMenuRules::isRemovedTopLevel(QStringLiteral("Format")));
    for (const char* title : {"Format Painter", "format", "Formats", " Format"})
        EXPECT_FALSE(MorvaneMenuRules::isRemovedTopLevel(QString::fromUtf8(title))) << title;
}
