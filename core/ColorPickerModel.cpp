#include "core/ColorPickerModel.h"

#include "core/AppSettings.h"
#include "core/Notations.h"
#include "core/ports/Clipboard.h"
#include "core/ports/ScreenSampler.h"

#include <QCoreApplication>
#include <QPointer>

ColorPickerModel::ColorPickerModel(AppSettings& settings, RecentColors& recents,
                                   ScreenSampler& sampler, Clipboard& clipboard, QObject* parent)
    : QObject(parent), m_settings(settings), m_recents(recents), m_sampler(sampler),
      m_clipboard(clipboard)
{
    m_confirmationTimer.setSingleShot(true);
    m_confirmationTimer.setTimerType(Qt::PreciseTimer); // a coarse timer may end 5% early
    m_confirmationTimer.setInterval(confirmationDuration);
    connect(&m_confirmationTimer, &QTimer::timeout, this, &ColorPickerModel::clearConfirmation);
    connect(&m_settings, &AppSettings::currentColorChanged, this,
            &ColorPickerModel::currentChanged);
    connect(&m_recents, &RecentColors::canUndoClearChanged, this, &ColorPickerModel::undoEnded);
    for (const auto changed :
         {&AppSettings::shownFormatIdsChanged, &AppSettings::copiedFormatIdChanged,
          &AppSettings::formatTemplatesChanged})
        connect(&m_settings, changed, this, &ColorPickerModel::announceFormats);
}

const std::optional<PickedColor>& ColorPickerModel::current() const
{
    return m_settings.currentColor();
}

QString ColorPickerModel::currentHex() const
{
    return current() ? current()->hexString() : QString();
}

void ColorPickerModel::pickColor()
{
    if (m_isSampling)
        return;
    m_pickForContrast = false;
    setIsSampling(true);
    const quint64 pick = ++m_pick;

    // The sampler may answer on any thread and after this model is gone: the answer is
    // carried to the main thread, where the weak pointer is checked.
    QPointer<ColorPickerModel> self(this);
    m_sampler.showSampler([self, pick](std::optional<SrgbComponents> components) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, pick, components] {
                if (self)
                    self->finishPick(pick, components);
            },
            Qt::QueuedConnection);
    });
}

void ColorPickerModel::finishPick(quint64 pick, const std::optional<SrgbComponents>& components)
{
    // A sampler that answers twice must not end a later pick or adopt a second colour.
    if (!m_isSampling || pick != m_pick)
        return;
    setIsSampling(false);
    const QString unavailable =
        components ? QString() : QString::fromStdString(m_sampler.unavailableReason());
    if (m_pickUnavailable != unavailable) {
        m_pickUnavailable = unavailable;
        emit pickUnavailableChanged();
    }
    const std::optional<PickedColor> color =
        components ? PickedColor::fromSrgb(*components) : std::nullopt;
    if (color) {
        if (m_pickForContrast)
            compareWith(*color);
        else
            adopt(*color);
        emit pickEnded({PickOutcome::Kind::picked, color->hexString(), QString()});
    } else if (!unavailable.isEmpty()) {
        emit pickEnded({PickOutcome::Kind::unavailable, QString(), unavailable});
    } else {
        emit pickEnded({});
    }
}

void ColorPickerModel::adopt(const PickedColor& color)
{
    m_settings.setCurrentColor(color);
    const ColorFormat copied = m_formats.copied();
    copyWithConfirmation(copied.format(color), copied.copiedMessage());
    m_recents.add(color);
}

void ColorPickerModel::pasteColor()
{
    const std::optional<PickedColor> color = Notations::parse(m_clipboard.currentText());
    if (!color) {
        showConfirmation(tr("No color on the clipboard"));
        return;
    }
    makeCurrent(*color);
    showConfirmation(tr("Color pasted"));
}

void ColorPickerModel::makeCurrent(const PickedColor& color)
{
    m_settings.setCurrentColor(color);
    m_recents.add(color);
}

void ColorPickerModel::copyValue(const QString& text, const QString& message)
{
    copyWithConfirmation(text, message);
}

void ColorPickerModel::copyWithConfirmation(const QString& text, const QString& message)
{
    // The confirmation follows the copy, which an adapter may complete later.
    QPointer<ColorPickerModel> self(this);
    m_clipboard.setText(text, [self, message](bool copied) {
        if (self && copied)
            self->showConfirmation(message);
    });
}

void ColorPickerModel::showConfirmation(const QString& message)
{
    // Any other message ends the chance to undo a clear.
    m_offeringUndo = false;
    m_recents.forgetClear();
    setCopyConfirmation(message);
    m_confirmationTimer.start(); // restarts: an older clear never erases a newer one
}

void ColorPickerModel::clearConfirmation()
{
    setCopyConfirmation(std::nullopt);
}

void ColorPickerModel::clearRecents()
{
    if (m_recents.all().isEmpty())
        return;
    m_recents.clear();
    // The offer stays as long as the recents can undo the clear.
    m_confirmationTimer.stop();
    m_offeringUndo = true;
    setCopyConfirmation(tr("Recent colors cleared · Undo"));
}

void ColorPickerModel::undoClear()
{
    if (!m_recents.canUndoClear())
        return;
    m_offeringUndo = false;
    m_recents.undoClear();
    showConfirmation(tr("Recent colors restored"));
}

void ColorPickerModel::undoEnded()
{
    if (m_recents.canUndoClear() || !m_offeringUndo)
        return;
    m_offeringUndo = false;
    clearConfirmation();
}

void ColorPickerModel::compareWith(const PickedColor& color)
{
    if (m_contrastPartner == color)
        return;
    m_contrastPartner = color;
    emit contrastPartnerChanged();
}

void ColorPickerModel::pickContrastPartner()
{
    if (m_isSampling || !current())
        return;
    pickColor();
    m_pickForContrast = true;
}

void ColorPickerModel::closeContrast()
{
    if (!m_contrastPartner)
        return;
    m_contrastPartner.reset();
    emit contrastPartnerChanged();
}

void ColorPickerModel::setIsSampling(bool sampling)
{
    if (m_isSampling == sampling)
        return;
    m_isSampling = sampling;
    emit isSamplingChanged();
}

void ColorPickerModel::setCopyConfirmation(const std::optional<QString>& message)
{
    if (m_copyConfirmation == message)
        return;
    m_copyConfirmation = message;
    emit copyConfirmationChanged();
}

ColorPickerModel::Formats ColorPickerModel::formats() const
{
    return {m_formats.available(), m_formats.shown(), m_formats.copied()};
}

void ColorPickerModel::changeFormats(const std::function<void()>& change)
{
    m_changingFormats = true;
    change();
    m_changingFormats = false;
    announceFormats();
}

void ColorPickerModel::announceFormats()
{
    if (m_changingFormats)
        return;
    Formats now = formats();
    if (now == m_announcedFormats)
        return;
    m_announcedFormats = std::move(now);
    emit formatsChanged();
}

void ColorPickerModel::setShownFormats(const QStringList& ids)
{
    changeFormats([&] { m_formats.setShown(ids); });
}

void ColorPickerModel::setCopiedFormat(const QString& id)
{
    changeFormats([&] { m_formats.setCopied(id); });
}

std::optional<QString> ColorPickerModel::addTemplate(const QString& name, const QString& pattern)
{
    std::optional<QString> refusal;
    changeFormats([&] { refusal = m_formats.addTemplate(name, pattern); });
    return refusal;
}

void ColorPickerModel::removeTemplate(const QString& id)
{
    changeFormats([&] { m_formats.removeTemplate(id); });
}
