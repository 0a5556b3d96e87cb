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
    : file_(std::move(file))
{
    load();
}

bool LocalKeyValueStore::contains(std::string_view key) const
{
    std::lock_guard lock(mutex_);
    return values_.find(key) != values_.end();
}

bool LocalKeyValueStore::boolValue(std::string_view key) const
{
    std::lock_guard lock(mutex_);
    const auto found = values_.find(key);
    return found != values_.end() && readsAsTrue(found->second);
}

void LocalKeyValueStore::setBool(std::string_view key, bool value)
{
    std::lock_guard lock(mutex_);
    values_.insert_or_assign(std::string(key), value ? "true" : "false");
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
    if (!file_)
        return;
    std::ifstream in(*file_);
    std::string line;
    while (std::getline(in, line)) {
        const std::string_view view = trimmed(line);
        const auto equals = view.find('=');
        if (view.empty() || view.front() == '#' || equals == std::string_view::npos)
            continue;
        const std::string_view key = trimmed(view.substr(0, equals));
        if (!key.empty())
            values_.insert_or_assign(std::string(key),
                                     std::string(trimmed(view.substr(equals + 1))));
    }
}

void LocalKeyValueStore::save() const
{
    if (!file_)
        return;
    // Write a sibling file and rename it over the old one: readers see the old or the new
    // content, never a torn one. A failed write keeps the old file and the value in memory.
    std::error_code error;
    if (file_->has_parent_path())
        std::filesystem::create_directories(file_->parent_path(), error);
    std::filesystem::path temporary = *file_;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        for (const auto& [key, value] : values_)
            out << key << '=' << value << '\n';
        out.flush();
        if (!out)
            return;
    }
    std::filesystem::rename(temporary, *file_, error);
}

} // namespace morvane::telemetry
