#pragma once

#include "core/ports/UpdateFramework.h"

#include <QList>
#include <QSet>
#include <QString>

#include <optional>

// An update framework's delegate that offers the channels it is given and keeps every end of
// a cycle it is told of.
class RecordingDelegate : public UpdateFrameworkDelegate
{
public:
    QSet<QString> allowedChannels() override { return channels; }
    void didFinishUpdateCycle(const std::optional<UpdateError>& error) override
    {
        finishes.append(error);
    }

    QSet<QString> channels;
    QList<std::optional<UpdateError>> finishes;
};
