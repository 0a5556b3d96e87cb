#include "IniEscaping.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

constexpr char upperHex[] = "0123456789ABCDEF";

bool isKeyCharacter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'_' || c == u'-' || c == u'.';
}

int digitValue(char16_t c, int base)
{
    int value = -1;
    if (c >= u'0' && c <= u'9')
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value < base ? value : -1;
}

// The short escape of a character, or 0 when it has none.
char shortEscape(char16_t c)
{
    switch (c) {
    case u'\a':
        return 'a';
    case u'\b':
        return 'b';
    case u'\f':
        return 'f';
    case u'\n':
        return 'n';
    case u'\r':
        return 'r';
    case u'\t':
        return 't';
    case u'\v':
        return 'v';
    case u'"':
        return '"';
    case u'\\':
        return '\\';
    default:
        return 0;
    }
}

// The character a short escape stands for, or none.
std::optional<char16_t> unescapedShort(char c)
{
    switch (c) {
    case 'a':
        return u'\a';
    case 'b':
        return u'\b';
    case 'f':
        return u'\f';
    case 'n':
        return u'\n';
    case 'r':
        return u'\r';
    case 't':
        return u'\t';
    case 'v':
        return u'\v';
    case '"':
    case '?':
    case '\'':
    case '\\':
        return char16_t(c);
    default:
        return std::nullopt;
    }
}

// Texts of these forms hold bytes, one per character, so only ASCII is written as it is.
bool holdsBytes(QStringView text)
{
    return text.startsWith(u"@ByteArray(") || text.startsWith(u"@Variant(") ||
           text.startsWith(u"@DateTime(");
}

// Reads one written value: a small state machine over the bytes.
class ValueReader
{
public:
    explicit ValueReader(QByteArrayView written) : m_in(written) {}

    IniEscaping::UnescapedValue read()
    {
        if (readItems())
            chopUnquotedSpaces();
        if (m_value.list)
            m_value.list->append(m_value.text);
        return std::move(m_value);
    }

private:
    // False when the value ended inside an escape.
    bool readItems()
    {
        skipSpaces();
        while (m_at < m_in.size()) {
            const char c = m_in[m_at];
            if (c == '\\') {
                if (!readEscape())
                    return false;
            } else if (c == '"') {
                ++m_at;
                m_quoted = true;
                m_inQuotes = !m_inQuotes;
                if (!m_inQuotes)
                    skipSpaces();
            } else if (c == ',' && !m_inQuotes) {
                nextItem();
            } else {
                readRun();
            }
        }
        return true;
    }

    bool readEscape()
    {
        if (++m_at >= m_in.size())
            return false;
        const char c = m_in[m_at++];
        if (const std::optional<char16_t> plain = unescapedShort(c)) {
            m_value.text += QChar(*plain);
        } else if (c == 'x') {
            if (m_at >= m_in.size())
                return false;
            if (digitValue(char16_t(uchar(m_in[m_at])), 16) >= 0 && !readNumber(0, 16))
                return false;
        } else if (digitValue(char16_t(uchar(c)), 8) >= 0) {
            if (!readNumber(char16_t(c - '0'), 8))
                return false;
        } else if (c == '\n' || c == '\r') {
            // An escaped line end continues the value: one of \n, \r, \r\n or \n\r.
            if (m_at < m_in.size() && (m_in[m_at] == '\n' || m_in[m_at] == '\r') && m_in[m_at] != c)
                ++m_at;
        }
        // Any other escaped character is dropped.
        m_chopFrom = m_value.text.size();
        return true;
    }

    // Digits of a \x or octal escape, as many as follow, kept to 16 bits.
    bool readNumber(char16_t value, int base)
    {
        while (m_at < m_in.size()) {
            const int digit = digitValue(char16_t(uchar(m_in[m_at])), base);
            if (digit < 0)
                break;
            value = char16_t(value * base + digit);
            ++m_at;
        }
        m_value.text += QChar(value);
        return m_at < m_in.size();
    }

    void nextItem()
    {
        if (!m_quoted)
            chopUnquotedSpaces();
        if (!m_value.list)
            m_value.list.emplace();
        m_value.list->append(m_value.text);
        m_value.text.clear();
        m_quoted = false;
        ++m_at;
        skipSpaces();
    }

    void readRun()
    {
        qsizetype end = m_at + 1;
        while (end < m_in.size() && m_in[end] != '\\' && m_in[end] != '"' && m_in[end] != ',')
            ++end;
        m_value.text += m_utf8(m_in.sliced(m_at, end - m_at));
        m_at = end;
    }

    void skipSpaces()
    {
        while (m_at < m_in.size() && (m_in[m_at] == ' ' || m_in[m_at] == '\t'))
            ++m_at;
        m_chopFrom = m_value.text.size();
    }

    // Spaces and tabs end an unquoted text, except those an escape wrote.
    void chopUnquotedSpaces()
    {
        if (m_quoted)
            return;
        qsizetype end = m_value.text.size();
        while (end > m_chopFrom &&
               (m_value.text[end - 1] == u' ' || m_value.text[end - 1] == u'\t'))
            --end;
        m_value.text.truncate(end);
    }

    const QByteArrayView m_in;
    qsizetype m_at = 0;
    IniEscaping::UnescapedValue m_value;
    bool m_inQuotes = false;
    bool m_quoted = false;    // the current text had a quote
    qsizetype m_chopFrom = 0; // spaces before this were written by an escape
    QStringDecoder m_utf8{QStringDecoder::Utf8};
};

} // namespace

namespace IniEscaping {

QByteArray escapedKey(QStringView key)
{
    QByteArray out;
    out.reserve(key.size() * 3 / 2);
    for (const QChar character : key) {
        const char16_t c = character.unicode();
        if (c == u'/') {
            out += '\\';
        } else if (isKeyCharacter(c)) {
            out += char(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += upperHex[c / 16];
            out += upperHex[c % 16];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += upperHex[(c >> shift) & 0xF];
        }
    }
    return out;
}

QString unescapedKey(QByteArrayView written)
{
    const QString text = QString::fromUtf8(written);
    QString key;
    key.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c == u'\\') {
            key += u'/';
            ++i;
            continue;
        }
        if (c != u'%' || i == text.size() - 1) {
            key += c;
            ++i;
            continue;
        }
        const bool wide = text[i + 1] == u'U';
        const qsizetype first = i + 1 + (wide ? 1 : 0);
        const qsizetype digits = wide ? 4 : 2;
        bool ok = false;
        const ushort code = first + digits <= text.size()
                                ? QStringView(text).sliced(first, digits).toUShort(&ok, 16)
                                : 0;
        if (!ok) {
            key += u'%'; // not an escape: the '%' stands for itself
            ++i;
            continue;
        }
        key += QChar(code);
        i = first + digits;
    }
    return key;
}

QString normalizedKey(const QString& key)
{
    return key.split(u'/', Qt::SkipEmptyParts).join(u'/');
}

void appendEscapedText(QStringView text, QByteArray& out)
{
    const qsizetype start = out.size();
    const bool bytes = holdsBytes(text);
    bool quoted = false;
    bool hexFollows = false; // a hex digit now would extend the escape before it
    QStringEncoder utf8(QStringEncoder::Utf8);
    qsizetype runStart = 0; // characters from here on go to UTF-8 as they are
    const auto flushRun = [&](qsizetype end) {
        if (end > runStart)
            out += utf8(text.sliced(runStart, end - runStart));
        runStart = end + 1;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u';' || c == u',' || c == u'=')
            quoted = true;
        if (hexFollows && digitValue(c, 16) >= 0) {
            flushRun(i);
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        hexFollows = false;
        if (c == 0) {
            flushRun(i);
            out += "\\0";
            hexFollows = true;
        } else if (const char escape = shortEscape(c)) {
            flushRun(i);
            out += '\\';
            out += escape;
        } else if (c <= 0x1F || (c >= 0x7F && bytes)) {
            flushRun(i);
            out += "\\x" + QByteArray::number(c, 16);
            hexFollows = true;
        } else if (bytes) {
            flushRun(i);
            out += char(c);
        }
    }
    flushRun(text.size());
    if (quoted || (out.size() > start && (out[start] == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

void appendEscapedList(const QStringList& texts, QByteArray& out)
{
    if (texts.isEmpty()) {
        out += "@Invalid()";
        return;
    }
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0)
            out += ", ";
        appendEscapedText(texts[i], out);
    }
}

UnescapedValue unescapedValue(QByteArrayView written)
{
    return ValueReader(written).read();
}

} // namespace IniEscaping
