#include "storage/preferences_file.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "storage/replace_file.h"

namespace quorvel {

namespace {

// A file of options is a few hundred bytes; anything far larger is not ours.
constexpr std::uintmax_t kLargestFile = 1 << 20;

bool validKey(std::string_view key) {
    if (key.empty() || key.size() > 100) return false;
    for (const char c : key) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letter && c != '.' && c != '_' && c != '-') return false;
    }
    return true;
}

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<std::string> Preferences::text(std::string_view key) const {
    const auto found = values_.find(key);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

std::string Preferences::text(std::string_view key, std::string_view fallback) const {
    return text(key).value_or(std::string(fallback));
}

int Preferences::integer(std::string_view key, ValueRange range, int fallback) const {
    const auto value = text(key);
    if (!value || value->empty()) return fallback;
    int number = 0;
    const char* end = value->data() + value->size();
    const auto [stop, error] = std::from_chars(value->data(), end, number);
    if (error != std::errc{} || stop != end) return fallback;
    return number < range.low || number > range.high ? fallback : number;
}

bool Preferences::flag(std::string_view key, bool fallback) const {
    const auto value = text(key);
    if (!value) return fallback;
    if (*value == "1" || *value == "true") return true;
    if (*value == "0" || *value == "false") return false;
    return fallback;
}

bool Preferences::set(std::string_view key, std::string_view value) {
    if (!validKey(key)) return false;
    std::string kept(trimmed(value));
    for (char& c : kept)
        if (c == '\n' || c == '\r') c = ' ';
    values_.insert_or_assign(std::string(key), std::move(kept));
    return true;
}

void Preferences::remove(std::string_view key) {
    const auto found = values_.find(key);
    if (found != values_.end()) values_.erase(found);
}

Preferences Preferences::parse(std::string_view text) {
    Preferences preferences;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == '#') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        preferences.set(trimmed(line.substr(0, equals)), line.substr(equals + 1));
    }
    return preferences;
}

std::string Preferences::serialise() const {
    std::string text = "# Quorvel\n";
    for (const auto& [key, value] : values_) text += key + '=' + value + '\n';
    return text;
}

std::optional<Preferences> readPreferences(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    // A pipe of that name would hold the start-up until someone writes to it.
    if (!fs::is_regular_file(path, error)) return std::nullopt;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(std::min(size, kLargestFile)), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return Preferences::parse(bytes);
}

bool writePreferences(const std::string& path, const Preferences& preferences) {
    return replaceFile(path, preferences.serialise());
}

}  // namespace quorvel
