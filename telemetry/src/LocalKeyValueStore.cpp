#include <morvane/telemetry/LocalKeyValueStore.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <system_error>

namespace morvane::telemetry {

namespace {

std::string_view trimmed(std::string_view text)
{
    const auto isSpace = [](unsigned char c) { return std::isspace(c) != 0; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool equalsIgnoringCase(std::string_view text, std::string_view lower)
{
    return std::equal(text.begin(), text.end(), lower.begin(), lower.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

} // namespace

LocalKeyValueStore::LocalKeyValueStore(std::optional<std::filesystem::path> file)
    : m_file(std::move(file))
{
    load();
}

bool LocalKeyValueStore::contains(std::string_view key) const
{
    std::lock_guard lock(m_mutex);
    return m_values.find(key) != m_values.end();
}

bool LocalKeyValueStore::boolValue(std::string_view key) const
{
    std::lock_guard lock(m_mutex);
    const auto found = m_values.find(key);
    return found != m_values.end() && readsAsTrue(found->second);
}

void LocalKeyValueStore::setBool(std::string_view key, bool value)
{
    std::lock_guard lock(m_mutex);
    m_values.insert_or_assign(std::string(key), value ? "true" : "false");
    save();
}

bool LocalKeyValueStore::readsAsTrue(std::string_view text)
{
    text = trimmed(text);
    if (equalsIgnoringCase(text, "true") || equalsIgnoringCase(text, "yes"))
        return true;
    long long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() && number != 0;
}

void LocalKeyValueStore::load()
{
    if (!m_file)
        return;
    std::ifstream in(*m_file);
    std::string line;
    while (std::getline(in, line)) {
        const std::string_view view = trimmed(line);
        const auto equals = view.find('=');
        if (view.empty() || view.front() == '#' || equals == std::string_view::npos)
            continue;
        const std::string_view key = trimmed(view.substr(0, equals));
        if (!key.empty())
            m_values.insert_or_assign(std::string(key),
                                      std::string(trimmed(view.substr(equals + 1))));
    }
}

void LocalKeyValueStore::save() const
{
    if (!m_file)
        return;
    // Write a sibling file and rename it over the old one: readers see the old or the new
    // content, never a torn one. A failed write keeps the old file and the value in memory.
    std::error_code error;
    if (m_file->has_parent_path())
        std::filesystem::create_directories(m_file->parent_path(), error);
    std::filesystem::path temporary = *m_file;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        for (const auto& [key, value] : m_values)
            out << key << '=' << value << '\n';
        out.flush();
        if (!out)
            return;
    }
    std::filesystem::rename(temporary, *m_file, error);
}

} // namespace morvane::telemetry
