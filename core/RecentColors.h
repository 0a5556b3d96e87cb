#pragma once

#include "core/PickedColor.h"
#include "core/SettingsSchema.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <optional>

class AppSettings;

// The recent colours, newest first, and how many are kept, both in the settings: add() puts a
// colour at the front without a duplicate and cuts the list to the limit; a lowered limit only
// hides the tail until then. clear() can be undone for undoDuration. Signals notify only on a
// change, and follow changes made elsewhere. Main thread only.
class RecentColors : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList hexes READ hexes NOTIFY changed)
    Q_PROPERTY(int limit READ limit WRITE setLimit NOTIFY limitChanged)
    Q_PROPERTY(bool canUndoClear READ canUndoClear NOTIFY canUndoClearChanged)

public:
    static constexpr const auto& limits = SettingsSchema::recentLimits;
    static constexpr std::chrono::milliseconds undoDuration{5000};

    explicit RecentColors(AppSettings& settings, QObject* parent = nullptr);

    // Every stored colour. A list stored longer than the limit (the limit was lowered, or the
    // file was edited) keeps its tail until the next add().
    const QList<PickedColor>& all() const;
    // What the panel shows: at most limit().
    QList<PickedColor> shown() const { return all().mid(0, limit()); }
    QStringList hexes() const;
    // 8, 16 or 32.
    int limit() const;
    bool canUndoClear() const { return m_cleared.has_value(); }

public slots:
    // Puts the colour first, drops its other entries, keeps at most limit().
    void add(const PickedColor& color);
    // One of limits; other values are ignored. Cuts nothing until a colour is added.
    void setLimit(int limit);
    void remove(const PickedColor& color);
    // Empties the list; undoClear() puts it back until undoDuration has passed, or until
    // forgetClear().
    void clear();
    void undoClear();
    void forgetClear();

signals:
    // The list, or the part of it that is shown.
    void changed();
    void limitChanged();
    void canUndoClearChanged();

private:
    void setCleared(const std::optional<QList<PickedColor>>& cleared);

    AppSettings& m_settings;
    std::optional<QList<PickedColor>> m_cleared; // while a clear can be undone
    QTimer m_undoTimer;
};
