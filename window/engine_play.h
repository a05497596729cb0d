#pragma once
// What the window tells an engine of another program, and how it shows what
// the engine says: the options that set the strength chosen, the time of
// one move, and the engine's line and score in the window's notation.
// Plain C++: no Qt, so each rule is tested on its own.

#include <string>
#include <utility>
#include <vector>

#include "engine/search_status.h"
#include "rules/record_positions.h"
#include "storage/engine_list_file.h"
#include "uci/engine_offers.h"
#include "uci/uci_go.h"
#include "uci/uci_info_line.h"

namespace quorvel {

// The options that make the engine as strong as chosen, from what it offers,
// in this order: UCI_LimitStrength with UCI_Elo (the Elo brought within the
// engine's range; without an Elo chosen the limit is lifted), else Skill
// Level. Nothing for an engine that offers neither.
std::vector<std::pair<std::string, std::string>> strengthSettings(const EngineStrength& strength,
                                                                  const EngineOffers& offers);

// The "go" of one move: the engine's own seconds per move when it offers no
// other way to be made weaker and has some, else the game's thinking time,
// the longest Quorvel's own engine may take (main and secondary phases).
GoRequest moveLimits(const TimeLimits& limits, const EngineStrength& strength, const EngineOffers& offers);

// The Elo steps of the levels an engine plays above Quorvel's own: every
// 200 from 1400 within the engine's range [low, high], its top last, so that
// the ladder has no ceiling; at most `most` steps (the lowest kept) and none
// when the range does not reach 1400.
std::vector<int> eloLadder(int low, int high, std::size_t most);

// The engine's line from `before`, in the window's notation: short
// algebraic with French letters ("Cf3"), or coordinates ("g1-f3", "e4xd5",
// "o-o", "e7-e8=D"), moves apart by three blanks as Quorvel's own reports
// write them. Stops at the first move that is not legal there, and after
// `longest` moves.
std::string engineLineText(const ChessPosition& before, const std::vector<std::string>& pv, bool algebraic,
                           std::size_t longest = 12);

// "note finale des Noirs : 0.31", "... : mat en 3", "... : mat subi en 2",
// the score from the engine's side (the side to move when it searched).
std::string engineScoreText(const UciScore& score, bool engineIsWhite);

}  // namespace quorvel
