#pragma once
// What a match's score says of the difference in strength between its two
// engines, in Elo points, with its 95 % interval: the usual estimate from
// the share of points, the spread of the games' results giving the margin.
// A match won or lost in every game has no estimate (it would be infinite):
// the interval's finite end is given instead, so nothing prints "inf" or
// "nan".

#include <optional>
#include <string>

namespace quorvel {

struct MatchScore {
    int wins = 0, draws = 0, losses = 0;  // of the first engine

    int games() const { return wins + draws + losses; }
};

struct EloEstimate {
    std::optional<double> difference;  // none with no game, or at 0 % or 100 %
    // The 95 % interval's ends; an end past 0 % or 100 % is missing (unbounded).
    std::optional<double> low, high;
    double likelihoodOfSuperiority = 0.5;  // that the first engine is the stronger, 0..1
};

// The Elo difference a share of points p (0 < p < 1) stands for.
double eloOfShare(double share);

EloEstimate estimateElo(const MatchScore& score);

// "+35.2 +/- 120.4 (95 %)", "+35.2, at least -60.1 (95 %)", "at least
// -71.5 (95 %): every game won", "no game played".
std::string describeElo(const EloEstimate& estimate);

}  // namespace quorvel
