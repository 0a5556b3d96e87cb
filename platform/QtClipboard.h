#pragma once

#include "Clipboard.h"

// The desktop clipboard through QClipboard. Needs a QGuiApplication.
class QtClipboard : public Clipboard
{
public:
    bool setText(const QString& text) override;
};
