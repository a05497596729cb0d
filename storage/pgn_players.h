#pragma once
// Who played each side of a game, as PGN tells it and as a game record
// remembers it. The record knows it from its side markers: the human always
// moves the lower side and the computer the upper one, so each history
// entry says whether its move was the human's or the computer's.

#include <string>

#include "rules/position.h"
#include "storage/pgn_reader.h"

namespace quorvel {

// The name the computer's side goes by.
inline constexpr const char* kProgramName = "Quorvel";

struct PlayerRoles {
    bool whiteIsProgram = false;
    bool blackIsProgram = true;
};

// From the [WhiteType]/[BlackType] tags ("program" or "human"), or else from
// the names: "Quorvel" is the program, anyone else a human.
PlayerRoles rolesFromTags(const PgnGameText& game);

// A side whose every move the computer made is the program's; a side with
// any move of the human is the human's; a side without a move takes its
// role from `fallback` (the window's mode).
PlayerRoles rolesFromRecord(const GameRecord& record, PlayerRoles fallback);

}  // namespace quorvel
