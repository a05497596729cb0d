#include "uci/engine_analyst.h"

namespace quorvel {

std::string engineFaultText(const EngineFault& fault, const std::string& engineName) {
    switch (fault.kind) {
        case EngineFaultKind::notAnswering:
        case EngineFaultKind::timeout:
            return "Le moteur " + engineName + " ne répond pas";
        case EngineFaultKind::stopped:
            return "Le moteur " + engineName + " s'est arrêté";
        case EngineFaultKind::illegalMove:
            break;
    }
    return "Coup illégal du moteur " + engineName + " : " + fault.move;
}

EngineAnalyst::EngineAnalyst(EngineCommand command, std::unique_ptr<ChessEngine> engine)
    : name_(command.shortName()), engine_(std::move(engine)) {
    engine_->start(command, events());
    startWorker();
}

EngineAnalyst::~EngineAnalyst() {
    stopWorker();
    // Quits the engine and reaps its process; no event comes after.
    engine_.reset();
}

std::string EngineAnalyst::name() const {
    std::lock_guard lock(mutex_);
    return name_;
}

EngineEvents EngineAnalyst::events() {
    // Called on the client's thread, one at a time.
    EngineEvents events;
    events.ready = [this](const EngineOffers& offers) {
        std::lock_guard lock(mutex_);
        if (!offers.name.empty()) name_ = offers.name;
    };
    // Engines end a search with a bound as often as not ("score cp 35
    // upperbound"): the last exact score of the best line is kept.
    events.progress = [this](const SearchProgress& progress) {
        std::lock_guard lock(mutex_);
        if (progress.searchNumber <= finished_) return;
        if (const auto score = analysisScoreOf(progress.info)) {
            heardExact_ = score;
            heardExactLine_ = progress.info.pv;
        }
    };
    events.answered = [this](const SearchAnswer& answer) {
        {
            std::lock_guard lock(mutex_);
            // The search under way may answer before search() has said its
            // number; earlier ones are over.
            if (answer.searchNumber <= finished_) return;
            heardAnswer_ = answer;
        }
        changed_.notify_all();
    };
    events.failed = [this](const EngineFault& fault) {
        {
            std::lock_guard lock(mutex_);
            if (fault.kind != EngineFaultKind::illegalMove) lastFault_ = fault;
            if (fault.searchNumber != 0 && fault.searchNumber <= finished_) return;
            heardFault_ = fault;
        }
        changed_.notify_all();
    };
    events.ended = [this] {
        {
            std::lock_guard lock(mutex_);
            ended_ = true;
        }
        changed_.notify_all();
    };
    return events;
}

Analysis EngineAnalyst::run(std::unique_lock<std::mutex>& lock, const Job& job) {
    Analysis analysis;
    analysis.request = job.number;
    if (ended_ || lastFault_) {
        analysis.problem =
            lastFault_ ? engineFaultText(*lastFault_, name_) : "Le moteur " + name_ + " s'est arrêté";
        return analysis;
    }
    running_ = true;
    stopWanted_ = false;
    heardAnswer_.reset();
    heardFault_.reset();
    heardExact_.reset();
    heardExactLine_.clear();
    SearchRequest request;
    request.fen = job.request.game.fen;
    request.moves = job.request.game.moves;
    request.limits.moveTime = std::max<long long>(1, job.request.time.count());
    lock.unlock();
    const SearchStart start = engine_->search(request);
    lock.lock();
    if (!start) {
        running_ = false;
        analysis.problem = "Position refusée : " + start.problem;
        return analysis;
    }
    auto heard = [this] { return heardAnswer_ || heardFault_ || ended_; };
    changed_.wait(lock, [&] { return heard() || stopWanted_ || closing_; });
    analysis.complete = heardAnswer_.has_value();
    if (!heard()) {
        // "stop": the engine answers with what it has; the client's own
        // deadline ends an engine that does not.
        lock.unlock();
        engine_->stop();
        lock.lock();
        changed_.wait(lock, heard);
    }
    running_ = false;
    finished_ = std::max(finished_, start.number);
    if (heardAnswer_) {
        analysis.bestMove = heardAnswer_->move;
        const UciInfo& info = heardAnswer_->info;
        analysis.score = analysisScoreOf(info);
        analysis.line = info.pv;
        if (!analysis.score && heardExact_) {
            analysis.score = heardExact_;
            analysis.line = heardExactLine_;
        }
        if (!analysis.score && info.score && info.multiPv.value_or(1) == 1) {
            // Only a bound: its number is the engine's last word all the same.
            UciInfo exact = info;
            exact.score->lowerBound = exact.score->upperBound = false;
            analysis.score = analysisScoreOf(exact);
        }
        if (analysis.line.empty() || analysis.line.front() != analysis.bestMove)
            analysis.line = {analysis.bestMove};
    } else {
        analysis.complete = false;
        analysis.problem =
            heardFault_ ? engineFaultText(*heardFault_, name_) : "Le moteur " + name_ + " s'est arrêté";
    }
    return analysis;
}

}  // namespace quorvel
