#pragma once
// The controls of the main window's client area, placed in dialog units:
// the buttons under the board, the title logo, the "Mouvements", "Horloges"
// and "Recherche" groups with their fields, and the two up-down controls.
// The board itself is not a control: the board view covers the left part.

#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace quorvel {

class DialogUnits;
class MoveField;
class UpDownControl;

struct WindowLayout {
    static constexpr int kWidthUnits = 386;   // before the move cells grow
    static constexpr int kHeightUnits = 280;  // the buttons under the board below the field "Coup :"
    // The move cells' font is this many points below the window's.
    static constexpr int kMoveCellFontDrop = 2;

    int widthUnits = kWidthUnits;  // the client's width as built

    // Move list cells in half-move order (row 1 Blancs, row 1 Noirs, ...).
    std::array<QLineEdit*, 10> moveCells{};
    std::array<QLineEdit*, 5> moveNumbers{};
    QLineEdit* whiteClock = nullptr;
    QLineEdit* blackClock = nullptr;
    QLineEdit* score = nullptr;
    QLineEdit* nodes = nullptr;
    QLineEdit* depth = nullptr;
    QLineEdit* memory = nullptr;
    QPlainTextEdit* status = nullptr;
    UpDownControl* listScroll = nullptr;  // control 1064
    UpDownControl* history = nullptr;     // control 1074
    QPushButton* quit = nullptr;
    QPushButton* about = nullptr;
    QPushButton* help = nullptr;
    QPushButton* stop = nullptr;
    QPushButton* takeBack = nullptr;
    QLabel* logo = nullptr;
    QLabel* moveLabel = nullptr;  // "Coup :"
    MoveField* moveField = nullptr;
    QGroupBox* searchGroup = nullptr;  // "Recherche"

    // Creates every control on `client` and gives the client its smallest
    // size, the one the layout is made for.
    void build(QWidget* client, const DialogUnits& units);
    QSize baseClientSize() const { return baseClientSize_; }
    // Places the controls for a client grown by `growth` beyond its
    // smallest size: the panel keeps to the right edge, its search report
    // taking the extra height; the buttons under the board keep to the
    // bottom, centred under it; the history arrows stay over their toolbar
    // zone, which `toolbarShift` moved.
    void stretch(QSize growth, QPointF toolbarShift);
    // Draws the logo at its place's size for a screen of `scale` device
    // pixels per pixel, so it is never enlarged from a smaller picture.
    void drawLogo(qreal scale);

    // Widens the search figures' fields to their longest texts; the right
    // column ends at `rightEdgeUnits`.
    void sizeSearchFields(const DialogUnits& units, int rightEdgeUnits);
    // Gives the move numbers room for three digits.
    void sizeMoveNumbers(const DialogUnits& units);
    // The field "Coup :" under the board, its label before it.
    void placeMoveField(const DialogUnits& units);
    // The names screen readers give the controls.
    void nameControls();
    static int moveCellGrowth(QWidget* client, const DialogUnits& units);

    // The texts of the fields, for tests.
    QString statusText() const;

private:
    // How a control follows the client's growth.
    enum class Anchor { panel, panelGrowingDown, panelBottom, underBoard, toolbar };
    struct Placed {
        QWidget* widget;
        QRect base;  // its place at the client's smallest size
        Anchor anchor;
    };
    void recordPlaces(QWidget* client);

    QSize baseClientSize_;
    std::vector<Placed> places_;
};

}  // namespace quorvel
