#include "engine/page_memory.h"

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#else
#include <cstring>
#include <new>
#endif

#include <atomic>

namespace quorvel {

namespace {

std::atomic<std::size_t> gMappedBytes{0};

}  // namespace

std::size_t mappedPageBytes() {
    return gMappedBytes.load();
}

#if __has_include(<sys/mman.h>)

void* mapPageMemory(std::size_t bytes) {
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return nullptr;
    gMappedBytes += bytes;
    return memory;
}

void unmapPageMemory(void* memory, std::size_t bytes) {
    if (memory == nullptr || munmap(memory, bytes) != 0) return;
    gMappedBytes -= bytes;
}

#else

// Without the system's mapping calls the heap serves; it may keep the memory.
void* mapPageMemory(std::size_t bytes) {
    void* memory = ::operator new(bytes, std::nothrow);
    if (memory == nullptr) return nullptr;
    std::memset(memory, 0, bytes);
    gMappedBytes += bytes;
    return memory;
}

void unmapPageMemory(void* memory, std::size_t bytes) {
    if (memory == nullptr) return;
    ::operator delete(memory);
    gMappedBytes -= bytes;
}

#endif

}  // namespace quorvel
