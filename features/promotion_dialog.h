#pragma once
// The chooser of the piece a pawn becomes: four pictures (queen, rook,
// knight, bishop) in the human's colour; a click on one closes it. Closing
// it any other way (close box, Escape) gives the queen.

#include <QDialog>
#include <optional>

namespace quorvel {

class PromotionDialog : public QDialog {
    Q_OBJECT
public:
    PromotionDialog(int pieceSet, bool playerIsBlack, QWidget* parent = nullptr);

    // Shows the chooser modally; returns the human's code 12..15.
    static int choose(int pieceSet, bool playerIsBlack, QWidget* parent = nullptr);

    // The code chosen by a click at `point` of the client area, or nullopt
    // when the click lies outside the picture band (60 < x < 210,
    // 10 <= y <= 40): x 61..89 queen, 90..139 rook, 140..189 knight,
    // 190..209 bishop.
    static std::optional<int> codeAt(QPoint point);

    int chosenCode() const { return chosen_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int pieceSet_;
    bool playerIsBlack_;
    int chosen_ = 12;
};

}  // namespace quorvel
