#include "resources/artwork.h"

#include <array>
#include <cmath>
#include <deque>
#include <map>
#include <tuple>

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

// Scales are kept in hundredths: 1.5 and 1.4999999 are one picture.
int scaleKey(qreal scale) {
    return qRound(usableScale(scale) * 100);
}

// A board drawn larger asks for the pieces at new scales as the window is
// resized: the pictures of the few scales used last are kept, the others
// dropped, so a resize does not pile up sets of pictures.
constexpr std::size_t kPieceScalesKept = 4;

const CachedPiece& cachedPiece(int pieceSet, PieceType type, qreal scale) {
    static std::map<std::tuple<int, PieceType, int>, CachedPiece> cache;
    static std::deque<int> scalesUsed;  // the latest last
    const auto key = std::make_tuple(setKey(pieceSet), type, scaleKey(scale));
    const int usedScale = std::get<2>(key);
    if (scalesUsed.empty() || scalesUsed.back() != usedScale) {
        std::erase(scalesUsed, usedScale);
        scalesUsed.push_back(usedScale);
        if (scalesUsed.size() > kPieceScalesKept) {
            const int dropped = scalesUsed.front();
            scalesUsed.pop_front();
            std::erase_if(cache,
                          [dropped](const auto& entry) { return std::get<2>(entry.first) == dropped; });
        }
    }
    auto found = cache.find(key);
    if (found == cache.end()) {
        const PiecePictures pictures = renderPiece(std::get<0>(key), type, std::get<2>(key) / 100.0);
        found = cache
                    .emplace(key, CachedPiece{QPixmap::fromImage(pictures.white),
                                              QPixmap::fromImage(pictures.black),
                                              QPixmap::fromImage(pictures.shadow), pictures.mask})
                    .first;
    }
    return found->second;
}

}  // namespace

int devicePixels(qreal logical, qreal scale) {
    return static_cast<int>(std::ceil(logical * usableScale(scale) - 1e-9));
}

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

QPixmap pieceImage(int pieceSet, bool white, PieceType type, qreal scale) {
    const CachedPiece& piece = cachedPiece(pieceSet, type, scale);
    return white ? piece.white : piece.black;
}

QImage pieceMask(int pieceSet, PieceType type, qreal scale) {
    return cachedPiece(pieceSet, type, scale).mask;
}

QPixmap pieceShadow(int pieceSet, PieceType type, qreal scale) {
    return cachedPiece(pieceSet, type, scale).shadow;
}

QPixmap toolbarIcon(int zone, bool highlighted, qreal scale) {
    static std::map<std::tuple<int, bool, int>, QPixmap> cache;
    const auto key = std::make_tuple(zone, highlighted, scaleKey(scale));
    auto found = cache.find(key);
    if (found == cache.end())
        found = cache
                    .emplace(key,
                             QPixmap::fromImage(drawToolbarIcon(zone, highlighted, std::get<2>(key) / 100.0)))
                    .first;
    return found->second;
}

QPixmap titleLogo(qreal scale) {
    return titleLogo(QSize(kLogoWidth, kLogoHeight), scale);
}

QPixmap titleLogo(QSize size, qreal scale) {
    static std::map<std::tuple<int, int, int>, QPixmap> cache;
    const auto key = std::make_tuple(size.width(), size.height(), scaleKey(scale));
    auto found = cache.find(key);
    if (found == cache.end())
        found = cache.emplace(key, QPixmap::fromImage(drawTitleLogo(size, std::get<2>(key) / 100.0))).first;
    return found->second;
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
