#pragma once

#include "core/ports/Clipboard.h"

#include <QString>
#include <QStringList>

#include <optional>

// Records copied texts. Completes at once with `succeeds`, or keeps the completion for the
// test when `deferred` is set.
class FakeClipboard : public Clipboard
{
public:
    void setText(const QString& text, Completion done) override
    {
        texts.append(text);
        if (deferred)
            pending = std::move(done);
        else
            done(succeeds);
    }

    // What the clipboard holds: the last text copied, or one the test puts there.
    QString currentText() const override { return held ? *held : texts.value(texts.size() - 1); }

    QStringList texts;
    std::optional<QString> held;
    bool succeeds = true;
    bool deferred = false;
    Completion pending;
};
