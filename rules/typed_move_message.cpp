// The sentences that say why a typed move was not played.

#include "french_words.h"
#include "typed_move.h"

namespace quorvel {

namespace {

const std::string kExamples = "e4, Cf3, exd5, O-O, e8=D ou g1f3";

// "sur la colonne b", "sur la rangée 1", "en b1" or "".
std::string whereFrom(const std::string& from) {
    if (from.size() == 2) return " en " + from;
    if (from.size() == 1 && from[0] >= 'a' && from[0] <= 'h') return " sur la colonne " + from;
    if (from.size() == 1) return " sur la rangée " + from;
    return {};
}

// "de la colonne b", "de la rangée 1" for a group of pieces.
std::string ofGroup(const std::string& from) {
    if (from.size() == 1 && from[0] >= 'a' && from[0] <= 'h') return " de la colonne " + from;
    if (from.size() == 1) return " de la rangée " + from;
    return {};
}

std::string cannotReach(const TypedMoveProblem& p) {
    const std::string target = " en " + p.to;
    if (p.kingOrRook) {
        const std::string rooks = p.pieceCount > 1 ? "les tours" : "la tour";
        return "ni le roi ni " + rooks + " ne peuvent aller" + target;
    }
    if (p.from.size() == 2) return withArticle(p.kind) + " en " + p.from + " ne peut pas aller" + target;
    if (p.pieceCount <= 1) return withArticle(p.kind) + ofGroup(p.from) + " ne peut pas aller" + target;
    const std::string none = isFeminine(p.kind) ? "aucune " : "aucun ";
    return none + std::string(pieceName(p.kind)) + ofGroup(p.from) + " ne peut aller" + target;
}

std::string reason(const TypedMoveProblem& p) {
    switch (p.fault) {
        case TypedMoveFault::noSuchPiece:
            return "vous n'avez pas de " + std::string(pieceName(p.kind)) + whereFrom(p.from);
        case TypedMoveFault::emptySquare:
            return "la case " + p.from + " est vide";
        case TypedMoveFault::notYourPiece:
            return withArticle(p.kind) + " en " + p.from + " n'est pas à vous";
        case TypedMoveFault::ownPieceOnTarget:
            return "votre " + std::string(pieceName(p.kind)) + " occupe déjà " + p.to;
        case TypedMoveFault::cannotReach:
            return cannotReach(p);
        case TypedMoveFault::kingLeftInCheck:
            return p.inCheck ? "votre roi resterait en échec" : "votre roi serait en échec";
        case TypedMoveFault::castlingLost:
            return "vous ne pouvez plus roquer de ce côté";
        case TypedMoveFault::castlingBlocked:
            return "des pièces séparent le roi et la tour";
        case TypedMoveFault::castlingOutOfCheck:
            return "on ne roque pas pour sortir d'un échec";
        case TypedMoveFault::castlingThroughCheck:
            return "le roi passerait ou arriverait sur une case attaquée";
        case TypedMoveFault::notPromotion:
            return "seul un pion qui atteint la dernière rangée est promu";
        default:
            return {};
    }
}

}  // namespace

std::string typedMoveMessage(const TypedMoveProblem& p) {
    switch (p.fault) {
        case TypedMoveFault::empty:
            return "Tapez un coup, par exemple " + kExamples;
        case TypedMoveFault::unreadable:
            return "Coup illisible : « " + p.text + " ». Tapez par exemple " + kExamples;
        case TypedMoveFault::ambiguous:
            return "Coup ambigu : " + frenchList(p.candidates, "ou") + " ?";
        default:
            return "Coup impossible : " + reason(p);
    }
}

}  // namespace quorvel
