#include "match/elo.h"

#include <cmath>
#include <cstdio>

namespace quorvel {

namespace {

constexpr double kZ95 = 1.959963984540054;  // two-sided 95 % of the normal law

std::string signedPoints(double elo) {
    // No "-0.0": a difference that rounds to nothing has no sign.
    if (std::fabs(elo) < 0.05) elo = 0.0;
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f", elo);
    return text;
}

}  // namespace

double eloOfShare(double share) {
    return -400.0 * std::log10(1.0 / share - 1.0);
}

EloEstimate estimateElo(const MatchScore& score) {
    EloEstimate estimate;
    const int n = score.games();
    if (n <= 0) return estimate;
    const double games = n;
    const double w = score.wins / games, d = score.draws / games, l = score.losses / games;
    const double mu = w + d / 2.0;
    if (score.wins + score.losses > 0) {
        estimate.likelihoodOfSuperiority =
            0.5 *
            (1.0 + std::erf((score.wins - score.losses) / std::sqrt(2.0 * (score.wins + score.losses))));
    }
    if (mu <= 0.0 || mu >= 1.0) {
        // Every game won (or lost): the share's lower (upper) 95 % bound is
        // the p with p^n = 2.5 %, as an exact binomial interval gives it.
        const double bound = std::pow(0.025, 1.0 / games);
        if (mu >= 1.0) estimate.low = eloOfShare(bound);
        if (mu <= 0.0) estimate.high = eloOfShare(1.0 - bound);
        return estimate;
    }
    estimate.difference = eloOfShare(mu);
    const double sigma =
        std::sqrt(w * (1.0 - mu) * (1.0 - mu) + l * mu * mu + d * (0.5 - mu) * (0.5 - mu)) / std::sqrt(games);
    const double lowShare = mu - kZ95 * sigma, highShare = mu + kZ95 * sigma;
    if (lowShare > 0.0) estimate.low = eloOfShare(lowShare);
    if (highShare < 1.0) estimate.high = eloOfShare(highShare);
    return estimate;
}

std::string describeElo(const EloEstimate& e) {
    if (!e.difference && !e.low && !e.high) return "no game played";
    if (!e.difference) {
        return e.low ? "at least " + signedPoints(*e.low) + " (95 %): every game won"
                     : "at most " + signedPoints(*e.high) + " (95 %): every game lost";
    }
    std::string text = signedPoints(*e.difference);
    if (e.low && e.high) {
        char margin[32];
        std::snprintf(margin, sizeof margin, "%.1f", (*e.high - *e.low) / 2.0);
        return text + " +/- " + margin + " (95 %)";
    }
    if (e.low) return text + ", at least " + signedPoints(*e.low) + " (95 %)";
    if (e.high) return text + ", at most " + signedPoints(*e.high) + " (95 %)";
    return text + ", unbounded (95 %)";
}

}  // namespace quorvel
