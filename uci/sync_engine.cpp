#include "uci/sync_engine.h"

#include <algorithm>

namespace quorvel {

SyncEngine::SyncEngine(std::unique_ptr<ChessEngine> engine) : engine_(std::move(engine)) {}

SyncEngine::~SyncEngine() {
    // The engine's thread calls back into this object: it ends first.
    engine_.reset();
}

std::variant<EngineOffers, EngineFault> SyncEngine::start(const EngineCommand& command) {
    EngineEvents events;
    auto note = [this](auto change) {
        {
            std::lock_guard lock(mutex_);
            change();
        }
        changed_.notify_all();
    };
    events.ready = [note, this](const EngineOffers& offers) { note([&] { offers_ = offers; }); };
    events.answered = [note, this](const SearchAnswer& answer) { note([&] { answer_ = answer; }); };
    events.failed = [note, this](const EngineFault& fault) { note([&] { faults_.push_back(fault); }); };
    events.ended = [note, this] { note([&] { ended_ = true; }); };
    started_ = true;
    engine_->start(command, std::move(events));
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return offers_ || !faults_.empty() || ended_; });
    if (offers_) return *offers_;
    if (!faults_.empty()) return faults_.front();
    return EngineFault{EngineFaultKind::notAnswering, 0, {}, "the engine ended during the handshake"};
}

void SyncEngine::setOption(const std::string& name, const std::string& value) {
    engine_->setOption(name, value);
}

void SyncEngine::newGame() {
    engine_->newGame();
}

SearchOutcome SyncEngine::search(const SearchRequest& request) {
    SearchOutcome outcome;
    std::unique_lock lock(mutex_);
    answer_.reset();
    const std::size_t faultsBefore = faults_.size();
    lock.unlock();
    const SearchStart started = engine_->search(request);
    if (!started) {
        outcome.refused = started.problem;
        return outcome;
    }
    lock.lock();
    // A fault that ends the engine ends every search, whatever number it names.
    auto faultFor = [&]() -> std::optional<EngineFault> {
        for (std::size_t i = faultsBefore; i < faults_.size(); ++i) {
            const EngineFault& fault = faults_[i];
            if (fault.searchNumber == started.number || fault.kind != EngineFaultKind::illegalMove)
                return fault;
        }
        return std::nullopt;
    };
    changed_.wait(
        lock, [&] { return (answer_ && answer_->searchNumber == started.number) || faultFor() || ended_; });
    if (answer_ && answer_->searchNumber == started.number) {
        outcome.answer = answer_;
    } else if (const auto fault = faultFor()) {
        outcome.fault = fault;
    } else {
        outcome.fault = EngineFault{EngineFaultKind::stopped, started.number, {}, "the engine has ended"};
    }
    return outcome;
}

void SyncEngine::quit() {
    engine_->quit();
    // An engine never started has no thread to say it ended.
    if (!started_) return;
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return ended_; });
}

bool SyncEngine::running() const {
    std::lock_guard lock(mutex_);
    return !ended_ && engine_->state() != EngineState::ended;
}

}  // namespace quorvel
