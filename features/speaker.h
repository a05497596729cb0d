#pragma once
// Speaks texts aloud. The announcements of moves and the state of the game
// go through this interface, so tests read what would have been said
// (features/fake_speaker.h) and a machine without a speech engine loses
// nothing but the voice.

#include <QObject>
#include <QString>
#include <memory>

namespace quorvel {

class Speaker : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~Speaker() override = default;

    // A speech engine answers, so what is said is heard.
    virtual bool available() const = 0;
    // When none does: what to install, for the option's tooltip.
    virtual QString unavailableReason() const = 0;
    // Says `text`; with `interrupt`, what is still being said stops first
    // (the board's squares, passed by quickly), otherwise it waits its turn.
    virtual void say(const QString& text, bool interrupt = false) = 0;
    // Reaches the engine now (the announcements were just turned on), so a
    // failure shows at once rather than at the first move.
    virtual void prepare() {}

Q_SIGNALS:
    // The engine failed since available() last said yes.
    void availabilityChanged();
};

// What to install for a French voice.
QString speechPackagesAdvice();

// The system's speech engine (Qt TextToSpeech through speech-dispatcher)
// when the program was built with it; a speaker that is never available
// otherwise. It reaches the engine only when it first speaks.
std::unique_ptr<Speaker> makeSystemSpeaker();

// A speaker that is never available: the window's until start-up gives it
// the system's.
std::unique_ptr<Speaker> makeSilentSpeaker();

}  // namespace quorvel
