#include "storage/pgn_players.h"

#include <algorithm>
#include <cctype>

#include "rules/record_positions.h"

namespace quorvel {

namespace {

std::string lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool isProgram(const PgnGameText& game, const char* typeTag, const char* nameTag) {
    const std::string type = lowered(game.tag(typeTag));
    if (type == "program") return true;
    if (type == "human") return false;
    return game.tag(nameTag) == kProgramName;
}

}  // namespace

PlayerRoles rolesFromTags(const PgnGameText& game) {
    return {isProgram(game, "WhiteType", "White"), isProgram(game, "BlackType", "Black")};
}

PlayerRoles rolesFromRecord(const GameRecord& record, PlayerRoles fallback) {
    bool moved[2] = {false, false}, humanMoved[2] = {false, false};  // [0] White, [1] Black
    const int end = std::clamp(record.plyCount, 0, GameRecord::kCapacity);
    for (int k = setupPly(record); k < end; ++k) {
        const auto index = static_cast<std::size_t>(k);
        if (record.moves[index].empty()) continue;
        const bool white = k % 2 == 0;
        // The mover held the lower side exactly when it was the human.
        const bool heldForWhite = record.history[index][0] == kMarkerPlayerWhite;
        moved[white ? 0 : 1] = true;
        humanMoved[white ? 0 : 1] |= heldForWhite == white;
    }
    return {moved[0] ? !humanMoved[0] : fallback.whiteIsProgram,
            moved[1] ? !humanMoved[1] : fallback.blackIsProgram};
}

}  // namespace quorvel
