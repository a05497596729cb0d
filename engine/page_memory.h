#pragma once
// Memory for the search tree's pages, taken from the system and given back
// to it whole. The general heap would keep a freed tree's gigabytes mapped
// for its own reuse, resident while the human thinks.

#include <cstddef>

namespace quorvel {

// `bytes` of fresh zeroed memory, or nullptr when the system refuses.
void* mapPageMemory(std::size_t bytes);
// Gives back memory obtained from mapPageMemory(bytes).
void unmapPageMemory(void* memory, std::size_t bytes);
// Bytes taken by mapPageMemory and not yet given back, over the whole
// process: what the search tree holds from the system, whatever the
// allocator or a sanitizer keeps resident beside it.
std::size_t mappedPageBytes();

}  // namespace quorvel
