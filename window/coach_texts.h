#pragma once
// What the coach says, in the window's words: scores with a decimal comma,
// moves in the player's notation, the hint on the status line and the
// warning after a costly move. Plain functions of their inputs.

#include <QString>
#include <optional>
#include <string>

#include "coach/coach_settings.h"
#include "coach/game_review.h"
#include "rules/record_positions.h"

namespace quorvel {

// Pawns with two decimals and a sign: "+0,35", "-1,20", "0,00".
QString pawnsText(int centipawns);
// A score from the player's view: "+0,35", "mat en 3", "mat subi en 2".
QString scoreWords(const AnalysisScore& score);
// A move in the notation the player chose: French algebraic ("Cf3",
// "exd5", "O-O") or coordinates ("g1-f3", "e5xd6", "o-o"). Empty when
// `uci` names no legal move of the position.
QString moveInNotation(const ChessPosition& position, const std::string& uci, bool algebraic);

// "Suggestion : Cf3 (+0,35)"; the score's words are left out when unknown.
QString hintText(const QString& move, const std::optional<AnalysisScore>& score);

// Whether the coach speaks up: a move that loses at least `thresholdPawns`
// (scores bounded as the review bounds them), or that lets the opponent
// mate by force, which counts as more than any threshold. `best` and
// `after` are the mover's view; a move that was the analyst's own choice
// loses nothing.
bool coachWarns(const AnalysisScore& best, const AnalysisScore& after, bool playedIsBest, int thresholdPawns);
// "Ce coup perd environ 3,2 pions. Meilleur : Dxd5." ("Meilleur" left out
// when the better move is unknown); a mate allowed or missed is said so.
QString coachWarningText(const AnalysisScore& best, const AnalysisScore& after, const QString& bestMove);

}  // namespace quorvel
