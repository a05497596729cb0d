#pragma once
// Pixel geometry of the board picture and the toolbar strip above it, and the
// mapping between picture squares and squares of the stored position.
//
// The board is drawn into a 480 x 480 image whose region from (20, 20),
// 450 x 450 pixels, is shown at client position (12, 30). Columns and rows of
// the picture (c, r) run 1..8 from the left and from the top.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace quorvel::board {

constexpr int kSquareSize = 50;
constexpr int kImageSize = 480;
constexpr QPoint kImageSource{20, 20};
constexpr int kShownSize = 450;
constexpr QPoint kClientOrigin{12, 30};

// A square of the stored position: X the file 1..8, Y the row 1..8; 0 when
// off the board.
struct Square {
    int x = 0;
    int y = 0;
    bool onBoard() const { return x >= 1 && x <= 8 && y >= 1 && y <= 8; }
    friend bool operator==(const Square&, const Square&) = default;
};

// The picture square (c, r) in image coordinates; right and bottom edges
// exclusive, so neighbours share their one-pixel outline.
QRect squareRectInImage(int c, int r);
// The same square in client coordinates of the window.
QRect squareRectInClient(int c, int r);

// Which square of the stored position is shown at picture square (c, r).
Square shownSquare(int c, int r, bool playerIsBlack, bool boardTurned);
// Where a stored square is drawn: the inverse of shownSquare.
QPoint pictureSquareOf(Square square, bool playerIsBlack, bool boardTurned);

// The hit test of a left click at client (x, y): y below 54 is off the board.
Square hitSquare(int x, int y, bool playerIsBlack, bool boardTurned);

// a8 and h1 are light, in every view: turning by 180 degrees keeps the
// colour of the corner squares.
bool isLightPictureSquare(int c, int r);

// Toolbar: zones 1..7 hold icons, zone 0 lies over the history control.
constexpr int kToolbarZones = 7;
// Zone under the pointer at client (x, y), or -1 outside every zone.
int toolbarZoneAt(int x, int y);
// Client position of zone z's icon (1..7).
QPoint toolbarIconPosition(int zone);
// Help text shown on the status line while the pointer is over zone 0..7.
QString toolbarHelpText(int zone);

// The board view at its current size. Everything above is the geometry of
// the window at its smallest ("base" coordinates); a larger view shows the
// board picture larger, square and centred, with the toolbar strip its own
// size right above it. This class maps between the two: where the board and
// the toolbar lie on the screen, and which base point a point of the view is.
class ViewGeometry {
public:
    // The view at the window's smallest: the toolbar strip, the board and
    // its margins.
    static constexpr QSize kBaseViewSize{kClientOrigin.x() + kShownSize + 8,
                                         kClientOrigin.y() + kShownSize + 2};

    // The base size on a screen of scale 1.
    ViewGeometry() = default;
    // The geometry for a view of `viewSize` logical pixels on a screen of
    // `screenScale` device pixels per pixel.
    static ViewGeometry fitting(QSize viewSize, qreal screenScale);

    // Logical pixels per base pixel of the board (1 at the base size).
    qreal zoom() const { return pictureScale_ / screenScale_; }
    qreal screenScale() const { return screenScale_; }
    // Device pixels per pixel of the 480-pixel board picture: the picture is
    // drawn at this scale and shown without any resampling.
    qreal pictureScale() const { return pictureScale_; }
    // Where the toolbar strip lies, relative to its base place.
    QPointF toolbarShift() const { return shift_; }

    // The shown 450 x 450 region of the picture, on the screen.
    QRectF boardRect() const;
    // The rectangle of picture square (c, r) on the screen.
    QRectF pictureSquareRect(int c, int r) const;
    // The rectangle of the stored square on the screen, in the view's
    // coordinates at its current size: for drawing over a square (a marker,
    // a focus frame, an arrow's ends) or clicking on it.
    QRectF squareRect(Square stored, bool playerIsBlack, bool boardTurned) const;
    // The base rectangle `base` (part of the board) on the screen.
    QRectF fromBase(const QRectF& base) const;
    // Toolbar zone z's icon on the screen (zone 1..7).
    QPointF toolbarIconPosition(int zone) const;

    // The base point a point of the view stands for: the board's points
    // scaled back, the toolbar strip's moved back. The mouse input works in
    // base points, whatever the size.
    QPoint toBase(QPointF view) const;

    friend bool operator==(const ViewGeometry&, const ViewGeometry&) = default;

private:
    qreal screenScale_ = 1;
    qreal pictureScale_ = 1;
    QPointF shift_{0, 0};  // the board block's offset from its base place
};

}  // namespace quorvel::board
