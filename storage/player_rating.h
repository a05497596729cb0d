#pragma once
// The player's rating estimated from games against opponents of known
// strength: the performance rating, the opponents' average rating plus
// 400 log10(p / (1 - p)) for a score p, limited to 800 either way as FIDE
// limits its table at 0 and 100 %. Its 95 % margin comes from the binomial
// spread of the score.

#include <optional>
#include <string>
#include <vector>

namespace quorvel {

struct Opposition {
    int elo;  // the opponent's rating
    int won, drawn, lost;
};

struct RatingEstimate {
    int games = 0;
    double score = 0;     // the player's share of the points, 0..1
    double average = 0;   // the opponents' average rating, game by game
    double rating = 0;    // the performance rating
    double margin95 = 0;  // half the width of its 95 % interval, Elo
};

// nullopt with no game.
std::optional<RatingEstimate> performanceRating(const std::vector<Opposition>& results);

// How far to trust it, in words: "estimation provisoire, 4 parties" below
// ten games, then the margin ("à ± 120 Elo près, 25 parties").
std::string ratingUncertainty(const RatingEstimate& estimate);

}  // namespace quorvel
