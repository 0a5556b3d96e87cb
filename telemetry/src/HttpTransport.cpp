#include <morvane/telemetry/HttpTransport.h>

namespace morvane::telemetry {

std::string appendingPathComponent(const std::string& baseURL, const std::string& component)
{
    std::string url = baseURL;
    if (url.empty() || url.back() != '/')
        url.push_back('/');
    url.append(component);
    return url;
}

} // namespace morvane::telemetry
