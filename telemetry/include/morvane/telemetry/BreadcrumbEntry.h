#pragma once

#include <string>

namespace morvane::telemetry {

// One step that led up to an error, as the caller reported it. Sent unchanged: breadcrumb
// text is never normalised.
struct BreadcrumbEntry
{
    std::string ts;       // timestamp text, formatted by the caller
    std::string level;    // level text of the step
    std::string category; // category of the step
    std::string msg;      // short message of the step

    friend bool operator==(const BreadcrumbEntry&, const BreadcrumbEntry&) = default;
};

} // namespace morvane::telemetry
