#include "core/RecentColors.h"

#include "core/AppSettings.h"

RecentColors::RecentColors(AppSettings& settings, QObject* parent)
    : QObject(parent), m_settings(settings)
{
    m_undoTimer.setSingleShot(true);
    m_undoTimer.setTimerType(Qt::PreciseTimer); // a coarse timer may end 5% early
    m_undoTimer.setInterval(undoDuration);
    connect(&m_undoTimer, &QTimer::timeout, this, &RecentColors::forgetClear);
    connect(&m_settings, &AppSettings::recentColorsChanged, this, &RecentColors::changed);
    connect(&m_settings, &AppSettings::recentLimitChanged, this, [this] {
        emit limitChanged();
        emit changed(); // the shown ones
    });
}

const QList<PickedColor>& RecentColors::all() const
{
    return m_settings.recentColors();
}

QStringList RecentColors::hexes() const
{
    QStringList hexes;
    hexes.reserve(all().size());
    for (const PickedColor& color : all())
        hexes.append(color.hexString());
    return hexes;
}

int RecentColors::limit() const
{
    return m_settings.recentLimit();
}

void RecentColors::add(const PickedColor& color)
{
    QList<PickedColor> colors{color};
    const int limit = this->limit();
    for (const PickedColor& entry : all()) {
        if (colors.size() == limit)
            break;
        if (entry != color)
            colors.append(entry);
    }
    m_settings.setRecentColors(colors);
}

void RecentColors::setLimit(int limit)
{
    // A stored value that reads as this limit is left as it is.
    if (limit != this->limit())
        m_settings.setRecentLimit(limit);
}

void RecentColors::remove(const PickedColor& color)
{
    QList<PickedColor> colors = all();
    if (colors.removeAll(color) > 0)
        m_settings.setRecentColors(colors);
}

void RecentColors::clear()
{
    if (all().isEmpty())
        return;
    const QList<PickedColor> cleared = all();
    m_settings.setRecentColors({});
    setCleared(cleared);
    m_undoTimer.start();
}

void RecentColors::undoClear()
{
    if (!m_cleared)
        return;
    const QList<PickedColor> cleared = *m_cleared;
    m_settings.setRecentColors(cleared);
    forgetClear();
}

void RecentColors::forgetClear()
{
    m_undoTimer.stop();
    setCleared(std::nullopt);
}

void RecentColors::setCleared(const std::optional<QList<PickedColor>>& cleared)
{
    const bool couldUndo = canUndoClear();
    m_cleared = cleared;
    if (canUndoClear() != couldUndo)
        emit canUndoClearChanged();
}
