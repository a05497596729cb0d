#include "engine/search_driver.h"

#include <atomic>
#include <ctime>
#include <optional>
#include <vector>

#include "engine/opening_book.h"
#include "engine/search_reports.h"
#include "engine/search_tree.h"
#include "engine/tree_search.h"
#include "rules/game_end.h"
#include "rules/move_application.h"

namespace quorvel {

struct SearchDriver::Run {
    explicit Run(SearchStatus& status) : tree(status) {}

    SearchTree tree;
    GameRecord* record = nullptr;
    EngineOptions options;
    bool computerVsComputer = false;
    int margin = 0;          // the root choice's margin for this search
    std::uint32_t draw = 0;  // and its random number
    SearchOutcome outcome;
    std::atomic<bool> running{false};
};

namespace {

// One run of the search thread. Holds what the steps share.
class Runner {
public:
    Runner(SearchStatus& status, SearchTree& tree, GameRecord& record, const EngineOptions& options,
           const OpeningBook* book, const SearchHooks& hooks, ExpandFn expand)
        : status_(status),
          tree_(tree),
          record_(record),
          options_(options),
          book_(book),
          hooks_(hooks),
          expand_(expand) {}

    SearchOutcome run(bool computerVsComputer);
    // A margin for the root choice and the number that draws within it.
    void setRootDraw(int margin, std::uint32_t draw) {
        margin_ = margin;
        draw_ = draw;
    }

private:
    // The search up to the move recorded (or none).
    SearchOutcome searchAndRecord();
    bool playFromBook();
    void mainPhase(TreeSearch& search);
    bool passBackedUp(TreeSearch& search, int& kept);
    bool fallBackReady(int depthLimit) const;
    bool playAbandoned(TreeSearch& search);
    NodeIndex moveToPlay(const TreeSearch& search, NodeIndex chosen) const;
    NodeIndex drawnLeaf(const TreeSearch& search, NodeIndex& m);
    bool playMove(NodeIndex m);
    void showInformation(TreeSearch& search);

    SearchStatus& status_;
    SearchTree& tree_;
    GameRecord& record_;
    const EngineOptions& options_;
    const OpeningBook* book_;
    const SearchHooks& hooks_;
    ExpandFn expand_;
    std::array<MoveText, 16> remembered_{};  // root move of the principal line, by depth limit
    bool abandoned_ = false;            // stop came during a pass's back-up: the last complete pass is played
    bool playerIsBlack_ = false;        // the record's, kept for after the record is handed back
    std::optional<TreeSearch> search_;  // once the tree was grown
    int margin_ = 0;                    // root choice: hundredths of a pawn, 0: the search's own choice
    std::uint32_t draw_ = 0;
};

bool Runner::playFromBook() {
    if (book_ == nullptr) return false;
    if (book_->lineCount() == 0) {
        status_.bookPlay.store(false);
        return false;
    }
    if (!status_.bookPlay.load()) return false;
    const auto name =
        book_->playBookMove(record_, bookRandom(static_cast<std::uint32_t>(std::time(nullptr))));
    if (!name) {
        status_.bookPlay.store(false);
        return false;
    }
    status_.setStatusText("Ouverture : " + *name);
    if (hooks_.beep) hooks_.beep();
    return true;
}

void Runner::mainPhase(TreeSearch& search) {
    const NodeIndex root = SearchTree::mainRoot();
    int kept = 30;
    while (search.depthLimit < options_.maxDepthMain) {
        if (status_.mainPhaseOver.load()) break;
        ++search.depthLimit;
        status_.mainDepthShown.store(search.depthLimit);
        search.pass(root, -kExcluded, kExcluded);
        if (!passBackedUp(search, kept)) {
            abandoned_ = true;
            break;
        }
        tree_.selected = root;
        tree_.findDeepestPrincipalLeaf(root, tree_[root].score, search.depthLimit);
        status_.setMainReport(formatMainReport(tree_, tree_.selected, search.reportContext()));
        status_.setPrincipalLine(search.principalLine(tree_.selected));
        const NodeIndex candidate = tree_.rootChildOf(tree_.selected);
        if (candidate != root)
            remembered_[static_cast<std::size_t>(search.depthLimit)] = tree_[candidate].move;
        if (hooks_.passFinished) hooks_.passFinished(search.depthLimit);
        if (kept <= 1) break;
    }
    if (search.depthLimit == options_.maxDepthMain) status_.mainPhaseOver.store(true);
    status_.reportFrozen.store(true);
}

// The back-up and the candidate pruning after a pass. On a large tree they
// take about a second; a stop raised meanwhile abandons them when an earlier
// pass left a move to play instead (false then).
bool Runner::passBackedUp(TreeSearch& search, int& kept) {
    const NodeIndex root = SearchTree::mainRoot();
    const bool mayAbandon = fallBackReady(search.depthLimit);
    if (!mayAbandon) {
        search.backUp(root);
    } else if (!search.backUpUnlessStopped(root)) {
        return false;
    }
    if (status_.nodesCreated.load() != 0) {
        if (search.depthLimit == 3) kept = search.pruneRootCandidates(10);
        if (search.depthLimit >= 4) kept = search.pruneRootCandidates(11 - search.depthLimit);
    }
    return !(mayAbandon && status_.stop.load());
}

// Whether a pass shallower than `depthLimit` remembered a root move.
bool Runner::fallBackReady(int depthLimit) const {
    for (int depth = depthLimit - 1; depth >= 1; --depth) {
        if (!remembered_[static_cast<std::size_t>(depth)].empty()) return true;
    }
    return false;
}

// After an abandoned back-up the scores are half backed up, so neither the
// secondary phase nor the final choice can use them: the last complete pass's
// move is played, found among the root's children by its text.
bool Runner::playAbandoned(TreeSearch& search) {
    const NodeIndex m = moveToPlay(search, SearchTree::mainRoot());
    if (m == kNoNode) return false;
    status_.setStatusText(formatFinalReport(tree_, m, search.reportContext()));
    status_.setPrincipalLine(search.principalLine(m));
    return playMove(m);
}

// The root child to play. When the choice ended at the root, the root move of
// the deepest pass that found one; the root child carrying it gives the state.
NodeIndex Runner::moveToPlay(const TreeSearch& search, NodeIndex chosen) const {
    const NodeIndex root = SearchTree::mainRoot();
    const NodeIndex m = tree_.rootChildOf(chosen);
    if (m != root) return m;
    int depth = search.depthLimit;
    while (depth > 1 && remembered_[static_cast<std::size_t>(depth)].empty()) --depth;
    const MoveText& wanted = remembered_[static_cast<std::size_t>(depth)];
    const NodeIndex first = tree_[root].children;
    if (wanted.empty() || first == kNoNode) return kNoNode;
    for (int i = 0; i < tree_.arrayLength(first); ++i) {
        const NodeIndex child = first + static_cast<NodeIndex>(i);
        bool same = true;
        for (int b = 0; b < 5; ++b) same = same && tree_[child].move[b] == wanted[b];
        if (same) return child;
    }
    return kNoNode;
}

// A level's margin: the move is drawn among the root's moves scored within
// the margin of the best; the report follows the drawn move's own line.
NodeIndex Runner::drawnLeaf(const TreeSearch& search, NodeIndex& m) {
    const NodeIndex drawn = pickWithinMargin(tree_, margin_, draw_);
    if (drawn != kNoNode) m = drawn;
    tree_.selected = m;
    tree_.findDeepestPrincipalLeaf(m, tree_[m].score, search.depthLimit);
    return tree_.selected;
}

bool Runner::playMove(NodeIndex m) {
    if (record_.plyCount < 0 || record_.plyCount >= GameRecord::kCapacity) return false;
    const SearchNode& node = tree_[m];
    replayMoveText(record_.current, node.move, true);
    return recordMove(record_, node.move, node.state, false) == RecordResult::recorded;
}

void Runner::showInformation(TreeSearch& search) {
    status_.showThinking.store(true);
    ReportContext context = search.reportContext();
    context.secondaryText = search.secondaryText;
    const std::string initial = formatInfoReport(tree_, context);
    std::string current = initial;
    for (;;) {
        const std::optional<ExplorerPath> typed = hooks_.showInformation(current, initial);
        if (!typed || (*typed)[0].empty()) return;
        ExplorerSlots path{};
        for (std::size_t i = 0; i < typed->size(); ++i) {
            std::string slot = (*typed)[i].substr(0, 7);
            // Only rank digits are mirrored, so a partial text such as "e4"
            // still names the square the user meant.
            if (playerIsBlack_ && slot.find('o') == std::string::npos) {
                for (std::size_t at : {std::size_t{1}, std::size_t{4}}) {
                    if (at < slot.size() && slot[at] >= '1' && slot[at] <= '8')
                        slot[at] = static_cast<char>('i' - slot[at]);
                }
            }
            path[i] = slot;
        }
        current = formatNodeExplorer(tree_, SearchTree::mainRoot(), path, context);
    }
}

SearchOutcome Runner::run(bool computerVsComputer) {
    playerIsBlack_ = record_.playerIsBlack;
    const SearchOutcome outcome = searchAndRecord();
    // The record goes back to the caller with its recovery copy written, so
    // the move can be shown and the human's clock run while the information
    // dialog, which needs only the tree, is open.
    if (hooks_.writeRecovery) hooks_.writeRecovery(record_);
    if (hooks_.recordReleased) hooks_.recordReleased();
    if (!search_) return outcome;
    if (outcome.movePlayed && !computerVsComputer && options_.extraDisplays && hooks_.showInformation)
        showInformation(*search_);
    tree_.clearAll();
    if (hooks_.beep) hooks_.beep();
    return outcome;
}

SearchOutcome Runner::searchAndRecord() {
    SearchOutcome outcome;
    status_.setMainReport("");
    status_.setSecondaryReport("");
    status_.setPrincipalLine({});
    if (playFromBook()) {
        outcome.movePlayed = outcome.fromBook = true;
        if (hooks_.moveRecorded) hooks_.moveRecorded();
        return outcome;
    }
    record_.state = packState(record_.current, record_.state);
    if (isCheckmated(record_.current, record_.state, true) ||
        isCheckmated(record_.current, record_.state, false)) {
        outcome.gameOver = outcome.noMove = true;
        return outcome;
    }
    status_.waitForSearchWake([this] { return status_.firstPaintDone.load() || status_.stop.load(); });
    if (status_.stop.load()) {
        outcome.noMove = true;
        return outcome;
    }
    // Reset for this search.
    tree_.resetRoot(SearchTree::mainRoot(), record_.state);
    status_.largestDropped.store(0);
    status_.nodesCreated.store(0);
    status_.entriesFreed.store(0);
    status_.reportFrozen.store(false);
    status_.mainPhaseOver.store(false);
    status_.stop.store(false);
    status_.inSecondary.store(false);
    status_.mainDepthShown.store(0);
    status_.secondaryDepthShown.store(0);
    TreeSearch& search =
        search_.emplace(tree_, options_, record_.current, record_.plyCount, record_.playerIsBlack, expand_);
    if (hooks_.mainPhaseStarted) hooks_.mainPhaseStarted();
    mainPhase(search);
    if (abandoned_) {
        outcome.movePlayed = playAbandoned(search);
    } else if (status_.nodesCreated.load() != 0) {
        const int rootScore = tree_[SearchTree::mainRoot()].score;
        search.secondaryPhase(rootScore, hooks_.secondaryPhaseStarted);
        status_.setSecondaryReport(search.secondaryText);
        const NodeIndex chosen = search.finalChoice(rootScore, record_);
        NodeIndex m = moveToPlay(search, chosen);
        // A choice that ended at the root reports the move actually played,
        // not the root's blank text.
        NodeIndex reported = chosen == SearchTree::mainRoot() && m != kNoNode ? m : chosen;
        if (margin_ > 0 && m != kNoNode) reported = drawnLeaf(search, m);
        status_.setStatusText(formatFinalReport(tree_, reported, search.reportContext()));
        status_.setPrincipalLine(search.principalLine(reported));
        outcome.movePlayed = m != kNoNode && playMove(m);
    }
    // Nothing evaluated, or nothing playable: the record stays as it was.
    outcome.noMove = !outcome.movePlayed;
    if (outcome.movePlayed) {
        status_.searchIdle.store(true);
        if (hooks_.moveRecorded) hooks_.moveRecorded();
    }
    return outcome;
}

}  // namespace

SearchDriver::SearchDriver(SearchStatus& status) : status_(status), run_(std::make_unique<Run>(status)) {}

SearchDriver::~SearchDriver() {
    wait();
}

void SearchDriver::start(GameRecord& record, const EngineOptions& options, bool computerVsComputer) {
    wait();
    run_->record = &record;
    run_->options = options;
    run_->computerVsComputer = computerVsComputer;
    run_->margin = choice_.margin;
    run_->draw = choice_.margin > 0 ? static_cast<std::uint32_t>(draws_()) : 0;
    run_->outcome = SearchOutcome{};
    run_->running.store(true);
    thread_ = std::thread([this] {
        Run& run = *run_;
        Runner runner(status_, run.tree, *run.record, run.options, book_, hooks_, expand_);
        runner.setRootDraw(run.margin, run.draw);
        run.outcome = runner.run(run.computerVsComputer);
        status_.entriesFreed.store(status_.nodesCreated.load());
        status_.searchIdle.store(true);
        run.running.store(false);
        if (hooks_.finished) hooks_.finished();
    });
}

void SearchDriver::setRootChoice(RootChoice choice) {
    choice_ = choice;
    draws_.seed(choice.seed);
}

void SearchDriver::wait() {
    if (thread_.joinable()) thread_.join();
}

bool SearchDriver::running() const {
    return run_->running.load();
}

SearchOutcome SearchDriver::lastOutcome() const {
    return run_->outcome;
}

}  // namespace quorvel
