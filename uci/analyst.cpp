#include "uci/analyst.h"

#include "uci/uci_go.h"

namespace quorvel {

AnalysisScore AnalysisScore::opposite() const {
    switch (kind) {
        case Kind::centipawns:
            return ofCentipawns(-value);
        case Kind::mates:
            return matedIn(value);
        case Kind::mated:
            break;
    }
    return matesIn(value);
}

std::optional<AnalysisScore> analysisScoreOf(const UciInfo& info) {
    if (!info.score || !info.score->exact() || info.multiPv.value_or(1) != 1) return std::nullopt;
    const UciScore& score = *info.score;
    if (score.kind == UciScore::Kind::centipawns) return AnalysisScore::ofCentipawns(score.value);
    return score.value > 0 ? AnalysisScore::matesIn(score.value) : AnalysisScore::matedIn(-score.value);
}

std::string positionWords(const UciGameText& game) {
    // formatPosition writes the whole command.
    return formatPosition(game.fen, game.moves).substr(std::string_view("position ").size());
}

}  // namespace quorvel
