#include "uci/uci_option_line.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "uci/uci_words.h"

namespace quorvel {

namespace {

struct TypeName {
    UciOptionType type;
    const char* name;
};

constexpr TypeName kTypeNames[] = {
    {UciOptionType::check, "check"},   {UciOptionType::spin, "spin"},
    {UciOptionType::combo, "combo"},   {UciOptionType::button, "button"},
    {UciOptionType::string, "string"}, {UciOptionType::filename, "filename"},
};

constexpr std::string_view kEmpty = "<empty>";

std::optional<int> readInt(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool holdsText(UciOptionType type) {
    return type == UciOptionType::string || type == UciOptionType::filename;
}

}  // namespace

bool sameOptionName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::optional<UciOption> parseOptionLine(std::string_view line) {
    const UciWords words(line);
    if (words.size() < 5 || words[0] != "option" || words[1] != "name") return std::nullopt;
    // The name runs to the first "type" after it.
    std::size_t typeAt = 3;
    while (typeAt < words.size() && words[typeAt] != "type") ++typeAt;
    if (typeAt + 1 >= words.size()) return std::nullopt;
    UciOption option;
    option.name = std::string(words.span(2, typeAt));
    const auto type = std::find_if(std::begin(kTypeNames), std::end(kTypeNames),
                                   [&](const TypeName& t) { return words[typeAt + 1] == t.name; });
    if (type == std::end(kTypeNames)) return std::nullopt;
    option.type = type->type;

    // Each keyword's value runs to the next keyword. A text's default runs
    // to the end of the line: a path may hold "min" or "var".
    auto isKeyword = [&](std::string_view word) {
        return word == "default" || word == "min" || word == "max" || word == "var";
    };
    std::size_t i = typeAt + 2;
    while (i < words.size()) {
        const std::string_view keyword = words[i];
        if (!isKeyword(keyword)) {
            ++i;  // a word out of place: skipped
            continue;
        }
        std::size_t end = i + 1;
        const bool toTheEnd = keyword == "default" && holdsText(option.type);
        while (end < words.size() && (toTheEnd || !isKeyword(words[end]))) ++end;
        const std::string_view value = words.span(i + 1, end);
        if (keyword == "default") {
            option.defaultValue = holdsText(option.type) && value == kEmpty ? "" : std::string(value);
        } else if (keyword == "min") {
            option.min = readInt(value);
        } else if (keyword == "max") {
            option.max = readInt(value);
        } else {
            option.vars.emplace_back(value);
        }
        i = end;
    }
    return option;
}

std::string formatOptionLine(const UciOption& option) {
    std::string line = "option name " + option.name + " type ";
    for (const TypeName& t : kTypeNames) {
        if (t.type == option.type) line += t.name;
    }
    if (option.type == UciOptionType::button) return line;
    const bool empty = option.defaultValue.empty() && holdsText(option.type);
    line += " default " + (empty ? std::string(kEmpty) : option.defaultValue);
    if (option.min) line += " min " + std::to_string(*option.min);
    if (option.max) line += " max " + std::to_string(*option.max);
    for (const std::string& var : option.vars) line += " var " + var;
    return line;
}

std::optional<OptionSetting> parseSetOption(std::string_view arguments) {
    const UciWords words(arguments);
    if (words.size() < 2 || words[0] != "name") return std::nullopt;
    // " value " ends the name; the value may be empty, or hold blanks (a file name).
    std::size_t valueAt = 2;
    while (valueAt < words.size() && words[valueAt] != "value") ++valueAt;
    OptionSetting setting;
    setting.name = std::string(words.span(1, valueAt));
    if (valueAt < words.size()) setting.value = std::string(words.span(valueAt + 1, words.size()));
    return setting;
}

std::string formatSetOption(std::string_view name, std::string_view value) {
    return "setoption name " + std::string(name) + " value " + std::string(value);
}

std::string formatButtonPress(std::string_view name) {
    return "setoption name " + std::string(name);
}

}  // namespace quorvel
