#pragma once

#include "core/ports/Clipboard.h"

// The desktop clipboard through QClipboard. Needs a QGuiApplication.
class QtClipboard : public Clipboard
{
public:
    void setText(const QString& text, Completion done) override;
    QString currentText() const override;
};
