#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The menu clean-up rules, free of any toolkit: which items of a menu go, and which top-level
// menu goes whole. The widget side applies them to real menus.
namespace MorvaneMenuRules {

struct MenuEntry
{
    QString title;
    bool isSeparator = false;
};

// Title prefixes of the items stripped from every top-level submenu, tested in this order;
// case-sensitive, on the title only. Kept for compatibility and inert here: no Linux desktop
// adds such items (nor a "Format" menu) to the application's menus.
inline const QStringList junkTitlePrefixes = {
    QStringLiteral("Start Dictation"), QStringLiteral("Emoji & Symbols"),
    QStringLiteral("Writing Tools"),   QStringLiteral("AutoFill"),
    QStringLiteral("Services"),
};

// The one top-level menu removed whole (exact title).
inline const QString removedTopLevelTitle = QStringLiteral("Format");

bool isJunkTitle(const QString& title);
bool isRemovedTopLevel(const QString& title);

// Indices into entries, in descending order, of the items the strip removes: the junk items
// first, then the separators left leading, trailing or doubled. Removing them one by one in
// the returned order leaves the cleaned menu.
QList<qsizetype> strippedIndices(const QList<MenuEntry>& entries);

} // namespace MorvaneMenuRules
