#pragma once

class QString;

// The desktop's plain-text clipboard.
class Clipboard
{
public:
    virtual ~Clipboard() = default;

    // Replaces the clipboard's contents with the text. False when the copy did not happen.
    virtual bool setText(const QString& text) = 0;
};
