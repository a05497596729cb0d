#include "window/game_timers.h"

namespace quorvel {

GameTimers::GameTimers(QObject* parent) : QObject(parent) {
    second_.setInterval(1000);
    tenth_.setInterval(tenthMs_);
    // Coarse timers may fire late; the clocks should not drift by a tenth.
    second_.setTimerType(Qt::PreciseTimer);
    tenth_.setTimerType(Qt::PreciseTimer);
    connect(&second_, &QTimer::timeout, this, &GameTimers::secondElapsed);
    connect(&tenth_, &QTimer::timeout, this, &GameTimers::tenthElapsed);
}

void GameTimers::start() {
    second_.start();
    tenth_.start();
}

void GameTimers::stop() {
    second_.stop();
    tenth_.stop();
}

void GameTimers::setIntervals(int secondMs, int tenthMs) {
    tenthMs_ = tenthMs;
    second_.setInterval(secondMs);
    tenth_.setInterval(tenthMs);
}

}  // namespace quorvel
