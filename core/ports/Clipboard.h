#pragma once

#include <QString>

#include <functional>

// The desktop's plain-text clipboard.
class Clipboard
{
public:
    // Called exactly once, on the main thread, possibly before setText() returns: true when
    // the text is on the clipboard, false when the copy did not happen.
    using Completion = std::function<void(bool copied)>;

    virtual ~Clipboard() = default;

    // Replaces the clipboard's contents with the text. An adapter may defer the copy (a
    // Wayland compositor accepts one only from a focused client) and reports when it is done.
    virtual void setText(const QString& text, Completion done) = 0;

    // The clipboard's plain text now; empty when it holds none or cannot be read (the
    // default, for a clipboard that is only written).
    virtual QString currentText() const;
};

inline QString Clipboard::currentText() const
{
    return {};
}
