#pragma once

#include "core/PickedColor.h"

#include <QByteArray>
#include <QList>

// Colours that are easy to tell apart in a list: the grey of each level 0...255.
inline PickedColor grey(int level)
{
    const auto channel = static_cast<std::uint8_t>(level);
    return {channel, channel, channel};
}

// `count` greys from level `newest` down.
inline QList<PickedColor> greys(int newest, int count)
{
    QList<PickedColor> colors;
    for (int level = newest; level > newest - count; --level)
        colors.append(grey(level));
    return colors;
}

// The colours as the recent colours are stored: a compact JSON array of their hex texts.
inline QByteArray hexList(const QList<PickedColor>& colors)
{
    QByteArray list = "[";
    for (const PickedColor& color : colors)
        list += (list.size() > 1 ? "," : "") + ('"' + color.hexString().toLatin1() + '"');
    return list + "]";
}
