#include <morvane/telemetry/MessageNormalizer.h>

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

namespace morvane::telemetry {

namespace {

std::string demangled(const char* mangled)
{
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(mangled);
}

} // namespace

std::string innermostTypeName(std::string_view renderedName)
{
    // Separators inside template arguments, parameter lists or lambda names do not count.
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < renderedName.size(); ++i) {
        const char c = renderedName[i];
        if (c == '<' || c == '(' || c == '[' || c == '{') {
            ++depth;
        } else if ((c == '>' || c == ')' || c == ']' || c == '}') && depth > 0) {
            --depth;
        } else if (depth == 0 && c == '.') {
            start = i + 1;
        } else if (depth == 0 && c == ':' && i + 1 < renderedName.size() &&
                   renderedName[i + 1] == ':') {
            start = i + 2;
            ++i;
        }
    }
    return std::string(renderedName.substr(start));
}

std::string typeName(const std::type_info& type)
{
    return innermostTypeName(demangled(type.name()));
}

std::string typeName(const std::exception& error)
{
    return typeName(typeid(error));
}

std::string typeName(const std::exception_ptr& error)
{
    if (!error)
        return {};
    try {
        std::rethrow_exception(error);
    } catch (...) {
        if (const std::type_info* type = abi::__cxa_current_exception_type())
            return typeName(*type);
    }
    return {};
}

} // namespace morvane::telemetry
