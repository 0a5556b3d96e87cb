#pragma once

#include "FormatPreferences.h"
#include "Log.h"
#include "PickedColor.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

class Clipboard;
class PreferencesStore;
class ScreenSampler;

// How one pick ended: the picked colour's hex, a cancel by the user, or unavailable with what
// kept the pick from running.
struct PickOutcome
{
    enum class Kind
    {
        picked,
        cancelled,
        unavailable
    };

    Kind kind = Kind::cancelled;
    QString hex;    // picked
    QString reason; // unavailable

    friend bool operator==(const PickOutcome&, const PickOutcome&) = default;
};

// The picker's one stateful object: runs a pick through the screen sampler, holds the
// current and recent colours, copies to the clipboard with a short-lived confirmation and
// persists the colours. Properties notify only when their value changes. Main thread only.
class ColorPickerModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString currentHex READ currentHex NOTIFY currentChanged)
    Q_PROPERTY(QStringList recentHexes READ recentHexes NOTIFY recentsChanged)
    Q_PROPERTY(bool isSampling READ isSampling NOTIFY isSamplingChanged)
    Q_PROPERTY(QString copyConfirmation READ copyConfirmationText NOTIFY copyConfirmationChanged)
    Q_PROPERTY(QString pickUnavailable READ pickUnavailable NOTIFY pickUnavailableChanged)
    Q_PROPERTY(int recentLimit READ recentLimit WRITE setRecentLimit NOTIFY recentLimitChanged)
    Q_PROPERTY(bool canUndoClear READ canUndoClear NOTIFY canUndoClearChanged)

public:
    // The lengths the recent colours may be set to; the first is the default.
    static constexpr int recentLimits[] = {8, 16, 32};
    static constexpr std::chrono::milliseconds confirmationDuration{1500};
    // How long "Clear" can be undone from the capsule.
    static constexpr std::chrono::milliseconds undoDuration{5000};
    static inline const QString currentHexKey = QStringLiteral("colorpicker.currentHex");
    static inline const QString recentHexesKey = QStringLiteral("colorpicker.recentHexes");
    static inline const QString recentLimitKey = QStringLiteral("colorpicker.recentLimit");

    // Loads the persisted colours from the store.
    ColorPickerModel(PreferencesStore& defaults, ScreenSampler& sampler, Clipboard& clipboard,
                     QObject* parent = nullptr);

    const std::optional<PickedColor>& current() const { return m_current; }
    // Every stored recent colour, newest first. A list stored longer than the limit (the
    // limit was lowered) keeps its tail until the next colour is adopted.
    const QList<PickedColor>& recents() const { return m_recents; }
    // The recent colours the panel shows: at most recentLimit().
    QList<PickedColor> shownRecents() const { return m_recents.mid(0, recentLimit()); }
    // 8, 16 or 32 (colorpicker.recentLimit; anything else reads as 8).
    int recentLimit() const;
    bool canUndoClear() const { return m_clearedRecents.has_value(); }
    // The colour the current one is compared with, none when no comparison is open.
    const std::optional<PickedColor>& contrastPartner() const { return m_contrastPartner; }
    bool isSampling() const { return m_isSampling; }
    const std::optional<QString>& copyConfirmation() const { return m_copyConfirmation; }

    // Property forms: empty text for none.
    QString currentHex() const;
    QStringList recentHexes() const;
    QString copyConfirmationText() const { return m_copyConfirmation.value_or(QString()); }
    // What kept the last pick from running (the sampler's words for the user), until a pick
    // runs again; empty when the last pick ran. The pick itself ended as a dismissal.
    const QString& pickUnavailable() const { return m_pickUnavailable; }

    // The user's formats (FormatPreferences): the panel's rows and the one copied on a pick.
    QList<ColorFormat> availableFormats() const { return m_formats.available(); }
    QList<ColorFormat> shownFormats() const { return m_formats.shown(); }
    ColorFormat copiedFormat() const { return m_formats.copied(); }
    void setShownFormats(const QStringList& ids);
    void setCopiedFormat(const QString& id);
    // The reason a template is refused, or none when it was added (and shown last).
    std::optional<QString> addTemplate(const QString& name, const QString& pattern);
    void removeTemplate(const QString& id);

public slots:
    // Shows the screen sampler unless a pick is already running.
    void pickColor();
    // Makes the colour current, copies it in the copied format, moves it to the front of the
    // recents, persists.
    void adopt(const PickedColor& color);
    // Copies the text and shows the message.
    void copyValue(const QString& text, const QString& message);
    // Makes the colour on the clipboard (in any notation Notations::parse reads) current and
    // moves it to the front of the recents, leaving the clipboard as it is; says in the
    // confirmation that it was pasted, or that the clipboard holds no colour.
    void pasteColor();
    // One of recentLimits; other values are ignored. Cuts nothing until a colour is adopted.
    void setRecentLimit(int limit);
    // Takes the colour out of the recents and persists.
    void removeRecent(const PickedColor& color);
    // Empties the recents and persists; says so in the capsule, from which undoClear() puts
    // them back for undoDuration.
    void clearRecents();
    void undoClear();
    // Opens the comparison of the current colour with `color`.
    void compareWith(const PickedColor& color);
    // Runs a pick whose colour is compared with the current one instead of replacing it.
    void pickContrastPartner();
    void closeContrast();

signals:
    void currentChanged();
    void recentsChanged();
    void isSamplingChanged();
    void copyConfirmationChanged();
    void pickUnavailableChanged();
    // Once per pick, after a picked colour has been adopted.
    void pickEnded(const PickOutcome& outcome);
    // The shown or copied formats, or the templates, changed.
    void formatsChanged();
    void recentLimitChanged();
    void canUndoClearChanged();
    void contrastPartnerChanged();

private:
    void copyWithConfirmation(const QString& text, const QString& message);
    // Current, first of the recents, persisted.
    void makeCurrent(const PickedColor& color);
    void finishPick(quint64 pick, const std::optional<SrgbComponents>& components);
    void showConfirmation(const QString& message,
                          std::chrono::milliseconds duration = confirmationDuration);
    void setClearedRecents(const std::optional<QList<PickedColor>>& cleared);
    void clearConfirmation();
    void persist();
    void persistRecents();
    void loadPersisted();

    void setCurrent(const std::optional<PickedColor>& color);
    void setRecents(const QList<PickedColor>& colors);
    void setIsSampling(bool sampling);
    void setCopyConfirmation(const std::optional<QString>& message);
    // Runs the change and announces it when the formats read differently after it.
    void changeFormats(const std::function<void()>& change);

    std::optional<PickedColor> m_current;
    QList<PickedColor> m_recents;
    bool m_isSampling = false;
    quint64 m_pick = 0; // counts pickColor() runs, so a stale or repeated answer is ignored
    bool m_pickForContrast = false;
    std::optional<PickedColor> m_contrastPartner;
    std::optional<QList<PickedColor>> m_clearedRecents; // while "Clear" can be undone
    std::optional<QString> m_copyConfirmation;
    QString m_pickUnavailable;
    PreferencesStore& m_defaults;
    FormatPreferences m_formats{m_defaults};
    ScreenSampler& m_sampler;
    Clipboard& m_clipboard;
    QTimer m_confirmationTimer;
    Log m_log{"picker"};
};
