#pragma once
// A Speaker for tests: keeps what it was asked to say.

#include <QStringList>

#include "features/speaker.h"

namespace quorvel {

class FakeSpeaker : public Speaker {
public:
    QStringList said;         // every text, in order
    bool engineWorks = true;  // what available() answers

    bool available() const override { return engineWorks; }
    QString unavailableReason() const override { return speechPackagesAdvice(); }
    void say(const QString& text, bool) override { said.append(text); }
    QString last() const { return said.isEmpty() ? QString() : said.last(); }
};

}  // namespace quorvel
