#include "platform/updates/UpdateVersion.h"

#include <QStringList>

#include <algorithm>

namespace {

// The segment's leading digits as a number; long runs of digits saturate instead of wrapping.
quint64 segmentValue(const QString& segment)
{
    quint64 value = 0;
    for (const QChar c : segment.trimmed()) {
        if (c < u'0' || c > u'9')
            break;
        value = std::min<quint64>(value * 10 + (c.unicode() - u'0'), quint64(1) << 62);
    }
    return value;
}

} // namespace

int UpdateVersion::compare(const QString& a, const QString& b)
{
    const QStringList left = a.split(u'.');
    const QStringList right = b.split(u'.');
    const qsizetype count = std::max(left.size(), right.size());
    for (qsizetype i = 0; i < count; ++i) {
        const quint64 l = i < left.size() ? segmentValue(left[i]) : 0;
        const quint64 r = i < right.size() ? segmentValue(right[i]) : 0;
        if (l != r)
            return l < r ? -1 : 1;
    }
    return 0;
}
