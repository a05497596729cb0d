#include "window/command_guard.h"

#include <algorithm>
#include <iterator>

#include "window/command_ids.h"

namespace quorvel {

namespace {

constexpr bool kSearch = true;     // runs during a search
constexpr bool kNoSearch = false;  // waits until the human has the board
constexpr DuringReplay kRuns = DuringReplay::runs;
constexpr DuringReplay kCancels = DuringReplay::cancelsReplay;
constexpr DuringReplay kRefused = DuringReplay::refused;

// The game, the record and the human's colour belong to the search while it
// runs; the replay borrows the board and the possible-moves option, so what
// changes either ends the replay first.
constexpr CommandRule kRules[] = {
    // File
    {cmd::kNewGame, kNoSearch, kCancels},
    {cmd::kLoadGame, kNoSearch, kCancels},
    {cmd::kSaveGame, kNoSearch, kRuns},
    {cmd::kSaveGameAs, kNoSearch, kRuns},
    {cmd::kRecoverGame, kNoSearch, kCancels},
    {cmd::kPrint, kNoSearch, kRuns},
    // Importing replaces the game; exporting reads the record, which the
    // replay leaves as it is.
    {cmd::kImportPgn, kNoSearch, kCancels},
    {cmd::kExportPgn, kNoSearch, kRuns},
    // Quitting ends the search itself, and writes the options the replay
    // has switched.
    {cmd::kQuit, kSearch, kCancels},

    // Play
    {cmd::kComputerFirst, kNoSearch, kCancels},
    {cmd::kSideWhite, kNoSearch, kCancels},
    {cmd::kSideBlack, kNoSearch, kCancels},
    {cmd::kChangeSide, kNoSearch, kCancels},
    // Leaving the computer-against-computer loop is done through these two.
    {cmd::kModeComputerHuman, kSearch, kCancels},
    {cmd::kModeHumanHuman, kSearch, kCancels},
    {cmd::kModeComputerComputer, kNoSearch, kCancels},
    {cmd::kReviewLastMove, kNoSearch, kRefused},
    {cmd::kCapturedPieces, kSearch, kRuns},
    {cmd::kShowThinking, kSearch, kRuns},
    {cmd::kStopSearch, kSearch, kRuns},
    {cmd::kTakeBack, kNoSearch, kCancels},
    {cmd::kHistoryBack, kNoSearch, kCancels},
    {cmd::kHistoryForward, kNoSearch, kCancels},
    {cmd::kScrollListBack, kSearch, kRuns},
    {cmd::kScrollListForward, kSearch, kRuns},
    // The FEN is read from the record, not from the board a replay borrows.
    {cmd::kCopyFen, kNoSearch, kRuns},
    {cmd::kPasteFen, kNoSearch, kCancels},
    // A typed move is a move on the board: only while the human has it.
    {cmd::kPlayTypedMove, kNoSearch, kRefused},
    {cmd::kFocusMoveField, kSearch, kRuns},
    // The spoken state reads the game, whoever has it.
    {cmd::kAnnounceMoves, kSearch, kRuns},
    {cmd::kSayLastMove, kSearch, kRuns},
    {cmd::kSayClocks, kSearch, kRuns},
    {cmd::kSayWhitePieces, kSearch, kRuns},
    {cmd::kSayBlackPieces, kSearch, kRuns},
    // The coach reads the position shown, which the replay borrows; the
    // review reads the record alone.
    {cmd::kSuggestMove, kNoSearch, kRefused},
    {cmd::kReviewGame, kNoSearch, kRuns},

    // Thinking time and engine
    {cmd::kTimePresetFirst + 0, kSearch, kRuns},
    {cmd::kTimePresetFirst + 1, kSearch, kRuns},
    {cmd::kTimePresetFirst + 2, kSearch, kRuns},
    {cmd::kTimePresetFirst + 3, kSearch, kRuns},
    {cmd::kTimePresetFirst + 4, kSearch, kRuns},
    {cmd::kTimePresetFirst + 5, kSearch, kRuns},
    {cmd::kTimePresetFirst + 6, kSearch, kRuns},
    {cmd::kTimePresetFirst + 7, kSearch, kRuns},
    {cmd::kTimeDefine, kSearch, kRuns},
    // The search holds a copy of the options taken at its start.
    {cmd::kEngineOptions, kNoSearch, kRuns},
    {cmd::kBoxAtEveryCheck, kSearch, kRuns},
    // A level changes the options and the way the move is chosen.
    {cmd::kLevelFirst + 0, kNoSearch, kRuns},
    {cmd::kLevelFirst + 1, kNoSearch, kRuns},
    {cmd::kLevelFirst + 2, kNoSearch, kRuns},
    {cmd::kLevelFirst + 3, kNoSearch, kRuns},
    {cmd::kLevelFirst + 4, kNoSearch, kRuns},
    {cmd::kLevelFirst + 5, kNoSearch, kRuns},
    {cmd::kLevelFirst + 6, kNoSearch, kRuns},
    {cmd::kLevelFirst + 7, kNoSearch, kRuns},
    {cmd::kLevelCustom, kNoSearch, kRuns},
    {cmd::kLevelResults, kSearch, kRuns},
    // A look already under way keeps the settings it started with.
    {cmd::kCoachWarnings, kSearch, kRuns},
    {cmd::kCoachSettings, kSearch, kRuns},

    // Opponents: a choice, a strength or the list changes the engines that
    // play, which the game in progress uses.
    {cmd::kOpponentFirst, kNoSearch, kRuns},
    {cmd::kWhiteEngineFirst, kNoSearch, kRuns},
    {cmd::kBlackEngineFirst, kNoSearch, kRuns},
    {cmd::kEngineStrength, kNoSearch, kRuns},
    {cmd::kAddEngine, kNoSearch, kRuns},
    {cmd::kManageEngines, kNoSearch, kRuns},

    // Display
    {cmd::kPieceSet1, kSearch, kRuns},
    {cmd::kPieceSet2, kSearch, kRuns},
    {cmd::kPieceSet3, kSearch, kRuns},
    {cmd::kDarkColour, kSearch, kRuns},
    {cmd::kLightColour, kSearch, kRuns},
    {cmd::kBorderColour, kSearch, kRuns},
    {cmd::kDefaultColours, kSearch, kRuns},
    {cmd::kAlgebraic, kSearch, kRuns},
    {cmd::kCoordinateNotation, kSearch, kRuns},
    {cmd::kBoardCoordinates, kSearch, kRuns},
    {cmd::kShadedPieces, kSearch, kRuns},
    {cmd::kTurnBoard, kSearch, kRuns},
    {cmd::kPossibleMoves, kSearch, kCancels},

    // Help
    {cmd::kHelp, kNoSearch, kRuns},
    {cmd::kUpdateCheck, kSearch, kRuns},
    {cmd::kVisitSite, kSearch, kRuns},
    {cmd::kAbout, kNoSearch, kRuns},
};

// What a player does to leave a game in which an engine of another program
// thinks: its search is dropped, not waited for.
constexpr int kEndEngineSearch[] = {
    cmd::kNewGame,  cmd::kLoadGame,  cmd::kRecoverGame, cmd::kImportPgn,  cmd::kPasteFen,
    cmd::kTakeBack, cmd::kSideWhite, cmd::kSideBlack,   cmd::kChangeSide,
};

// The first id of the range `id` lies in, or `id`.
int rowId(int id) {
    for (const int first : {cmd::kOpponentFirst, cmd::kWhiteEngineFirst, cmd::kBlackEngineFirst})
        if (id >= first && id < first + cmd::kEngineRoom) return first;
    // The levels played by another engine are levels like the others.
    if (id >= cmd::kLevelFirst && id < cmd::kLevelCustom) return cmd::kLevelFirst;
    return id;
}

}  // namespace

bool endsEngineSearch(int id) {
    return std::find(std::begin(kEndEngineSearch), std::end(kEndEngineSearch), id) !=
           std::end(kEndEngineSearch);
}

const CommandRule* commandRule(int id) {
    id = rowId(id);
    const auto* rule =
        std::find_if(std::begin(kRules), std::end(kRules), [id](const CommandRule& r) { return r.id == id; });
    return rule == std::end(kRules) ? nullptr : rule;
}

CommandVerdict commandVerdict(int id, CommandContext context) {
    const CommandRule* rule = commandRule(id);
    if (!rule) return context.searching || context.replaying ? CommandVerdict::refuse : CommandVerdict::run;
    if (context.searching && !rule->duringSearch)
        return context.engineThinking && endsEngineSearch(id) ? CommandVerdict::endEngineSearchThenRun
                                                              : CommandVerdict::refuse;
    if (!context.replaying) return CommandVerdict::run;
    switch (rule->duringReplay) {
        case DuringReplay::runs:
            return CommandVerdict::run;
        case DuringReplay::cancelsReplay:
            return CommandVerdict::cancelReplayThenRun;
        case DuringReplay::refused:
            break;
    }
    return CommandVerdict::refuse;
}

}  // namespace quorvel
