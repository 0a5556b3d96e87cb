#pragma once

#include "core/FormatPreferences.h"
#include "core/PickedColor.h"
#include "core/RecentColors.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

class AppSettings;
class Clipboard;
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

// The picker's pick and what it adopts: runs a pick through the screen sampler, makes the
// picked colour current (kept in the settings) and first of the recent colours, copies it
// in the copied format with a short-lived confirmation, and runs the comparison with a second
// colour. Properties notify only when their value changes, also when another process changed
// the stored colour. Main thread only.
class ColorPickerModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString currentHex READ currentHex NOTIFY currentChanged)
    Q_PROPERTY(bool isSampling READ isSampling NOTIFY isSamplingChanged)
    Q_PROPERTY(QString copyConfirmation READ copyConfirmationText NOTIFY copyConfirmationChanged)
    Q_PROPERTY(QString pickUnavailable READ pickUnavailable NOTIFY pickUnavailableChanged)

public:
    static constexpr std::chrono::milliseconds confirmationDuration{1500};

    // The settings and the recent colours must outlive the model.
    ColorPickerModel(AppSettings& settings, RecentColors& recents, ScreenSampler& sampler,
                     Clipboard& clipboard, QObject* parent = nullptr);

    const std::optional<PickedColor>& current() const;
    // The recent colours the model adds each adopted colour to; views bind to them directly.
    RecentColors& recents() const { return m_recents; }
    // The colour the current one is compared with, none when no comparison is open.
    const std::optional<PickedColor>& contrastPartner() const { return m_contrastPartner; }
    bool isSampling() const { return m_isSampling; }
    const std::optional<QString>& copyConfirmation() const { return m_copyConfirmation; }

    // Property forms: empty text for none.
    QString currentHex() const;
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
    // Makes the colour current, copies it in the copied format and puts it first of the
    // recents.
    void adopt(const PickedColor& color);
    // Copies the text and shows the message.
    void copyValue(const QString& text, const QString& message);
    // Makes the colour on the clipboard (in any notation Notations::parse reads) current and
    // first of the recents, leaving the clipboard as it is; says in the confirmation that it
    // was pasted, or that the clipboard holds no colour.
    void pasteColor();
    // Empties the recents and says so in the capsule, which offers the undo for as long as
    // the recents allow it (RecentColors::undoDuration); any other message ends the offer.
    void clearRecents();
    void undoClear();
    // Opens the comparison of the current colour with `color`.
    void compareWith(const PickedColor& color);
    // Runs a pick whose colour is compared with the current one instead of replacing it.
    void pickContrastPartner();
    void closeContrast();

signals:
    void currentChanged();
    void isSamplingChanged();
    void copyConfirmationChanged();
    void pickUnavailableChanged();
    // Once per pick, after a picked colour has been adopted.
    void pickEnded(const PickOutcome& outcome);
    // The shown or copied formats, or the templates, changed.
    void formatsChanged();
    void contrastPartnerChanged();

private:
    void copyWithConfirmation(const QString& text, const QString& message);
    // Current and first of the recents.
    void makeCurrent(const PickedColor& color);
    void finishPick(quint64 pick, const std::optional<SrgbComponents>& components);
    void showConfirmation(const QString& message);
    void clearConfirmation();
    // The undo of a clear is no longer possible: its offer leaves the capsule.
    void undoEnded();

    void setIsSampling(bool sampling);
    void setCopyConfirmation(const std::optional<QString>& message);
    // The formats as the views read them, to tell whether a change of their keys changed
    // what the views show.
    struct Formats
    {
        QList<ColorFormat> available;
        QList<ColorFormat> shown;
        ColorFormat copied;

        friend bool operator==(const Formats&, const Formats&) = default;
    };
    Formats formats() const;
    // Runs the change of one or more format keys, then announces it.
    void changeFormats(const std::function<void()>& change);
    // Emits formatsChanged when the formats read differently from when it last did; not in
    // the middle of a change.
    void announceFormats();

    AppSettings& m_settings;
    RecentColors& m_recents;
    bool m_isSampling = false;
    quint64 m_pick = 0; // counts pickColor() runs, so a stale or repeated answer is ignored
    bool m_pickForContrast = false;
    std::optional<PickedColor> m_contrastPartner;
    std::optional<QString> m_copyConfirmation;
    bool m_offeringUndo = false; // the capsule shows the undo of a clear
    bool m_changingFormats = false;
    QString m_pickUnavailable;
    FormatPreferences m_formats{m_settings};
    Formats m_announcedFormats = formats();
    ScreenSampler& m_sampler;
    Clipboard& m_clipboard;
    QTimer m_confirmationTimer;
};
