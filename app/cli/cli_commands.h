#pragma once
// The subcommands of quorvel-cli. Each takes the words after its name and
// returns the process's exit status (0 success, 2 bad input).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "storage/game_file.h"

namespace quorvel::cli {

using Args = std::vector<std::string>;

int runPerft(const Args& args, bool divide);
int runSearch(const Args& args);
int runBench(const Args& args);
int runSelfPlay(const Args& args);
int runGame(const Args& args);
int runUci(const Args& args);
int runPgn(const Args& args);
int runEch(const Args& args);
int runMatch(const Args& args);
int runReview(const Args& args);

// The game file at `path`; nullptr once one line on standard error has
// said why it was refused.
std::unique_ptr<GameRecord> loadGameFile(const std::string& path);

// Today's date as PGN writes it ("2024.03.09"), and the user's login name
// ("Joueur" when the system gives none), for exported games.
std::string today();
std::string loginName();

// One line on standard error naming what is wrong; returns 2.
int usageError(const std::string& message);

// A word that is a whole number from `low` to `high`, and nothing else.
std::optional<int> wholeNumber(const std::string& word, int low, int high);

}  // namespace quorvel::cli
