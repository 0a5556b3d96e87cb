#include "platform/preferences/IniWriter.h"

#include "platform/preferences/IniEscaping.h"
#include "platform/preferences/IniVariant.h"

#include <QMap>

namespace {

using Keys = QMap<QString, QVariant>;

QByteArray headerOf(const QString& section)
{
    const QByteArray name = IniEscaping::escapedKey(section);
    if (name.isEmpty())
        return "[General]";
    if (name.toLower() == "general")
        return "[%General]"; // a section called "general", not the keys without one
    return '[' + name + ']';
}

void appendValue(const QVariant& value, QByteArray& out)
{
    if (IniVariant::isWrittenAsList(value))
        IniEscaping::appendEscapedList(IniVariant::textsOf(value), out);
    else
        IniEscaping::appendEscapedText(IniVariant::textOf(value), out);
}

} // namespace

QByteArray iniTextOf(const QVariantMap& values)
{
    QMap<QString, Keys> sections;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const QString name = IniEscaping::normalizedKey(it.key());
        if (name.isEmpty())
            continue;
        const qsizetype slash = name.indexOf(u'/');
        if (slash < 0)
            sections[QString()].insert(name, it.value());
        else
            sections[name.first(slash)].insert(name.sliced(slash + 1), it.value());
    }
    QByteArray out;
    for (auto section = sections.cbegin(); section != sections.cend(); ++section) {
        if (!out.isEmpty())
            out += '\n';
        out += headerOf(section.key()) + '\n';
        for (auto it = section->cbegin(); it != section->cend(); ++it) {
            out += IniEscaping::escapedKey(it.key()) + '=';
            appendValue(it.value(), out);
            out += '\n';
        }
    }
    return out;
}
