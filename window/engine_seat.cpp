#include "window/engine_seat.h"

#include <QMetaObject>
#include <algorithm>

#include "window/engine_play.h"

namespace quorvel {

EngineSeat::EngineSeat(EngineEntry entry, EngineTimeouts timeouts, QObject* parent)
    : QObject(parent), entry_(std::move(entry)), timeouts_(timeouts) {
    offers_.name = entry_.name;
}

EngineSeat::~EngineSeat() {
    // Each engine's destructor ends its process and waits until it is reaped.
    engine_.reset();
    retired_.clear();
}

bool EngineSeat::running() const {
    return engine_ && engine_->state() != EngineState::ended;
}

void EngineSeat::setStrength(const EngineStrength& strength) {
    entry_.strength = strength;
    if (!ready()) return;
    for (const auto& [name, value] : strengthSettings(entry_.strength, offers_))
        engine_->setOption(name, value);
}

void EngineSeat::start() {
    if (running()) return;
    if (engine_) retire();
    engine_ = makeUciEngine(timeouts_);
    gone_ = std::make_shared<std::atomic<bool>>(false);
    const int generation = ++generation_;
    ready_ = false;
    lastGame_.reset();
    // The callbacks run on the engine's thread: each hops to the window's
    // thread, where an answer of an engine since replaced is dropped.
    auto onWindowThread = [this, generation](auto act) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, act = std::move(act)] {
                if (generation == generation_) act();
            },
            Qt::QueuedConnection);
    };
    EngineEvents events;
    events.ready = [this, onWindowThread](const EngineOffers& offers) {
        onWindowThread([this, offers] {
            offers_ = offers;
            ready_ = true;
            // Before any search: the first move is already played at the
            // strength chosen.
            for (const auto& [name, value] : strengthSettings(entry_.strength, offers_))
                engine_->setOption(name, value);
            Q_EMIT readied();
        });
    };
    events.progress = [this, onWindowThread](const SearchProgress& progress) {
        onWindowThread([this, progress] { Q_EMIT progressed(progress); });
    };
    events.answered = [this, onWindowThread](const SearchAnswer& answer) {
        onWindowThread([this, answer] { Q_EMIT answered(answer); });
    };
    events.failed = [this, onWindowThread](const EngineFault& fault) {
        onWindowThread([this, fault] {
            if (fault.kind != EngineFaultKind::illegalMove) ready_ = false;
            Q_EMIT failed(fault);
        });
    };
    // Whichever engine ended, current or left behind, the reaping is the
    // window thread's.
    events.ended = [this, gone = gone_] {
        gone->store(true);
        QMetaObject::invokeMethod(
            this, [this] { reapEnded(); }, Qt::QueuedConnection);
    };
    EngineCommand command{entry_.program, entry_.arguments};
    engine_->start(command, std::move(events));
}

SearchStart EngineSeat::search(const GameForEngine& game, const GoRequest& limits) {
    if (!running()) return {0, "the engine is not running"};
    if (lastGame_ && !continuesGame(*lastGame_, game)) engine_->newGame();
    lastGame_ = game;
    SearchRequest request;
    request.fen = game.fen;
    request.moves = game.moves;
    request.limits = limits;
    return engine_->search(request);
}

std::chrono::milliseconds EngineSeat::patience(const GoRequest& limits, bool whiteToMove) const {
    using std::chrono::milliseconds;
    const milliseconds deadline =
        searchDeadline(limits, whiteToMove, timeouts_).value_or(timeouts_.openSearch);
    return deadline + timeouts_.ready + timeouts_.stopGrace + timeouts_.quitGrace + timeouts_.termGrace +
           milliseconds(5000);
}

void EngineSeat::stop() {
    if (engine_) engine_->stop();
}

void EngineSeat::cancel() {
    if (engine_) engine_->cancel();
}

void EngineSeat::quit() {
    if (engine_) retire();
    ready_ = false;
    ++generation_;
}

void EngineSeat::retire() {
    engine_->quit();
    retired_.push_back({std::move(engine_), std::move(gone_)});
    lastGame_.reset();
    // One that has ended already gets no further event.
    reapEnded();
}

void EngineSeat::reapEnded() {
    const auto before = retired_.size();
    // Only a reaped process is let go here: the destructor of one still
    // ending would wait for it on the window's thread.
    std::erase_if(retired_, [](const Held& held) { return held.gone->load(); });
    if (retired_.size() != before) Q_EMIT reaped();
}

}  // namespace quorvel
