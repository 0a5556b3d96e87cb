#include "core/MorvaneMenuRules.h"

#include <algorithm>

namespace MorvaneMenuRules {
namespace {

struct Kept
{
    qsizetype index;
    bool isSeparator;
};

// Leading and trailing separators go, and each run of separators shrinks to its first one.
void tidySeparators(QList<Kept>& kept, QList<qsizetype>& removed)
{
    while (!kept.isEmpty() && kept.first().isSeparator)
        removed.append(kept.takeFirst().index);
    while (!kept.isEmpty() && kept.last().isSeparator)
        removed.append(kept.takeLast().index);
    for (qsizetype i = kept.size() - 1; i >= 1; --i) {
        if (kept.at(i).isSeparator && kept.at(i - 1).isSeparator)
            removed.append(kept.takeAt(i).index);
    }
}

} // namespace

bool isJunkTitle(const QString& title)
{
    return std::any_of(junkTitlePrefixes.cbegin(), junkTitlePrefixes.cend(),
                       [&title](const QString& prefix) { return title.startsWith(prefix); });
}

bool isRemovedTopLevel(const QString& title)
{
    return title == removedTopLevelTitle;
}

QList<qsizetype> strippedIndices(const QList<MenuEntry>& entries)
{
    QList<Kept> kept;
    QList<qsizetype> removed;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const MenuEntry& entry = entries.at(i);
        if (isJunkTitle(entry.title))
            removed.append(i);
        else
            kept.append({i, entry.isSeparator});
    }
    tidySeparators(kept, removed);
    std::sort(removed.begin(), removed.end(), std::greater<>());
    return removed;
}

} // namespace MorvaneMenuRules
