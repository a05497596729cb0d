#include "engine/node_arena.h"

#include <cassert>
#include <new>

namespace quorvel {

NodeArena::NodeArena() {
    clear();
    helper_ = std::thread([this] { prepareLoop(); });
}

NodeArena::~NodeArena() {
    {
        std::lock_guard lock(prepareMutex_);
        quit_ = true;
    }
    prepareWake_.notify_all();
    helper_.join();
}

namespace {

NodeArena::Page freshPage() {
    // Nodes are written before they are read, so the page is left
    // uninitialised (SearchNode is an implicit-lifetime aggregate).
    void* raw = ::operator new[](sizeof(SearchNode) * NodeArena::kPageSize, std::nothrow);
    return NodeArena::Page(static_cast<SearchNode*>(raw));
}

}  // namespace

void NodeArena::prepareLoop() {
    std::unique_lock lock(prepareMutex_);
    for (;;) {
        prepareWake_.wait(lock, [this] { return quit_ || ready_.size() < kReadyPages; });
        if (quit_) return;
        lock.unlock();
        Page page = freshPage();
        if (page) {
            // One write per block of the system's page size makes it mapped.
            auto* bytes = reinterpret_cast<volatile unsigned char*>(page.get());
            for (std::size_t at = 0; at < sizeof(SearchNode) * kPageSize; at += 4096) bytes[at] = 0;
        }
        lock.lock();
        if (!page) {
            // Out of memory: try again only once the search took a page.
            const std::uint64_t seen = pagesTaken_;
            prepareWake_.wait(lock, [this, seen] { return quit_ || pagesTaken_ != seen; });
            continue;
        }
        ready_.push_back(std::move(page));
    }
}

NodeArena::Page NodeArena::takePage() {
    Page page;
    {
        std::lock_guard lock(prepareMutex_);
        ++pagesTaken_;
        if (!ready_.empty()) {
            page = std::move(ready_.back());
            ready_.pop_back();
        }
    }
    prepareWake_.notify_one();
    return page ? std::move(page) : freshPage();
}

bool NodeArena::addPage() {
    if (pages_.size() >= (std::size_t{1} << (32 - kPageBits))) return false;  // indices are 32-bit
    const std::size_t index = pages_.size() + 0;
    if (index < spare_.size() && spare_[index]) {
        pages_.push_back(std::move(spare_[index]));
    } else {
        Page page = takePage();
        if (!page) return false;
        pages_.push_back(std::move(page));
    }
    next_ = static_cast<std::uint32_t>(pages_.size() - 1) << kPageBits;
    limit_ = next_ + kPageSize;
    return true;
}

void NodeArena::clear() {
    // The first pages are kept for the next search (the roots' page and a
    // few more, a few megabytes); the rest go back to the system.
    spare_.clear();
    for (std::size_t i = 0; i < pages_.size() && i < kKeptPages; ++i) spare_.push_back(std::move(pages_[i]));
    pages_.clear();
    freeHeads_.fill(kNoNode);
    addPage();
    // Index 0 is the null link; 1 and 2 are the roots.
    (*this)[0] = SearchNode{};
    (*this)[kMainRoot] = SearchNode{};
    (*this)[kSecondaryRoot] = SearchNode{};
    next_ = 3;
}

NodeIndex NodeArena::allocate(int count) {
    assert(count >= 1 && count <= kMaxArray);
    NodeIndex& head = freeHeads_[static_cast<std::size_t>(count)];
    if (head != kNoNode) {
        const NodeIndex first = head;
        head = (*this)[first].parent;
        return first;
    }
    // An array never straddles two pages, so its entries are contiguous.
    if (static_cast<std::uint64_t>(next_) + static_cast<std::uint64_t>(count) > limit_) {
        if (!addPage()) return kNoNode;
    }
    const NodeIndex first = next_;
    next_ += static_cast<std::uint32_t>(count);
    return first;
}

void NodeArena::release(NodeIndex first, int count) {
    assert(count >= 1 && count <= kMaxArray && first > kSecondaryRoot);
    NodeIndex& head = freeHeads_[static_cast<std::size_t>(count)];
    (*this)[first].parent = head;
    head = first;
}

}  // namespace quorvel
