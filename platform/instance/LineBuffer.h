#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// Bytes read from a stream, cut into lines. A line holds at most `longest` bytes before its
// newline; more than that without a newline means the peer does not speak a line protocol.
class LineBuffer
{
public:
    explicit LineBuffer(qsizetype longest) : m_longest(longest) {}

    void append(QByteArrayView bytes) { m_bytes.append(bytes); }

    // The next whole line, with its newline, once it has arrived.
    std::optional<QByteArray> takeLine()
    {
        const qsizetype end = m_bytes.indexOf('\n');
        if (end < 0 || end > m_longest)
            return std::nullopt;
        QByteArray line = m_bytes.first(end + 1);
        m_bytes.remove(0, end + 1);
        return line;
    }

    // True once the next line is already longer than `longest`: no more lines can follow.
    bool overflowed() const
    {
        const qsizetype end = m_bytes.indexOf('\n');
        return (end < 0 ? m_bytes.size() : end) > m_longest;
    }

private:
    QByteArray m_bytes;
    qsizetype m_longest;
};
