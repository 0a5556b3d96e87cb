#pragma once

#include "core/PickedColor.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class AppSettings;
struct Notation;

// One format the user can show in the panel or copy on a pick: a built-in notation or one of
// their own templates.
struct ColorFormat
{
    QString id;
    QString label;
    const Notation* notation = nullptr; // null for a template
    QString pattern;                    // the template's text

    QString format(const PickedColor& color) const;
    // The message after copying it: "Hex copied" for hex, "<label> copied" otherwise.
    QString copiedMessage() const;

    friend bool operator==(const ColorFormat&, const ColorFormat&) = default;
};

// The user's formats, kept in the settings (SettingsSchema: the shown ids in order, the copied
// id, the templates as {"id", "name", "template"} objects). Ids this version does not know
// (written by a newer one, or of a template removed by hand) are ignored and kept when the
// list is written again; so are template entries it cannot read.
class FormatPreferences
{
public:
    static inline const QString templateIdPrefix = QStringLiteral("template-");

    explicit FormatPreferences(AppSettings& settings) : m_settings(settings) {}

    // Every built-in notation in table order, then the templates in the order they were made.
    QList<ColorFormat> available() const;
    std::optional<ColorFormat> find(const QString& id) const;
    QList<ColorFormat> shown() const;
    ColorFormat copied() const;

    // Stores the shown ids in order, followed by the stored ids this version does not know.
    void setShown(const QStringList& ids);
    // Stores a known id; an unknown one is ignored.
    void setCopied(const QString& id);

    // Adds a template under a new id and shows it last; the reason when it is refused (empty
    // or taken name, a problem of the template) and nothing is stored.
    std::optional<QString> addTemplate(const QString& name, const QString& pattern);
    // Removes the template, its row, and makes hex the copied format if it was that.
    void removeTemplate(const QString& id);

private:
    QList<ColorFormat> templates() const;

    AppSettings& m_settings;
};
