#pragma once
// "Pièces capturées :": the pieces missing from the board, Black's above
// White's, or "Pas de pièce capturée", beside the captured-pieces clip.

#include <QDialog>
#include <vector>

#include "features/captured_layout.h"

namespace quorvel {

class ClipPlayer;

class CapturedPiecesWindow : public QDialog {
    Q_OBJECT
public:
    // `whiteLower`: the live position, mirrored back when the human plays
    // Black. `pieceSet`: 0, 20 or 40. `clipPath`: "pieceprise.avi".
    CapturedPiecesWindow(const Position& whiteLower, int pieceSet, const QString& clipPath,
                         QWidget* parent = nullptr);

    static void showCaptured(const Position& whiteLower, int pieceSet, const QString& clipPath,
                             QWidget* parent = nullptr);

    const std::vector<PiecePlacement>& placements() const { return placements_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::vector<PiecePlacement> placements_;
    int pieceSet_;
    QString clipPath_;
    ClipPlayer* clip_;
};

}  // namespace quorvel
