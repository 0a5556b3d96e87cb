#include "core/FormatPreferences.h"

#include "core/AppSettings.h"
#include "core/ColorTemplate.h"
#include "core/Notations.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>

namespace {

ColorFormat builtIn(const Notation& notation)
{
    return {notation.idText(), notation.labelText(), &notation, {}};
}

QString tr(const char* text)
{
    return QCoreApplication::translate("FormatPreferences", text);
}

} // namespace

QString ColorFormat::format(const PickedColor& color) const
{
    return notation ? notation->format(color) : ColorTemplate::apply(pattern, color);
}

QString ColorFormat::copiedMessage() const
{
    if (notation == &Notations::hex())
        return QCoreApplication::translate("ColorPickerModel", "Hex copied");
    return QCoreApplication::translate("ValueRow", "%1 copied").arg(label);
}

QList<ColorFormat> FormatPreferences::available() const
{
    QList<ColorFormat> formats;
    for (const Notation& notation : Notations::all())
        formats.append(builtIn(notation));
    formats.append(templates());
    return formats;
}

std::optional<ColorFormat> FormatPreferences::find(const QString& id) const
{
    if (const Notation* notation = Notations::find(id))
        return builtIn(*notation);
    for (const ColorFormat& format : templates()) {
        if (format.id == id)
            return format;
    }
    return std::nullopt;
}

QList<ColorFormat> FormatPreferences::shown() const
{
    QList<ColorFormat> formats;
    QStringList seen;
    for (const QString& id : m_settings.shownFormatIds()) {
        const std::optional<ColorFormat> format = find(id);
        if (format && !seen.contains(id)) {
            formats.append(*format);
            seen.append(id);
        }
    }
    return formats;
}

ColorFormat FormatPreferences::copied() const
{
    const std::optional<ColorFormat> format = find(m_settings.copiedFormatId());
    return format ? *format : builtIn(Notations::hex());
}

void FormatPreferences::setShown(const QStringList& ids)
{
    QStringList stored = ids;
    for (const QString& id : m_settings.shownFormatIds()) {
        if (!find(id) && !ids.contains(id))
            stored.append(id);
    }
    m_settings.setShownFormatIds(stored);
}

void FormatPreferences::setCopied(const QString& id)
{
    if (find(id))
        m_settings.setCopiedFormatId(id);
}

QList<ColorFormat> FormatPreferences::templates() const
{
    QList<ColorFormat> formats;
    for (const QJsonValue& value : m_settings.formatTemplates()) {
        const QJsonObject entry = value.toObject();
        const QString id = entry.value(QLatin1String("id")).toString();
        const QString name = entry.value(QLatin1String("name")).toString();
        const QString pattern = entry.value(QLatin1String("template")).toString();
        if (id.startsWith(templateIdPrefix) && !name.isEmpty() && !ColorTemplate::problem(pattern))
            formats.append({id, name, nullptr, pattern});
    }
    return formats;
}

std::optional<QString> FormatPreferences::addTemplate(const QString& name, const QString& pattern)
{
    const QString label = name.trimmed();
    if (label.isEmpty())
        return tr("the format needs a name");
    for (const ColorFormat& format : available()) {
        if (format.label == label)
            return tr("a format named \"%1\" exists").arg(format.label);
    }
    if (const std::optional<QString> problem = ColorTemplate::problem(pattern))
        return problem;

    QJsonArray array = m_settings.formatTemplates();
    int number = 1;
    for (const QJsonValue& value : std::as_const(array)) {
        const QString id = value.toObject().value(QLatin1String("id")).toString();
        if (id.startsWith(templateIdPrefix))
            number = std::max(number, id.sliced(templateIdPrefix.size()).toInt() + 1);
    }
    const QString id = templateIdPrefix + QString::number(number);
    array.append(QJsonObject{{QStringLiteral("id"), id},
                             {QStringLiteral("name"), label},
                             {QStringLiteral("template"), pattern}});
    m_settings.setFormatTemplates(array);

    QStringList shownIds;
    for (const ColorFormat& format : shown())
        shownIds.append(format.id);
    shownIds.append(id);
    setShown(shownIds);
    return std::nullopt;
}

void FormatPreferences::removeTemplate(const QString& id)
{
    QJsonArray array = m_settings.formatTemplates();
    for (qsizetype i = array.size() - 1; i >= 0; --i) {
        if (array.at(i).toObject().value(QLatin1String("id")).toString() == id)
            array.removeAt(i);
    }
    m_settings.setFormatTemplates(array);

    QStringList shownIds = m_settings.shownFormatIds();
    shownIds.removeAll(id);
    m_settings.setShownFormatIds(shownIds);
    if (m_settings.copiedFormatId() == id)
        m_settings.setCopiedFormatId(QStringLiteral("hex"));
}
