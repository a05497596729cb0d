#include "uci/uci_options.h"

#include <charconv>
#include <functional>

#include "engine/levels.h"
#include "uci/uci_option_line.h"

namespace quorvel {

namespace {

// A number option; the getters and setters reach into UciSettings.
struct SpinOption {
    const char* name;
    ValueRange range;
    std::function<int(const UciSettings&)> get;
    std::function<void(UciSettings&, int)> set;
};

// In the order of the engine options dialog, the time limits first; the
// level, which sets them all, last.
const std::vector<SpinOption>& spinOptions() {
    static const std::vector<SpinOption> options{
        {"Main Tree Time", kTimeLimitRange, [](const UciSettings& s) { return s.limits.mainTimeLimit; },
         [](UciSettings& s, int v) { s.limits.mainTimeLimit = v; }},
        {"Secondary Tree Time", kTimeLimitRange,
         [](const UciSettings& s) { return s.limits.secondaryTimeLimit; },
         [](UciSettings& s, int v) { s.limits.secondaryTimeLimit = v; }},
        {"Alpha-Beta Tolerance", kToleranceRange,
         [](const UciSettings& s) { return s.engine.alphaBetaTolerance; },
         [](UciSettings& s, int v) { s.engine.alphaBetaTolerance = v; }},
        {"Minimum Sons", kMinSonsRange, [](const UciSettings& s) { return s.engine.minSons; },
         [](UciSettings& s, int v) { s.engine.minSons = v; }},
        {"Main Tree Depth", kMainDepthRange, [](const UciSettings& s) { return int{s.engine.maxDepthMain}; },
         [](UciSettings& s, int v) { s.engine.maxDepthMain = static_cast<std::int8_t>(v); }},
        {"Secondary Tree Depth", kSecondaryDepthRange,
         [](const UciSettings& s) { return int{s.engine.maxDepthSecondary}; },
         [](UciSettings& s, int v) { s.engine.maxDepthSecondary = static_cast<std::int8_t>(v); }},
        // A level sets the values above, which may then be changed one by one.
        {"Level", {kCustomLevel, kLevelCount}, [](const UciSettings& s) { return s.level; },
         [](UciSettings& s, int v) {
             s.level = v;
             if (v != kCustomLevel) applyLevel(v, s.engine, s.limits);
         }},
    };
    return options;
}

struct EngineCheckOption {
    const char* name;
    bool EngineOptions::*flag;
};

constexpr EngineCheckOption kEngineChecks[] = {
    {"Horizon Reduction", &EngineOptions::horizonReduction},
    {"Alpha-Beta Sorting", &EngineOptions::alphaBetaSorting},
};
constexpr const char* kOwnBook = "OwnBook";
constexpr const char* kBookFile = "BookFile";

std::optional<bool> readBool(const std::optional<std::string>& value) {
    if (value && sameOptionName(*value, "true")) return true;
    if (value && sameOptionName(*value, "false")) return false;
    return std::nullopt;
}

}  // namespace

std::vector<std::string> uciOptionLines(const UciSettings& defaults) {
    std::vector<std::string> lines;
    auto spin = [&](const SpinOption& o) {
        return formatOptionLine(
            {o.name, UciOptionType::spin, std::to_string(o.get(defaults)), o.range.low, o.range.high, {}});
    };
    // Level comes last: it sets the others.
    const SpinOption& level = spinOptions().back();
    for (const SpinOption& o : spinOptions()) {
        if (&o != &level) lines.push_back(spin(o));
    }
    auto check = [](const char* name, bool value) {
        return formatOptionLine({name, UciOptionType::check, value ? "true" : "false", {}, {}, {}});
    };
    for (const EngineCheckOption& o : kEngineChecks) lines.push_back(check(o.name, defaults.engine.*o.flag));
    lines.push_back(check(kOwnBook, defaults.ownBook));
    lines.push_back(formatOptionLine({kBookFile, UciOptionType::string, defaults.bookFile, {}, {}, {}}));
    lines.push_back(spin(level));
    return lines;
}

int levelChoiceMargin(const UciSettings& settings) {
    return settings.level == kCustomLevel ? 0 : levelPreset(settings.level).choiceMargin;
}

std::optional<std::string> applySetOption(std::string_view arguments, UciSettings& settings) {
    const auto nameValue = parseSetOption(arguments);
    if (!nameValue) return std::string("setoption needs 'name'");
    const std::string& name = nameValue->name;
    const std::optional<std::string>& value = nameValue->value;
    for (const SpinOption& o : spinOptions()) {
        if (!sameOptionName(name, o.name)) continue;
        int number = 0;
        const std::string text = value.value_or("");
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
            number < o.range.low || number > o.range.high) {
            return std::string(o.name) + " takes a whole number from " + std::to_string(o.range.low) +
                   " to " + std::to_string(o.range.high);
        }
        o.set(settings, number);
        return std::nullopt;
    }
    for (const EngineCheckOption& o : kEngineChecks) {
        if (!sameOptionName(name, o.name)) continue;
        const auto flag = readBool(value);
        if (!flag) return std::string(o.name) + " takes true or false";
        settings.engine.*o.flag = *flag;
        return std::nullopt;
    }
    if (sameOptionName(name, kOwnBook)) {
        const auto flag = readBool(value);
        if (!flag) return std::string(kOwnBook) + " takes true or false";
        settings.ownBook = *flag;
        return std::nullopt;
    }
    if (sameOptionName(name, kBookFile)) {
        const std::string file = value.value_or("");
        settings.bookFile = file == "<empty>" ? "" : file;
        return std::nullopt;
    }
    return "no option named '" + name + "'";
}

}  // namespace quorvel
