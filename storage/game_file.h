#pragma once
// The game file (".ech", and the recovery file "partie.tmp"): a raw image of
// the game record. 24 + 89*n bytes for n half-moves: the count (8 bytes of
// NUL-padded decimal), n move texts of 8 bytes, n positions of 81 bytes, then
// Black's and White's clocks (8 bytes each).

#include <string>

#include "rules/position.h"

namespace quorvel {

// badContent: a move text or a position that no game can hold (bad piece
// codes, a missing king, state cells out of range).
enum class GameFileError { none, cannotOpen, badCount, truncated, badContent };

// Writes plyCount half-moves of the record and the clocks. Writes a
// temporary file beside `path` and renames it over, so the previous good file
// survives a failed write. False when the file can't be written.
bool writeGameFile(const std::string& path, const GameRecord& record);

// Reads a game file into `record`. On failure the record is left exactly as
// it was. On success: moves, history, plyCount, recordLength, current,
// playerIsBlack and (when present) the clocks are replaced; state is packed
// from the loaded position.
GameFileError readGameFile(const std::string& path, GameRecord& record);

// The same from bytes already in memory (for tests and fuzzing).
GameFileError readGameBytes(const std::string& bytes, GameRecord& record);
std::string gameFileBytes(const GameRecord& record);

}  // namespace quorvel
