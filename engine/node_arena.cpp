#include "engine/node_arena.h"

#include <cassert>

#include "engine/page_memory.h"

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
    // SearchNode is an implicit-lifetime aggregate: the mapped bytes are nodes.
    return NodeArena::Page(static_cast<SearchNode*>(mapPageMemory(NodeArena::kPageBytes)));
}

}  // namespace

void NodeArena::PageDelete::operator()(SearchNode* page) const {
    unmapPageMemory(page, kPageBytes);
}

void NodeArena::prepareLoop() {
    std::unique_lock lock(prepareMutex_);
    for (;;) {
        prepareWake_.wait(lock, [this] { return quit_ || !retired_.empty() || ready_.size() < kReadyPages; });
        if (quit_) return;
        if (!retired_.empty()) {
            std::vector<Page> returned = std::move(retired_);
            retired_.clear();
            returning_ = true;
            lock.unlock();
            returned.clear();
            lock.lock();
            returning_ = false;
            returnedWake_.notify_all();
            continue;
        }
        lock.unlock();
        Page page = freshPage();
        if (page) {
            // One write per block of the system's page size makes it mapped.
            auto* bytes = reinterpret_cast<volatile unsigned char*>(page.get());
            for (std::size_t at = 0; at < kPageBytes; at += 4096) bytes[at] = 0;
        }
        lock.lock();
        if (!page) {
            // Out of memory: try again only once the search took a page; the
            // pages of a search that ended meanwhile still go back.
            const std::uint64_t seen = pagesTaken_;
            ++refusals_;
            returnedWake_.notify_all();
            prepareWake_.wait(lock,
                              [this, seen] { return quit_ || !retired_.empty() || pagesTaken_ != seen; });
            continue;
        }
        ready_.push_back(std::move(page));
    }
}

void NodeArena::waitUntilReturned() {
    std::unique_lock lock(prepareMutex_);
    returnedWake_.wait(lock, [this] { return quit_ || (retired_.empty() && !returning_); });
}

void NodeArena::waitUntilRefused(std::uint64_t count) {
    std::unique_lock lock(prepareMutex_);
    returnedWake_.wait(lock, [this, count] { return quit_ || refusals_ >= count; });
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
    // few more, a dozen megabytes); the rest go back to the system.
    // Spare pages the last search did not take stay spare.
    std::vector<Page> kept;
    std::vector<Page> retired;
    for (std::vector<Page>* from : {&pages_, &spare_}) {
        for (Page& page : *from) {
            if (!page) continue;
            (kept.size() < kKeptPages ? kept : retired).push_back(std::move(page));
        }
    }
    spare_ = std::move(kept);
    pages_.clear();
    if (!retired.empty()) {
        {
            std::lock_guard lock(prepareMutex_);
            for (Page& page : retired) retired_.push_back(std::move(page));
        }
        prepareWake_.notify_one();
    }
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
