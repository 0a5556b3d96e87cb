#include "platform/preferences/IniEscaping.h"

#include <QStringEncoder>

namespace {

constexpr char upperHex[] = "0123456789ABCDEF";

bool isKeyCharacter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'_' || c == u'-' || c == u'.';
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

// Texts of these forms hold bytes, one per character, so only ASCII is written as it is.
bool holdsBytes(QStringView text)
{
    return text.startsWith(u"@ByteArray(") || text.startsWith(u"@Variant(") ||
           text.startsWith(u"@DateTime(");
}

} // namespace

namespace IniEscaping {

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

} // namespace IniEscaping