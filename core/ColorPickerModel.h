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

public:
    static constexpr int maximumRecents = 8;
    static constexpr std::chrono::milliseconds confirmationDuration{1500};
    static inline const QString currentHexKey = QStringLiteral("colorpicker.currentHex");
    static inline const QString recentHexesKey = QStringLiteral("colorpicker.recentHexes");

    // Loads the persisted colours from the store.
    ColorPickerModel(PreferencesStore& defaults, ScreenSampler& sampler, Clipboard& clipboard,
                     QObject* parent = nullptr);

    const std::optional<PickedColor>& current() const { return m_current; }
    const QList<PickedColor>& recents() const { return m_recents; }
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

private:
    void copyWithConfirmation(const QString& text, const QString& message);
    // Current, first of the recents, persisted.
    void makeCurrent(const PickedColor& color);
    void finishPick(quint64 pick, const std::optional<SrgbComponents>& components);
    void showConfirmation(const QString& message);
    void clearConfirmation();
    void persist();
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
    std::optional<QString> m_copyConfirmation;
    QString m_pickUnavailable;
    PreferencesStore& m_defaults;
    FormatPreferences m_formats{m_defaults};
    ScreenSampler& m_sampler;
    Clipboard& m_clipboard;
    QTimer m_confirmationTimer;
    Log m_log{"picker"};
};
