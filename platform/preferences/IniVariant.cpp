#include "platform/preferences/IniVariant.h"

#include <QDataStream>
#include <QIODevice>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace {

// The space-separated numbers after the opening parenthesis of @Rect(...), @Size(...) or
// @Point(...); each ')' also ends a number.
QStringList argumentsOf(const QString& text, qsizetype open)
{
    QStringList numbers;
    QString number;
    for (const QChar c : QStringView(text).sliced(open + 1)) {
        if (c == u')') {
            numbers.append(number);
        } else if (c == u' ') {
            numbers.append(number);
            number.clear();
        } else {
            number.append(c);
        }
    }
    return numbers;
}

QString streamed(const QVariant& value)
{
    const bool dateTime = value.typeId() == QMetaType::QDateTime;
    QByteArray bytes;
    {
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream.setVersion(dateTime ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
        stream << value;
    }
    return (dateTime ? QStringLiteral("@DateTime(") : QStringLiteral("@Variant(")) +
           QLatin1StringView(bytes) + u')';
}

QVariant unstreamed(const QString& text)
{
    const bool dateTime = text.startsWith(u"@DateTime(");
    QByteArray bytes = text.sliced(dateTime ? 10 : 9).toLatin1();
    QDataStream stream(&bytes, QIODevice::ReadOnly);
    stream.setVersion(dateTime ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
    QVariant value;
    stream >> value;
    return value;
}

// The value of an @ form that ends with ')', or none when the text is no such form.
std::optional<QVariant> valueOfForm(const QString& text)
{
    if (text.startsWith(u"@ByteArray("))
        return QVariant(text.sliced(11).chopped(1).toLatin1());
    if (text.startsWith(u"@String("))
        return QVariant(text.sliced(8).chopped(1));
    if (text.startsWith(u"@Variant(") || text.startsWith(u"@DateTime("))
        return unstreamed(text);
    if (text.startsWith(u"@Rect(")) {
        const QStringList n = argumentsOf(text, 5);
        if (n.size() == 4)
            return QVariant(QRect(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt()));
    } else if (text.startsWith(u"@Size(")) {
        const QStringList n = argumentsOf(text, 5);
        if (n.size() == 2)
            return QVariant(QSize(n[0].toInt(), n[1].toInt()));
    } else if (text.startsWith(u"@Point(")) {
        const QStringList n = argumentsOf(text, 6);
        if (n.size() == 2)
            return QVariant(QPoint(n[0].toInt(), n[1].toInt()));
    } else if (text == u"@Invalid()") {
        return QVariant();
    }
    return std::nullopt;
}

} // namespace

namespace IniVariant {

QString textOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QByteArray:
        return QStringLiteral("@ByteArray(") + QLatin1StringView(value.toByteArray()) + u')';
    case QMetaType::QString:
    case QMetaType::QKeySequence:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
    case QMetaType::Float:
    case QMetaType::Double: {
        const QString text = value.toString();
        if (text.contains(QChar::Null))
            return QStringLiteral("@String(") + text + u')';
        return text.startsWith(u'@') ? u'@' + text : text;
    }
    case QMetaType::QRect: {
        const QRect r = value.toRect();
        return QString::asprintf("@Rect(%d %d %d %d)", r.x(), r.y(), r.width(), r.height());
    }
    case QMetaType::QSize: {
        const QSize s = value.toSize();
        return QString::asprintf("@Size(%d %d)", s.width(), s.height());
    }
    case QMetaType::QPoint: {
        const QPoint p = value.toPoint();
        return QString::asprintf("@Point(%d %d)", p.x(), p.y());
    }
    default:
        return streamed(value);
    }
}

QVariant valueOf(const QString& text)
{
    if (!text.startsWith(u'@'))
        return text;
    if (text.endsWith(u')')) {
        if (std::optional<QVariant> value = valueOfForm(text))
            return *value;
    }
    return text.startsWith(u"@@") ? QVariant(text.sliced(1)) : QVariant(text);
}

QVariant valueOfList(const QStringList& texts)
{
    QStringList plain = texts;
    for (QString& text : plain) {
        if (!text.startsWith(u'@'))
            continue;
        if (!text.startsWith(u"@@")) {
            QVariantList values;
            values.reserve(texts.size());
            for (const QString& each : texts)
                values.append(valueOf(each));
            return values;
        }
        text.remove(0, 1);
    }
    return plain;
}

bool isWrittenAsList(const QVariant& value)
{
    return value.typeId() == QMetaType::QStringList ||
           (value.typeId() == QMetaType::QVariantList && value.toList().size() != 1);
}

QStringList textsOf(const QVariant& list)
{
    QStringList texts;
    for (const QVariant& item : list.toList())
        texts.append(textOf(item));
    return texts;
}

} // namespace IniVariant
