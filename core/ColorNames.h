#pragma once

#include "core/PickedColor.h"

#include <QStringView>

#include <optional>
#include <span>
#include <string_view>

// The CSS Color 4 named colours: the 148 keywords and the nearest of them to any colour.
namespace ColorNames {

struct NamedColor
{
    std::string_view keyword;
    PickedColor color;
    // A second spelling of another keyword's colour ("grey" beside "gray"): read, never named.
    bool spellingOfGray = false;
};

// The nearest keyword to a colour and whether it names that very colour.
struct Match
{
    std::string_view keyword;
    bool exact = false;
};

// Every keyword, in alphabetical order.
std::span<const NamedColor> all();

// The keyword nearest to the colour by Euclidean distance in OKLab, each gray and grey pair
// counted once under its "gray" spelling. Of keywords at the same distance (aqua and cyan,
// fuchsia and magenta share a colour) the first in alphabetical order is named.
Match nearest(const PickedColor& color);

// The colour of a keyword, either case, surrounding whitespace ignored. None otherwise.
std::optional<PickedColor> fromKeyword(QStringView text);

} // namespace ColorNames
