#pragma once

#include "Clipboard.h"

#include <QString>
#include <QStringList>

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

    QStringList texts;
    bool succeeds = true;
    bool deferred = false;
    Completion pending;
};
