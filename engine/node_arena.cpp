#include "engine/node_arena.h"

#include <cassert>
#include <new>

namespace quorvel {

NodeArena::NodeArena() { clear(); }

bool NodeArena::addPage() {
    if (pages_.size() >= (std::size_t{1} << (32 - kPageBits))) return false;  // indices are 32-bit
    std::unique_ptr<SearchNode[]> page(new (std::nothrow) SearchNode[kPageSize]);
    if (!page) return false;
    pages_.push_back(std::move(page));
    next_ = static_cast<std::uint32_t>(pages_.size() - 1) << kPageBits;
    limit_ = next_ + kPageSize;
    return true;
}

void NodeArena::clear() {
    pages_.clear();
    pages_.shrink_to_fit();
    freeHeads_.fill(kNoNode);
    addPage();
    // Index 0 is the null link; 1 and 2 are the roots.
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
