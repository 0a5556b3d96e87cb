#include "ColorPickerModel.h"

#include "Clipboard.h"
#include "Notations.h"
#include "PreferencesStore.h"
#include "ScreenSampler.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QPointer>

#include <algorithm>

ColorPickerModel::ColorPickerModel(PreferencesStore& defaults, ScreenSampler& sampler,
                                   Clipboard& clipboard, QObject* parent)
    : QObject(parent), m_defaults(defaults), m_sampler(sampler), m_clipboard(clipboard)
{
    m_confirmationTimer.setSingleShot(true);
    m_confirmationTimer.setTimerType(Qt::PreciseTimer); // a coarse timer may end 5% early
    m_confirmationTimer.setInterval(confirmationDuration);
    connect(&m_confirmationTimer, &QTimer::timeout, this, &ColorPickerModel::clearConfirmation);
    loadPersisted();
}

QString ColorPickerModel::currentHex() const
{
    return m_current ? m_current->hexString() : QString();
}

QStringList ColorPickerModel::recentHexes() const
{
    QStringList hexes;
    hexes.reserve(m_recents.size());
    for (const PickedColor& color : m_recents)
        hexes.append(color.hexString());
    return hexes;
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
    setCurrent(color);
    const ColorFormat copied = m_formats.copied();
    copyWithConfirmation(copied.format(color), copied.copiedMessage());
    makeCurrent(color);
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
    setCurrent(color);
    QList<PickedColor> recents{color};
    const int limit = recentLimit();
    for (const PickedColor& entry : std::as_const(m_recents)) {
        if (recents.size() == limit)
            break;
        if (entry != color)
            recents.append(entry);
    }
    setRecents(recents);
    persist();
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

void ColorPickerModel::showConfirmation(const QString& message, std::chrono::milliseconds duration)
{
    // Any other message ends the chance to undo a clear.
    setClearedRecents(std::nullopt);
    setCopyConfirmation(message);
    m_confirmationTimer.start(duration); // restarts: an older clear never erases a newer one
}

void ColorPickerModel::clearConfirmation()
{
    setClearedRecents(std::nullopt);
    setCopyConfirmation(std::nullopt);
}

int ColorPickerModel::recentLimit() const
{
    const QString stored = m_defaults.stringForKey(recentLimitKey).value_or(QString());
    for (int limit : recentLimits) {
        if (stored == QString::number(limit))
            return limit;
    }
    return recentLimits[0];
}

void ColorPickerModel::setRecentLimit(int limit)
{
    if (limit == recentLimit() || std::find(std::begin(recentLimits), std::end(recentLimits),
                                            limit) == std::end(recentLimits))
        return;
    m_defaults.setString(recentLimitKey, QString::number(limit));
    emit recentLimitChanged();
    emit recentsChanged(); // the shown ones
}

void ColorPickerModel::removeRecent(const PickedColor& color)
{
    QList<PickedColor> recents = m_recents;
    if (recents.removeAll(color) == 0)
        return;
    setRecents(recents);
    persistRecents();
}

void ColorPickerModel::clearRecents()
{
    if (m_recents.isEmpty())
        return;
    const QList<PickedColor> cleared = m_recents;
    setRecents({});
    persistRecents();
    showConfirmation(tr("Recent colors cleared · Undo"), undoDuration);
    setClearedRecents(cleared);
}

void ColorPickerModel::undoClear()
{
    if (!m_clearedRecents)
        return;
    const QList<PickedColor> cleared = *m_clearedRecents;
    setRecents(cleared);
    persistRecents();
    showConfirmation(tr("Recent colors restored"));
}

void ColorPickerModel::setClearedRecents(const std::optional<QList<PickedColor>>& cleared)
{
    if (m_clearedRecents == cleared)
        return;
    m_clearedRecents = cleared;
    emit canUndoClearChanged();
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
    if (m_isSampling || !m_current)
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

void ColorPickerModel::persist()
{
    m_defaults.setString(currentHexKey, m_current->hexString());
    persistRecents();
}

void ColorPickerModel::persistRecents()
{
    QJsonArray hexes;
    for (const PickedColor& color : std::as_const(m_recents))
        hexes.append(color.hexString());
    const QByteArray encoded = QJsonDocument(hexes).toJson(QJsonDocument::Compact);
    if (encoded.isEmpty()) {
        m_log.warning("failed to encode recent picks for persistence");
        return;
    }
    m_defaults.setData(recentHexesKey, encoded);
}

void ColorPickerModel::loadPersisted()
{
    if (const auto hex = m_defaults.stringForKey(currentHexKey))
        setCurrent(PickedColor::fromHex(*hex));

    const auto data = m_defaults.dataForKey(recentHexesKey);
    if (!data)
        return;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(*data, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return;
    const QJsonArray array = document.array();
    for (const QJsonValue& value : array) {
        if (!value.isString())
            return; // not an array of strings: nothing of it is used
    }

    QList<PickedColor> recents;
    for (const QJsonValue& value : array) {
        if (const auto color = PickedColor::fromHex(value.toString()))
            recents.append(*color);
    }
    setRecents(recents);
}

void ColorPickerModel::setCurrent(const std::optional<PickedColor>& color)
{
    if (m_current == color)
        return;
    m_current = color;
    emit currentChanged();
}

void ColorPickerModel::setRecents(const QList<PickedColor>& colors)
{
    if (m_recents == colors)
        return;
    m_recents = colors;
    emit recentsChanged();
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

void ColorPickerModel::changeFormats(const std::function<void()>& change)
{
    const QList<ColorFormat> available = m_formats.available();
    const QList<ColorFormat> shown = m_formats.shown();
    const ColorFormat copied = m_formats.copied();
    change();
    if (available != m_formats.available() || shown != m_formats.shown() ||
        copied != m_formats.copied())
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
