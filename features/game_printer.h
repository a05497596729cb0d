#pragma once
// "&Imprimer...": the print dialog, the progress window, then the score of
// the game on the chosen printer, in a fixed-pitch font so the columns line
// up. Any QPrinter works, a PDF file included.

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

class QPrinter;

namespace quorvel {

class DialogService;

class GamePrinter {
public:
    explicit GamePrinter(DialogService& dialogs, QWidget* parent = nullptr)
        : dialogs_(dialogs), parent_(parent) {}

    // The whole command. `halfMoves` comes from printedHalfMoves. Cancelling
    // the print dialog prints nothing and says nothing.
    void printCommand(const std::vector<std::string>& halfMoves);

    // Prints the score on `printer`. Shows "Impossible d'imprimer" and
    // returns false when nothing could be printed.
    bool print(QPrinter& printer, const std::vector<std::string>& halfMoves);

    // The progress window's tick, 1000 ms; shorter in tests.
    void setProgressTick(int ms) { progressTickMs_ = ms; }

private:
    void reportFailure();

    DialogService& dialogs_;
    QPointer<QWidget> parent_;
    int progressTickMs_ = 1000;
};

}  // namespace quorvel
