#include "platform/preferences/IniReader.h"

#include "platform/preferences/IniEscaping.h"
#include "platform/preferences/IniVariant.h"
#include "platform/preferences/IniWrittenValue.h"

#include <QMap>

#include <optional>

namespace {

// Where one line lies in the content, and where its first '=' outside quotes is.
struct LineSpan
{
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype equals = -1; // from the line's start; -1 when it has none
};

bool isLineSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The next line from `at`, which moves past it; none at the end. Leading spaces and blank
// lines are skipped, and so are comments: a ';' that begins a line hides the rest of it, one
// inside a line (outside quotes) ends the line there. Quotes hold line ends and ';' alike; an
// escaped line end continues the line.
std::optional<LineSpan> nextLine(QByteArrayView data, qsizetype& at)
{
    const qsizetype end = data.size();
    qsizetype start = at;
    while (start < end && isLineSpace(data[start]))
        ++start;
    qsizetype equals = -1;
    bool inQuotes = false;
    qsizetype i = start;
    while (i < end) {
        const char c = data[i++];
        if (c == '=') {
            if (!inQuotes && equals < 0)
                equals = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < end) {
                const char escaped = data[i++];
                if (i < end &&
                    ((escaped == '\n' && data[i] == '\r') || (escaped == '\r' && data[i] == '\n')))
                    ++i;
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';') {
            if (i == start + 1) {
                while (i < end && data[i] != '\n' && data[i] != '\r')
                    ++i;
                while (i < end && isLineSpace(data[i]))
                    ++i;
                start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    at = i;
    if (i <= start)
        return std::nullopt;
    return LineSpan{start, i - start, equals < 0 ? -1 : equals - start};
}

// The prefix a [header]'s name gives its keys: none for [General], "name/" for the others
// ([%General] names a section called General).
QString sectionPrefix(QByteArrayView header)
{
    const QByteArray name = header.toByteArray().trimmed();
    const QByteArray lower = name.toLower();
    if (lower == "general")
        return {};
    if (lower == "%general")
        return QLatin1StringView(name.sliced(1)) + u'/';
    return IniEscaping::unescapedKey(name) + u'/';
}

class Reader
{
public:
    IniReading read(QByteArrayView content)
    {
        splitSections(content);
        QMap<QString, QVariant> parsed;
        for (auto it = m_sections.cbegin(); it != m_sections.cend(); ++it)
            readSection(it.key(), it.value(), parsed);

        IniReading reading;
        reading.wellFormed = m_wellFormed;
        for (auto it = parsed.cbegin(); it != parsed.cend(); ++it) {
            const QString name = IniEscaping::normalizedKey(it.key());
            if (name.isEmpty())
                continue;
            const QVariant value = parsed.value(name);
            if (value.isValid())
                reading.values.insert(it.key(), value);
        }
        return reading;
    }

private:
    // Gathers the lines under each header; sections of one name are joined.
    void splitSections(QByteArrayView content)
    {
        QString section;
        qsizetype sectionStart = 0;
        const auto keep = [&](qsizetype end) {
            QByteArray& lines = m_sections[section];
            if (!lines.isEmpty())
                lines += '\n';
            lines += content.sliced(sectionStart, end - sectionStart);
        };
        qsizetype at = 0;
        while (const std::optional<LineSpan> line = nextLine(content, at)) {
            const QByteArrayView text = content.sliced(line->start, line->length);
            if (!text.startsWith('['))
                continue;
            keep(line->start);
            qsizetype close = text.indexOf(']');
            if (close < 0) {
                m_wellFormed = false;
                close = text.size();
            }
            section = sectionPrefix(text.sliced(1, close - 1));
            sectionStart = at;
        }
        keep(content.size());
    }

    void readSection(const QString& prefix, QByteArrayView lines, QMap<QString, QVariant>& parsed)
    {
        qsizetype at = 0;
        while (const std::optional<LineSpan> line = nextLine(lines, at)) {
            const QByteArrayView text = lines.sliced(line->start, line->length);
            if (line->equals < 0) {
                if (!text.startsWith(';'))
                    m_wellFormed = false;
                continue;
            }
            const QByteArray key = text.first(line->equals).toByteArray().trimmed();
            const IniWrittenValue value = IniWrittenValue::of(text.sliced(line->equals + 1));
            parsed.insert(prefix + IniEscaping::unescapedKey(key),
                          value.list ? IniVariant::valueOfList(*value.list)
                                     : IniVariant::valueOf(value.text));
        }
    }

    QMap<QString, QByteArray> m_sections;
    bool m_wellFormed = true;
};

} // namespace

IniReading IniReading::of(QByteArrayView content)
{
    return Reader().read(content);
}
