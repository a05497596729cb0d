#include "storage/engine_list_file.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <system_error>

#include "storage/preferences_file.h"
#include "storage/replace_file.h"

namespace quorvel {

namespace {

// A list of engines is a few kilobytes; anything far larger is not ours.
constexpr std::uintmax_t kLargestFile = 1 << 20;
// Far beyond any engine's Elo or skill scale, and any argument count.
constexpr int kLargestNumber = 100000;
constexpr int kMostArguments = 64;
constexpr int kMostSeconds = 300;

std::optional<int> wholeNumber(std::string_view text) {
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc{} || stop != end) return std::nullopt;
    if (number < -kLargestNumber || number > kLargestNumber) return std::nullopt;
    return number;
}

// "1350-2850"; a negative low end ("-10-10") reads too.
std::optional<std::pair<int, int>> readRange(std::string_view text) {
    const std::size_t dash = text.find('-', 1);
    if (dash == std::string_view::npos) return std::nullopt;
    const auto low = wholeNumber(text.substr(0, dash));
    const auto high = wholeNumber(text.substr(dash + 1));
    if (!low || !high || *low > *high) return std::nullopt;
    return std::pair{*low, *high};
}

std::string rangeText(const std::pair<int, int>& range) {
    return std::to_string(range.first) + "-" + std::to_string(range.second);
}

std::string fileName(const std::string& program) {
    const std::size_t slash = program.rfind('/');
    return slash == std::string::npos ? program : program.substr(slash + 1);
}

std::string numbered(int n, const char* field) {
    return "engine." + std::to_string(n) + "." + field;
}

// The numbers N of the "engine.N.*" keys, in order.
std::vector<int> entryNumbers(const Preferences& values) {
    std::vector<int> numbers;
    for (const auto& [key, value] : values.values()) {
        if (key.rfind("engine.", 0) != 0) continue;
        const std::size_t dot = key.find('.', 7);
        if (dot == std::string::npos) continue;
        const auto n = wholeNumber(std::string_view(key).substr(7, dot - 7));
        if (n && *n > 0 && std::find(numbers.begin(), numbers.end(), *n) == numbers.end())
            numbers.push_back(*n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// One "engine.N.*" entry; nullopt, with a problem said, when it has no program.
std::optional<EngineEntry> readEntry(const Preferences& values, int n, std::vector<std::string>& problems) {
    const std::string label = "le moteur n° " + std::to_string(n);
    EngineEntry entry;
    entry.program = values.text(numbered(n, "program"), "");
    if (entry.program.empty()) {
        problems.push_back(label + " n'a pas de programme");
        return std::nullopt;
    }
    entry.name = values.text(numbered(n, "name"), "");
    if (entry.name.empty()) entry.name = fileName(entry.program);
    for (int a = 1; a <= kMostArguments; ++a) {
        const auto argument = values.text(numbered(n, ("argument." + std::to_string(a)).c_str()));
        if (!argument) break;
        entry.arguments.push_back(*argument);
    }
    const std::string origin = values.text(numbered(n, "origin"), "added");
    if (origin == "found") {
        entry.origin = EngineOrigin::found;
    } else if (origin != "added") {
        problems.push_back(label + " a une origine inconnue");
    }
    entry.renamed = values.flag(numbered(n, "renamed"), false);
    entry.removed = entry.origin == EngineOrigin::found && values.flag(numbered(n, "removed"), false);

    // A figure that does not read is forgotten: the engine plays at its
    // default strength rather than at a strength nobody chose.
    auto number = [&](const char* field, std::optional<int>& into, int low, int high) {
        const auto text = values.text(numbered(n, field));
        if (!text) return;
        const auto value = wholeNumber(*text);
        if (value && *value >= low && *value <= high)
            into = value;
        else
            problems.push_back(label + " a une valeur illisible (" + field + ")");
    };
    auto range = [&](const char* field, std::optional<std::pair<int, int>>& into) {
        const auto text = values.text(numbered(n, field));
        if (!text) return;
        into = readRange(*text);
        if (!into) problems.push_back(label + " a une valeur illisible (" + field + ")");
    };
    range("elo.range", entry.eloRange);
    range("skill.range", entry.skillRange);
    number("elo", entry.strength.elo, 0, kLargestNumber);
    number("skill", entry.strength.skillLevel, -kLargestNumber, kLargestNumber);
    number("seconds", entry.strength.moveSeconds, 1, kMostSeconds);
    return entry;
}

}  // namespace

const EngineEntry* EngineChoices::engine(int choice) const {
    if (choice < 1 || choice > static_cast<int>(engines.size())) return nullptr;
    const EngineEntry& entry = engines[static_cast<std::size_t>(choice - 1)];
    return entry.removed ? nullptr : &entry;
}

int EngineChoices::find(const std::string& program) const {
    for (std::size_t k = 0; k < engines.size(); ++k)
        if (engines[k].program == program) return static_cast<int>(k) + 1;
    return 0;
}

void EngineChoices::remove(int choice) {
    if (choice < 1 || choice > static_cast<int>(engines.size())) return;
    EngineEntry& entry = engines[static_cast<std::size_t>(choice - 1)];
    for (int* chosen : {&opponent, &white, &black}) {
        if (*chosen == choice) *chosen = 0;
    }
    if (entry.origin == EngineOrigin::found) {
        entry.removed = true;
        return;
    }
    engines.erase(engines.begin() + (choice - 1));
    for (int* chosen : {&opponent, &white, &black}) {
        if (*chosen > choice) --*chosen;
    }
}

void mergeFoundEngines(EngineChoices& choices, const std::vector<FoundEngine>& found) {
    for (const FoundEngine& engine : found) {
        if (choices.find(engine.program) != 0) continue;
        if (static_cast<int>(choices.engines.size()) >= kMaxEngines) return;
        EngineEntry entry;
        entry.name = engine.name;
        entry.program = engine.program;
        entry.arguments = engine.arguments;
        entry.origin = EngineOrigin::found;
        choices.engines.push_back(std::move(entry));
    }
}

EngineListRead parseEngineList(std::string_view text) {
    const Preferences values = Preferences::parse(text);
    EngineListRead read;
    // The file's numbers may have gaps; the choices follow the entries kept.
    std::map<int, int> kept;
    for (const int n : entryNumbers(values)) {
        if (static_cast<int>(read.choices.engines.size()) >= kMaxEngines) {
            read.problems.push_back("plus de " + std::to_string(kMaxEngines) + " moteurs");
            break;
        }
        if (auto entry = readEntry(values, n, read.problems)) {
            read.choices.engines.push_back(std::move(*entry));
            kept[n] = static_cast<int>(read.choices.engines.size());
        }
    }
    auto choice = [&](const char* key, const char* what, int& into) {
        const auto text = values.text(key);
        if (!text) return;
        const auto n = wholeNumber(*text);
        if (n && *n == 0) return;
        const auto found = n ? kept.find(*n) : kept.end();
        if (found != kept.end() && read.choices.engine(found->second)) {
            into = found->second;
            return;
        }
        read.problems.push_back(std::string(what) + " ne désigne aucun moteur");
    };
    choice("opponent", "l'adversaire", read.choices.opponent);
    choice("white", "le moteur des Blancs", read.choices.white);
    choice("black", "le moteur des Noirs", read.choices.black);
    return read;
}

std::string serialiseEngineList(const EngineChoices& choices) {
    Preferences values;
    values.setInteger("opponent", choices.opponent);
    values.setInteger("white", choices.white);
    values.setInteger("black", choices.black);
    int n = 0;
    for (const EngineEntry& entry : choices.engines) {
        ++n;
        values.set(numbered(n, "name"), entry.name);
        values.set(numbered(n, "program"), entry.program);
        for (std::size_t a = 0; a < entry.arguments.size() && a < kMostArguments; ++a)
            values.set(numbered(n, ("argument." + std::to_string(a + 1)).c_str()), entry.arguments[a]);
        values.set(numbered(n, "origin"), entry.origin == EngineOrigin::found ? "found" : "added");
        if (entry.renamed) values.setFlag(numbered(n, "renamed"), true);
        if (entry.removed) values.setFlag(numbered(n, "removed"), true);
        if (entry.strength.elo) values.setInteger(numbered(n, "elo"), *entry.strength.elo);
        if (entry.strength.skillLevel) values.setInteger(numbered(n, "skill"), *entry.strength.skillLevel);
        if (entry.strength.moveSeconds)
            values.setInteger(numbered(n, "seconds"), *entry.strength.moveSeconds);
        if (entry.eloRange) values.set(numbered(n, "elo.range"), rangeText(*entry.eloRange));
        if (entry.skillRange) values.set(numbered(n, "skill.range"), rangeText(*entry.skillRange));
    }
    return "# Quorvel : les moteurs d'échecs\n" + values.serialise();
}

EngineListRead readEngineList(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::exists(path, error)) return {};
    EngineListRead unreadable;
    unreadable.problems.push_back("le fichier ne peut être lu");
    // A pipe of that name would hold the start-up until someone writes to it.
    if (!fs::is_regular_file(path, error)) return unreadable;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error || size > kLargestFile) return unreadable;
    std::ifstream in(path, std::ios::binary);
    if (!in) return unreadable;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return parseEngineList(bytes);
}

bool writeEngineList(const std::string& path, const EngineChoices& choices) {
    return replaceFile(path, serialiseEngineList(choices));
}

}  // namespace quorvel
