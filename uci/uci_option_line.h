#pragma once
// The engine's options as the protocol writes them, both ways: the "option"
// lines an engine announces after "uci", and the "setoption" command that
// changes one. Names and values may hold blanks ("Skill Level", a path with
// a space in it); the keywords around them mark where they end.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

enum class UciOptionType { check, spin, combo, button, string, filename };

// One "option name N type T [default D] [min A] [max B] [var V]..." line.
struct UciOption {
    std::string name;
    UciOptionType type = UciOptionType::string;
    std::string defaultValue;       // as written; a string's "<empty>" reads as ""
    std::optional<int> min, max;    // a spin's range
    std::vector<std::string> vars;  // a combo's choices

    friend bool operator==(const UciOption&, const UciOption&) = default;
};

// The words after "option"; nullopt when there is no name or no known type.
// A number that does not read leaves its bound out, the option stays.
std::optional<UciOption> parseOptionLine(std::string_view line);

// "option name ..." as an engine announces it. An empty string default is
// written "<empty>", as the protocol's own example does.
std::string formatOptionLine(const UciOption& option);

// The name and the value of "setoption name N [value V]".
struct OptionSetting {
    std::string name;
    std::optional<std::string> value;  // none for a button; may be empty
};

// The words after "setoption"; nullopt when they name no option.
std::optional<OptionSetting> parseSetOption(std::string_view arguments);

// "setoption name N value V". The value is always written, empty or not:
// some engines take a missing value for a malformed command.
std::string formatSetOption(std::string_view name, std::string_view value);
// "setoption name N": pressing a button, which has no value.
std::string formatButtonPress(std::string_view name);

// Option names compare without regard to case, as engines read them.
bool sameOptionName(std::string_view a, std::string_view b);

}  // namespace quorvel
