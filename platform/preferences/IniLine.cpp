#include "platform/preferences/IniLine.h"

namespace {

const QByteArray generalSection = "[General]";

std::optional<QByteArray> keyOf(const QByteArray& section, const QByteArray& trimmed)
{
    const qsizetype equals = trimmed.indexOf('=');
    if (equals <= 0)
        return std::nullopt;
    const QByteArray prefix =
        section == generalSection ? QByteArray() : section.mid(1, section.size() - 2) + '/';
    return prefix + trimmed.left(equals).trimmed();
}

} // namespace

QList<IniLine> IniLine::linesOf(const QByteArray& content)
{
    QList<IniLine> found;
    QByteArray section = generalSection;
    const QList<QByteArray> lines = content.split('\n');
    for (const QByteArray& line : lines) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(';') || trimmed.startsWith('#'))
            continue;
        if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            section = trimmed;
            continue;
        }
        found.append({section, line, keyOf(section, trimmed)});
    }
    return found;
}
