#pragma once
// One small interface for everything modal the program asks the platform
// for: message boxes, the beep, the file, colour and promotion choosers.
// The Qt implementation shows real dialogs; tests answer them.

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace quorvel {

// Captions of the program's boxes.
inline QString infoCaption() {
    return QStringLiteral("Quorvel 1.0");
}  // information, questions
inline QString checkCaption() {
    return QStringLiteral("QuorVEL 1.0");
}  // check and mate
inline QString errorCaption() {
    return QStringLiteral("Erreur Quorvel 1.0");
}  // files and start-up
inline QString siteErrorCaption() {
    return QStringLiteral("Erreur Quorvel");
}  // update check, diagnostics

enum class BoxIcon { none, information, exclamation, question };
enum class BoxButtons { ok, yesNo };
enum class BoxAnswer { ok, yes, no };

class DialogService {
public:
    virtual ~DialogService() = default;

    virtual BoxAnswer message(const QString& caption, const QString& text, BoxIcon icon,
                              BoxButtons buttons = BoxButtons::ok) = 0;
    virtual void beep() = 0;
    // nullopt when cancelled.
    virtual std::optional<QString> openFileName(const QString& filter, const QString& defaultName) = 0;
    virtual std::optional<QString> saveFileName(const QString& filter, const QString& defaultName) = 0;
    virtual std::optional<QColor> chooseColour(const QColor& initial) = 0;
    // The promotion chooser: returns the chosen piece code (12..15, the
    // human's codes), 12 (queen) when closed without a choice.
    virtual int choosePromotion(int pieceSet, bool playerIsBlack) = 0;
    // One of the games of a PGN file, by its index in `games`; nullopt when
    // cancelled.
    virtual std::optional<int> chooseGame(const QStringList& games) = 0;
    // A box with buttons of its own: the index of the one pressed; a box
    // closed otherwise (Escape, the close box) gives the last.
    virtual int ask(const QString& caption, const QString& text, BoxIcon icon,
                    const QStringList& buttons) = 0;

    // What went wrong with a file, a folder or the book: the beep, then the
    // error box.
    void error(const QString& text) {
        beep();
        message(errorCaption(), text, BoxIcon::exclamation);
    }
};

}  // namespace quorvel
