#include "platform/preferences/IniCodec.h"

#include "platform/preferences/IniLine.h"
#include "platform/preferences/IniReader.h"
#include "platform/preferences/IniWriter.h"

#include <QMetaType>
#include <QSet>

namespace {

// A value as it reads back from an INI file, for comparing what was meant with what was
// written: Booleans come back as text, bytes and lists keep their kind.
QByteArray comparable(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QByteArray:
        return 'b' + value.toByteArray();
    case QMetaType::QStringList:
        return 'l' + value.toStringList().join(QChar(0x1F)).toUtf8();
    default:
        return 's' + value.toString().toUtf8();
    }
}

bool sameValues(const QVariantMap& a, const QVariantMap& b)
{
    if (a.size() != b.size())
        return false;
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        const auto other = b.constFind(it.key());
        if (other == b.cend() || comparable(*other) != comparable(*it))
            return false;
    }
    return true;
}

// How many distinct keys the content's key=value lines name, by their raw text.
qsizetype keyLineCount(const QByteArray& content)
{
    QSet<QByteArray> keys;
    for (const IniLine& line : IniLine::linesOf(content)) {
        if (line.key)
            keys.insert(*line.key);
    }
    return keys.size();
}

QVariantMap recover(const QByteArray& content)
{
    QVariantMap recovered;
    for (const IniLine& line : IniLine::linesOf(content)) {
        const QVariantMap values = IniReading::of(line.section + '\n' + line.text + '\n').values;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            const QVariantMap one{{it.key(), it.value()}};
            if (IniCodec::readsBackAs(IniCodec::encode(one), one))
                recovered.insert(it.key(), it.value());
        }
    }
    return recovered;
}

} // namespace

namespace IniCodec {

Reading read(const QByteArray& content)
{
    IniReading reading = IniReading::of(content);
    // Fewer keys than key lines: a quote swallowed the lines after it.
    if (reading.wellFormed && reading.values.size() >= keyLineCount(content))
        return Reading{std::move(reading.values), true};
    return Reading{recover(content), false};
}

QByteArray encode(const QVariantMap& values)
{
    return iniTextOf(values);
}

bool readsBackAs(const QByteArray& encoded, const QVariantMap& values)
{
    const IniReading reading = IniReading::of(encoded);
    return reading.wellFormed && sameValues(reading.values, values);
}

bool breaksAlone(const QString& key, const QVariant& value)
{
    const QVariantMap one{{key, value}};
    return !sameValues(IniReading::of(encode(one)).values, one);
}

} // namespace IniCodec
