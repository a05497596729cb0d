#include "uci/analyst_choice.h"

#include "uci/engine_analyst.h"
#include "uci/known_engines.h"
#include "uci/own_engine_analyst.h"

namespace quorvel {

std::optional<EngineCommand> analystCommand(const std::string& choice) {
    if (choice == kOwnAnalyst || choice.empty()) return std::nullopt;
    if (choice == kStrongestAnalyst) {
        for (const KnownEngine& engine : findKnownEngines())
            if (engine.program == "stockfish") return engine.command;
        return std::nullopt;
    }
    auto command = parseEngineCommand(choice);
    if (!command) return std::nullopt;
    // A bare name is looked for where Debian puts its engines too.
    if (const auto found = findProgram(command->program)) command->program = *found;
    return command;
}

std::unique_ptr<Analyst> makeAnalyst(const std::string& choice, std::uint64_t totalMemory) {
    if (const auto command = analystCommand(choice))
        return std::make_unique<EngineAnalyst>(*command, makeUciEngine());
    return std::make_unique<OwnEngineAnalyst>(totalMemory);
}

std::vector<AnalystChoice> analystChoices() {
    std::vector<AnalystChoice> choices = {
        {kStrongestAnalyst, "Le plus fort disponible (Stockfish s'il est installé)"},
        {kOwnAnalyst, "Quorvel (moteur intégré)"},
    };
    for (const KnownEngine& engine : findKnownEngines())
        choices.push_back({engine.command.text(), engine.program + " (" + engine.command.text() + ")"});
    return choices;
}

}  // namespace quorvel
