#include <morvane/telemetry/HttpTransport.h>

#include <algorithm>

namespace morvane::telemetry {

std::string appendingPathComponent(const std::string& baseURL, const std::string& component)
{
    // The path ends where the query or the fragment begins; both stay after the new component.
    const std::size_t pathEnd = std::min(baseURL.find('?'), baseURL.find('#'));
    std::string url = baseURL.substr(0, pathEnd);
    if (url.empty() || url.back() != '/')
        url.push_back('/');
    url.append(component);
    if (pathEnd != std::string::npos)
        url.append(baseURL, pathEnd);
    return url;
}

} // namespace morvane::telemetry
