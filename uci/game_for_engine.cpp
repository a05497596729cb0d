#include "uci/game_for_engine.h"

#include <algorithm>

#include "rules/fen.h"
#include "rules/move_recording.h"
#include "rules/record_positions.h"
#include "rules/uci_move.h"
#include "rules/uci_position.h"

namespace quorvel {

ChessPosition liveChessPosition(const GameRecord& record) {
    ChessPosition live;
    live.board = record.current;
    if (record.playerIsBlack) mirrorPosition(live.board);
    live.board[0] = 0;
    live.state = packState(live.board, 0);
    live.whiteToMove = record.plyCount % 2 == 0;
    return live;
}

std::optional<GameForEngine> gameForEngine(const GameRecord& record) {
    GameForEngine game;
    const int start = setupPly(record);
    const int end = std::min(record.plyCount, GameRecord::kCapacity);
    if (end <= start) {
        // No move since the start: the position the record shows is the start.
        game.fen = formatFen(record);
        if (start == 0 && game.fen == kStartFen) game.fen.clear();
        return game;
    }
    GameRecord setup = record;
    setup.plyCount = start;
    if (start > 0) game.fen = formatFen(setup);
    auto moves = uciMovesOf(record, start, end);
    if (!moves) return std::nullopt;
    game.moves = std::move(*moves);
    return game;
}

bool continuesGame(const GameForEngine& earlier, const GameForEngine& later) {
    if (earlier.fen != later.fen || earlier.moves.size() > later.moves.size()) return false;
    return std::equal(earlier.moves.begin(), earlier.moves.end(), later.moves.begin());
}

bool recordEngineMove(GameRecord& record, std::string_view text) {
    const ChessPosition live = liveChessPosition(record);
    const auto move = findUciMove(live.board, live.state, !live.whiteToMove, false, text);
    // The rules' reader takes a promotion without its piece for a queen; an
    // engine must name it.
    if (!move || uciMoveOf(*move, false) != text) return false;
    return recordChessMove(record, *move, true);
}

}  // namespace quorvel
