#include "platform/preferences/IniWrittenValue.h"

#include "platform/preferences/IniEscaping.h"

#include <QStringDecoder>

namespace {

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

// Reads one written value: a small state machine over the bytes.
class ValueReader
{
public:
    explicit ValueReader(QByteArrayView written) : m_in(written) {}

    IniWrittenValue read()
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
            if (IniEscaping::digitValue(char16_t(uchar(m_in[m_at])), 16) >= 0 && !readNumber(0, 16))
                return false;
        } else if (IniEscaping::digitValue(char16_t(uchar(c)), 8) >= 0) {
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
            const int digit = IniEscaping::digitValue(char16_t(uchar(m_in[m_at])), base);
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
    IniWrittenValue m_value;
    bool m_inQuotes = false;
    bool m_quoted = false;    // the current text had a quote
    qsizetype m_chopFrom = 0; // spaces before this were written by an escape
    QStringDecoder m_utf8{QStringDecoder::Utf8};
};

} // namespace

IniWrittenValue IniWrittenValue::of(QByteArrayView written)
{
    return ValueReader(written).read();
}
