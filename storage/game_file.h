#pragma once
// The game file (".ech", and the recovery file "partie.tmp"): a raw image of
// the game record. 24 + 89*n bytes for n half-moves: the count (8 bytes of
// NUL-padded decimal), n move texts of 8 bytes, n positions of 81 bytes, then
// Black's and White's clocks (8 bytes each).

#include <string>

#include "rules/position.h"

namespace quorvel {

// What is wrong with a game file. Every value but none, cannotOpen and
// notAFile means the file is damaged.
enum class GameFileError {
    none,
    cannotOpen,     // missing or unreadable
    notAFile,       // a folder, a pipe, a device
    badCount,       // the half-move count is not a number from 0 to 300
    wrongSize,      // the file is not 24 + 89 n bytes for its count n
    badContent,     // a move text, a board or a clock no game can hold
    movesDisagree,  // a move text does not lead from its board to the next
};

inline bool gameFileDamaged(GameFileError error) {
    return error != GameFileError::none && error != GameFileError::cannotOpen &&
           error != GameFileError::notAFile;
}

// Writes plyCount half-moves of the record and the clocks. Writes a
// temporary file beside `path` and renames it over, so the previous good file
// survives a failed write. False when the file can't be written.
bool writeGameFile(const std::string& path, const GameRecord& record);

// Reads a game file into `record`. Only a file of exactly 24 + 89 n bytes
// whose boards and moves make a game is taken; on failure the record is
// left exactly as it was. On success: moves, history, plyCount, recordLength, current,
// playerIsBlack and (when present) the clocks are replaced; state is packed
// from the loaded position.
GameFileError readGameFile(const std::string& path, GameRecord& record);

// The same from bytes already in memory (for tests and fuzzing).
GameFileError readGameBytes(const std::string& bytes, GameRecord& record);
std::string gameFileBytes(const GameRecord& record);

}  // namespace quorvel
