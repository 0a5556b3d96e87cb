#pragma once

#include "core/PickedColor.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <span>
#include <string_view>

// The text of one notation, built in place without allocating: UTF-8, at most capacity bytes.
class NotationText
{
public:
    static constexpr int capacity = 64;

    void append(std::string_view text);
    void append(char c);
    void appendInt(long long value);
    // Two hexadecimal digits of the byte.
    void appendByte(std::uint8_t byte, bool lowerCase = false);
    // The value rounded to `decimals` places (halves away from zero, in double), written with
    // exactly that many decimals; a value that rounds to zero has no sign.
    void appendFixed(double value, int decimals);

    std::string_view view() const { return {m_data, static_cast<std::size_t>(m_size)}; }
    QString toString() const { return QString::fromUtf8(m_data, m_size); }

private:
    char m_data[capacity];
    int m_size = 0;
};

// One way of writing a colour as text: its id (stored in the preferences and given to
// --format), the label of its panel row, its formatter and, for the notations people paste
// and that name one exact colour, a strict parser. Adding a notation is one entry in the
// table of Notations.cpp.
struct Notation
{
    std::string_view id;
    std::string_view label;
    void (*write)(const PickedColor& color, NotationText& out);
    // Null for notations that lose precision (a pasted HSL names no one exact colour).
    std::optional<PickedColor> (*parse)(QStringView text) = nullptr;

    QString format(const PickedColor& color) const;
    QString labelText() const { return QString::fromUtf8(label.data(), qsizetype(label.size())); }
    QString idText() const { return QString::fromUtf8(id.data(), qsizetype(id.size())); }
};

namespace Notations {

// Every built-in notation, in the order of --list-formats and the settings' list.
std::span<const Notation> all();
// The notation with that id, or null.
const Notation* find(QStringView id);
// The panel's rows and the copied notation when the user chose none.
const Notation& hex();
const Notation& rgb();
const Notation& hsl();

// The colour in the first notation (in table order) whose parser takes the text whole:
// surrounding whitespace is ignored, anything else that is not the notation is refused.
// Six bare digits read as hex, not as the int notation. Last, a CSS colour keyword.
std::optional<PickedColor> parse(QStringView text);

} // namespace Notations
