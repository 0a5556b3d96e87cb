#include "FormatPreferences.h"

#include "ColorTemplate.h"
#include "Notations.h"
#include "PreferencesStore.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

ColorFormat builtIn(const Notation& notation)
{
    return {notation.idText(), notation.labelText(), &notation, {}};
}

std::optional<QJsonArray> storedArray(const PreferencesStore& store, const QString& key)
{
    const std::optional<QString> text = store.stringForKey(key);
    if (!text)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(text->toUtf8());
    if (!document.isArray())
        return std::nullopt;
    return document.array();
}

void storeArray(PreferencesStore& store, const QString& key, const QJsonArray& array)
{
    store.setString(key, QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact)));
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

QStringList FormatPreferences::storedShown() const
{
    const std::optional<QJsonArray> array = storedArray(m_store, shownKey);
    if (!array)
        return {QStringLiteral("hex"), QStringLiteral("rgb"), QStringLiteral("hsl")};
    QStringList ids;
    for (const QJsonValue& value : *array) {
        if (value.isString())
            ids.append(value.toString());
    }
    return ids;
}

QList<ColorFormat> FormatPreferences::shown() const
{
    QList<ColorFormat> formats;
    QStringList seen;
    for (const QString& id : storedShown()) {
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
    const std::optional<QString> id = m_store.stringForKey(copiedKey);
    const std::optional<ColorFormat> format = id ? find(*id) : std::nullopt;
    return format ? *format : builtIn(Notations::hex());
}

void FormatPreferences::setShown(const QStringList& ids)
{
    QJsonArray array;
    for (const QString& id : ids)
        array.append(id);
    for (const QString& id : storedShown()) {
        if (!find(id) && !ids.contains(id))
            array.append(id);
    }
    storeArray(m_store, shownKey, array);
}

void FormatPreferences::setCopied(const QString& id)
{
    if (find(id))
        m_store.setString(copiedKey, id);
}

QList<ColorFormat> FormatPreferences::templates() const
{
    QList<ColorFormat> formats;
    const QJsonArray array = storedArray(m_store, templatesKey).value_or(QJsonArray());
    for (const QJsonValue& value : array) {
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

    QJsonArray array = storedArray(m_store, templatesKey).value_or(QJsonArray());
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
    storeArray(m_store, templatesKey, array);

    QStringList shownIds;
    for (const ColorFormat& format : shown())
        shownIds.append(format.id);
    shownIds.append(id);
    setShown(shownIds);
    return std::nullopt;
}

void FormatPreferences::removeTemplate(const QString& id)
{
    QJsonArray array = storedArray(m_store, templatesKey).value_or(QJsonArray());
    for (qsizetype i = array.size() - 1; i >= 0; --i) {
        if (array.at(i).toObject().value(QLatin1String("id")).toString() == id)
            array.removeAt(i);
    }
    storeArray(m_store, templatesKey, array);

    QJsonArray shownIds;
    for (const QString& shownId : storedShown()) {
        if (shownId != id)
            shownIds.append(shownId);
    }
    storeArray(m_store, shownKey, shownIds);
    if (m_store.stringForKey(copiedKey) == id)
        m_store.setString(copiedKey, QStringLiteral("hex"));
}
