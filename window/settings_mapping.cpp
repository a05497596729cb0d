#include "window/settings_mapping.h"

#include "window/game_controller.h"

namespace quorvel {

void applySettings(const Settings& settings, GameController& controller) {
    controller.limits().mainTimeLimit = settings.mainTimeLimit;
    controller.limits().secondaryTimeLimit = settings.secondaryTimeLimit;
    controller.status().showThinking = settings.showThinking;
    controller.engineOptions() = settings.engine;
    DisplayOptions& d = controller.display();
    const int set = settings.pieceSet;
    d.pieceSet = (set == 0 || set == 20 || set == 40) ? set : 0;
    d.darkColour = settings.darkColour & 0xFFFFFFu;
    d.lightColour = settings.lightColour & 0xFFFFFFu;
    d.borderColour = settings.borderColour & 0xFFFFFFu;
    d.showPossibleMoves = settings.showPossibleMoves;
    d.algebraic = settings.algebraicNotation;
    d.showCoordinates = settings.showCoordinates;
    d.shadedPieces = settings.shadedPieces;
    d.boardTurned = settings.boardTurned;
    controller.state().humanVsHuman = settings.humanVsHuman;
}

Settings collectSettings(const GameController& controller, const std::string& gameFileName) {
    Settings s;
    s.mainTimeLimit = controller.limits().mainTimeLimit;
    s.secondaryTimeLimit = controller.limits().secondaryTimeLimit;
    s.gameFileName = gameFileName;
    s.showThinking = controller.status().showThinking;
    s.engine = controller.engineOptions();
    const DisplayOptions& d = controller.display();
    s.pieceSet = static_cast<std::int8_t>(d.pieceSet);
    s.darkColour = d.darkColour;
    s.lightColour = d.lightColour;
    s.borderColour = d.borderColour;
    s.showPossibleMoves = d.showPossibleMoves;
    s.algebraicNotation = d.algebraic;
    s.showCoordinates = d.showCoordinates;
    s.shadedPieces = d.shadedPieces;
    s.humanVsHuman = controller.state().humanVsHuman;
    s.boardTurned = d.boardTurned;
    return s;
}

}  // namespace quorvel
