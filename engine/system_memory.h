#pragma once
// The machine's total physical memory, which sets the search's memory budget
// (a third of it).

#include <cstdint>

namespace quorvel {

// Bytes of physical memory; a large fallback when the system won't say, so
// that the budget never ends a search by mistake.
std::uint64_t totalPhysicalMemory();

}  // namespace quorvel
