#include "storage/player_rating.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

constexpr double kLargestDifference = 800;  // FIDE's table ends there
constexpr int kProvisionalBelow = 10;       // games

// The rating difference a score gives, limited to the table's ends.
double difference(double score) {
    if (score <= 0) return -kLargestDifference;
    if (score >= 1) return kLargestDifference;
    return std::clamp(400 * std::log10(score / (1 - score)), -kLargestDifference, kLargestDifference);
}

}  // namespace

std::optional<RatingEstimate> performanceRating(const std::vector<Opposition>& results) {
    RatingEstimate e;
    double points = 0;
    double ratingSum = 0;
    for (const Opposition& o : results) {
        const int games = o.won + o.drawn + o.lost;
        e.games += games;
        points += o.won + 0.5 * o.drawn;
        ratingSum += static_cast<double>(o.elo) * games;
    }
    if (e.games == 0) return std::nullopt;
    const double n = e.games;
    e.score = points / n;
    e.average = ratingSum / n;
    e.rating = e.average + difference(e.score);
    // The spread of a score near 0 or 1 is not zero: half a game either way
    // keeps the margin honest after a few games all won or all lost.
    const double p = (points + 0.5) / (n + 1);
    const double slope = 400 / (std::log(10.0) * p * (1 - p));
    e.margin95 = std::min(2 * kLargestDifference, 1.96 * slope * std::sqrt(p * (1 - p) / n));
    return e;
}

std::string ratingUncertainty(const RatingEstimate& estimate) {
    const std::string games = std::to_string(estimate.games) + (estimate.games == 1 ? " partie" : " parties");
    if (estimate.games < kProvisionalBelow) return "estimation provisoire, " + games;
    const long margin = std::lround(estimate.margin95 / 10) * 10;
    return "à \u00b1 " + std::to_string(margin) + " Elo près, " + games;
}

}  // namespace quorvel
