#pragma once
// Draws the board picture from the game state: frame, coordinates, squares
// with the marker and the reachable squares, pieces with their shadows. The
// picture is rebuilt whole for every repaint and shown with one copy.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <array>
#include <cstdint>
#include <optional>

#include "window/board_geometry.h"
#include "window/play_state.h"

namespace quorvel {

// 0x00BBGGRR, as the settings file keeps colours.
QColor colourFromBgr(std::uint32_t value);
std::uint32_t bgrFromColour(const QColor& colour);

// The stored square of a king in check on `position`, if there is one.
std::optional<board::Square> checkedKing(const Position& position, StateWord state);

class BoardRenderer {
public:
    static constexpr QRgb kMarker = qRgb(255, 0, 0);
    static constexpr QRgb kReachableA = qRgb(160, 0, 0);
    static constexpr QRgb kReachableB = qRgb(200, 0, 0);
    // The square of a king in check: an orange far from the light and the
    // dark squares' colours alike, and from the marker's reds.
    static constexpr QRgb kCheck = qRgb(255, 150, 0);

    explicit BoardRenderer(QFont font) : font_(std::move(font)) {}

    // The 480 x 480 image; its region from (20, 20), 450 x 450, is shown.
    // Drawn at `scale` device pixels per pixel (the screen's ratio), which
    // the image carries: every geometry stays in logical pixels.
    QImage render(const PlayState& play, const DisplayOptions& display, qreal scale = 1);

private:
    struct PieceSetImages {
        int pieceSet = -1;
        qreal scale = 0;
        std::array<QPixmap, 6> white;
        std::array<QPixmap, 6> black;
        std::array<QPixmap, 6> shadow;
    };

    void drawFrame(QImage& image) const;
    void drawCoordinates(QImage& image, bool fromBlack) const;
    void drawSquares(QImage& image, const PlayState& play, const DisplayOptions& display) const;
    void drawPieces(QImage& image, const PlayState& play, const DisplayOptions& display);
    const PieceSetImages& piecesOf(int pieceSet, qreal scale);

    QFont font_;
    PieceSetImages cache_;
};

}  // namespace quorvel
