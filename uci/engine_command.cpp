#include "uci/engine_command.h"

namespace quorvel {

std::string EngineCommand::shortName() const {
    const std::size_t slash = program.find_last_of('/');
    return slash == std::string::npos ? program : program.substr(slash + 1);
}

std::string EngineCommand::text() const {
    auto quoted = [](const std::string& word) {
        if (!word.empty() && word.find_first_of(" \t'\"\\") == std::string::npos) return word;
        std::string text(1, '\'');
        for (char c : word) {
            if (c == '\'') {
                text.append("'\\''");
            } else {
                text.push_back(c);
            }
        }
        text.push_back('\'');
        return text;
    };
    std::string line = quoted(program);
    for (const std::string& argument : arguments) line.append(" ").append(quoted(argument));
    return line;
}

std::optional<EngineCommand> parseEngineCommand(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            } else if (c == '\\' && quote == '"' && i + 1 < line.size()) {
                word += line[++i];
            } else {
                word += c;
            }
        } else if (c == '\'' || c == '"') {
            quote = c;
            inWord = true;
        } else if (c == '\\' && i + 1 < line.size()) {
            word += line[++i];
            inWord = true;
        } else if (c == ' ' || c == '\t' || c == '\n') {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quote != 0) return std::nullopt;
    if (inWord) words.push_back(std::move(word));
    if (words.empty() || words.front().empty()) return std::nullopt;
    EngineCommand command;
    command.program = words.front();
    command.arguments.assign(words.begin() + 1, words.end());
    return command;
}

}  // namespace quorvel
