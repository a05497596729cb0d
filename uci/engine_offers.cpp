#include "uci/engine_offers.h"

#include <algorithm>
#include <charconv>

namespace quorvel {

namespace {

// A spin's range, when it has a whole one the right way round.
std::optional<IntRange> spinRange(const UciOption* option) {
    if (option == nullptr || option->type != UciOptionType::spin || !option->min || !option->max ||
        *option->min > *option->max)
        return std::nullopt;
    return IntRange{*option->min, *option->max};
}

}  // namespace

const UciOption* EngineOffers::find(std::string_view optionName) const {
    const auto found = std::find_if(options.begin(), options.end(),
                                    [&](const UciOption& o) { return sameOptionName(o.name, optionName); });
    return found == options.end() ? nullptr : &*found;
}

void readStrengthOffers(EngineOffers& offers) {
    const UciOption* limit = offers.find("UCI_LimitStrength");
    offers.elo = limit != nullptr && limit->type == UciOptionType::check ? spinRange(offers.find("UCI_Elo"))
                                                                         : std::nullopt;
    offers.skillLevel = spinRange(offers.find("Skill Level"));
}

std::optional<std::string> checkOptionValue(const UciOption& option, std::string_view value) {
    switch (option.type) {
        case UciOptionType::spin: {
            long long number = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
            const bool whole = !value.empty() && error == std::errc() && end == value.data() + value.size();
            if (!whole || (option.min && number < *option.min) || (option.max && number > *option.max)) {
                std::string range;
                if (option.min && option.max)
                    range = " from " + std::to_string(*option.min) + " to " + std::to_string(*option.max);
                return option.name + " takes a whole number" + range;
            }
            return std::nullopt;
        }
        case UciOptionType::check:
            if (value == "true" || value == "false") return std::nullopt;
            return option.name + " takes true or false";
        case UciOptionType::combo:
            for (const std::string& var : option.vars) {
                if (sameOptionName(var, value)) return std::nullopt;
            }
            return option.name + " takes one of its choices";
        case UciOptionType::button:
            return option.name + " is a button: it takes no value";
        case UciOptionType::string:
        case UciOptionType::filename:
            break;
    }
    return std::nullopt;
}

std::optional<int> clampedSpinValue(const UciOption& option, std::string_view value) {
    if (option.type != UciOptionType::spin) return std::nullopt;
    long long number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (value.empty() || error != std::errc() || end != value.data() + value.size()) return std::nullopt;
    if (option.min && number < *option.min) return *option.min;
    if (option.max && number > *option.max) return *option.max;
    return std::nullopt;
}

}  // namespace quorvel
