#pragma once
// Pixel geometry of the board picture and the toolbar strip above it, and the
// mapping between picture squares and squares of the stored position.
//
// The board is drawn into a 480 x 480 image whose region from (20, 20),
// 450 x 450 pixels, is shown at client position (12, 30). Columns and rows of
// the picture (c, r) run 1..8 from the left and from the top.

#include <QPoint>
#include <QRect>
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

}  // namespace quorvel::board
