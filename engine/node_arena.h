#pragma once
// Storage of the search tree's child arrays. An array of n nodes is one unit:
// handed out whole and released whole, then reused by the next array of the
// same length. Nodes live in fixed pages that never move, so references stay
// valid while the tree grows.

#include <array>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

#include "engine/search_node.h"

namespace quorvel {

class NodeArena {
public:
    static constexpr int kPageBits = 16;
    static constexpr std::uint32_t kPageSize = 1u << kPageBits;  // nodes per page
    static constexpr int kMaxArray = 100;

    NodeArena();
    ~NodeArena();
    NodeArena(const NodeArena&) = delete;
    NodeArena& operator=(const NodeArena&) = delete;

    // The first entry of a fresh array of `count` (1..100) nodes, or kNoNode
    // when memory is exhausted.
    NodeIndex allocate(int count);
    // Gives back an array obtained from allocate(count).
    void release(NodeIndex first, int count);
    // Forgets every array; the two reserved roots survive. The first pages
    // are kept for the next search, the rest go back to the system from the
    // helper thread, so the search that ends does not wait for it.
    void clear();
    // Waits until the pages given up by clear() are back with the system.
    void waitUntilReturned();
    // Waits until the system has refused the helper a page `count` times
    // since the arena was made; the helper then waits for the search to
    // take a page before it asks again. For the tests of a full memory.
    void waitUntilRefused(std::uint64_t count);

    SearchNode& operator[](NodeIndex index) { return pages_[index >> kPageBits][index & (kPageSize - 1)]; }
    const SearchNode& operator[](NodeIndex index) const {
        return pages_[index >> kPageBits][index & (kPageSize - 1)];
    }

    static constexpr std::size_t kPageBytes = sizeof(SearchNode) * kPageSize;
    // Pages still held from the system between two searches: those kept
    // warm for the next search (12 MB) and those the helper holds ready.
    static constexpr std::size_t kKeptPages = 8;
    static constexpr std::size_t kReadyPages = 2;

    // A page of nodes, returned to the system as a whole.
    struct PageDelete {
        void operator()(SearchNode* page) const;
    };
    using Page = std::unique_ptr<SearchNode[], PageDelete>;

    // Two nodes allocated once that are never released: the roots.
    static constexpr NodeIndex kMainRoot = 1;
    static constexpr NodeIndex kSecondaryRoot = 2;

private:
    bool addPage();

    // A page whose memory the system has already mapped, from the helper
    // thread, or a fresh one when none is ready.
    Page takePage();
    void prepareLoop();

    std::vector<Page> pages_;
    std::vector<Page> spare_;                           // pages kept from the previous search
    std::uint32_t next_ = 0;                            // first unused index of the last page
    std::uint64_t limit_ = 0;                           // one past the last page's last index
    std::array<NodeIndex, kMaxArray + 1> freeHeads_{};  // released arrays, chained by `parent`

    // The first write to each block of a fresh page traps into the system,
    // which maps it; on a growing tree that costs about a fifth of the
    // search. A helper thread takes that cost ahead of need: it keeps a
    // couple of pages touched and ready, handed over under the mutex. It
    // also unmaps the pages a finished search gave up (a few gigabytes take
    // a good fraction of a second).
    std::mutex prepareMutex_;
    std::condition_variable prepareWake_;
    std::condition_variable returnedWake_;  // pages went back, or the system refused one
    std::vector<Page> ready_;
    std::vector<Page> retired_;  // pages to give back to the system
    bool returning_ = false;     // the helper is unmapping retired pages
    std::uint64_t pagesTaken_ = 0;
    std::uint64_t refusals_ = 0;  // pages the system refused the helper
    bool quit_ = false;
    std::thread helper_;
};

}  // namespace quorvel
