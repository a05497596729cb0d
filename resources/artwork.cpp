#include "resources/artwork.h"

#include <array>
#include <map>

#include "resources/piece_renderer.h"
#include "resources/title_logo.h"
#include "resources/toolbar_icons.h"

namespace quorvel::art {

namespace {

// Pixmaps live on the window thread; the board repaints often, so every
// picture is drawn once, on first use, and kept for the whole run.
struct CachedPiece {
    QPixmap white, black, shadow;
    QImage mask;
};

int setKey(int pieceSet) {
    return pieceSet == 20 || pieceSet == 40 ? pieceSet : 0;
}

const CachedPiece& cachedPiece(int pieceSet, PieceType type) {
    static std::map<std::pair<int, PieceType>, CachedPiece> cache;
    const auto key = std::make_pair(setKey(pieceSet), type);
    auto found = cache.find(key);
    if (found == cache.end()) {
        const PiecePictures pictures = renderPiece(key.first, type);
        found = cache
                    .emplace(key, CachedPiece{QPixmap::fromImage(pictures.white),
                                              QPixmap::fromImage(pictures.black),
                                              QPixmap::fromImage(pictures.shadow), pictures.mask})
                    .first;
    }
    return found->second;
}

}  // namespace

PieceType pieceTypeOf(int code) {
    switch (code % 10) {
        case 1:
            return PieceType::king;
        case 2:
            return PieceType::queen;
        case 3:
            return PieceType::rook;
        case 4:
            return PieceType::knight;
        case 5:
            return PieceType::bishop;
        default:
            return PieceType::pawn;
    }
}

QPixmap pieceImage(int pieceSet, bool white, PieceType type) {
    const CachedPiece& piece = cachedPiece(pieceSet, type);
    return white ? piece.white : piece.black;
}

QImage pieceMask(int pieceSet, PieceType type) {
    return cachedPiece(pieceSet, type).mask;
}

QPixmap pieceShadow(int pieceSet, PieceType type) {
    return cachedPiece(pieceSet, type).shadow;
}

QPixmap toolbarIcon(int zone, bool highlighted) {
    static std::map<std::pair<int, bool>, QPixmap> cache;
    const auto key = std::make_pair(zone, highlighted);
    auto found = cache.find(key);
    if (found == cache.end())
        found = cache.emplace(key, QPixmap::fromImage(drawToolbarIcon(zone, highlighted))).first;
    return found->second;
}

QPixmap titleLogo() {
    static const QPixmap logo = QPixmap::fromImage(drawTitleLogo());
    return logo;
}

QIcon applicationIcon() {
    static const QIcon icon = [] {
        QIcon made;
        for (const int side : {16, 24, 32, 48, 64, 128, 256})
            made.addPixmap(QPixmap::fromImage(drawIconEmblem(side)));
        return made;
    }();
    return icon;
}

}  // namespace quorvel::art
