#include "engine/page_memory.h"

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#else
#include <cstring>
#include <new>
#endif

namespace quorvel {

#if __has_include(<sys/mman.h>)

void* mapPageMemory(std::size_t bytes) {
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return memory == MAP_FAILED ? nullptr : memory;
}

void unmapPageMemory(void* memory, std::size_t bytes) {
    if (memory != nullptr) munmap(memory, bytes);
}

#else

// Without the system's mapping calls the heap serves; it may keep the memory.
void* mapPageMemory(std::size_t bytes) {
    void* memory = ::operator new(bytes, std::nothrow);
    if (memory != nullptr) std::memset(memory, 0, bytes);
    return memory;
}

void unmapPageMemory(void* memory, std::size_t) {
    ::operator delete(memory);
}

#endif

}  // namespace quorvel
