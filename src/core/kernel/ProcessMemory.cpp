#include "core/kernel/ProcessMemory.h"

#include <cstdint>
#include <cstdlib>

// glibc's allocator and Linux's large pages; elsewhere, and under a sanitiser's allocator, the
// defaults stay.
#if defined(__linux__) && defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) &&                  \
    !defined(__SANITIZE_THREAD__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#define DRAWSAGE_HEAP_LARGE_PAGES 1
#endif

void ProcessMemory::preferLargePages()
{
#ifdef DRAWSAGE_HEAP_LARGE_PAGES
    // Address space only: a page is taken when it is first written.
    constexpr std::size_t Reserve = std::size_t(64) << 20;
    // glibc's largest threshold: blocks from this size on keep their own mapping.
    constexpr std::size_t HeapBlockLimit = std::size_t(32) << 20;
    constexpr std::uintptr_t LargePage = std::uintptr_t(2) << 20;

    // Large blocks from the heap rather than mappings of their own, and a heap that grows by
    // the reserve at once and keeps up to twice it when blocks are freed: the advice covers
    // the heap's pages as they are now, not those a later growth adds.
    if (mallopt(M_MMAP_THRESHOLD, int(HeapBlockLimit)) == 0 ||
        mallopt(M_TOP_PAD, int(Reserve)) == 0 || mallopt(M_TRIM_THRESHOLD, int(2 * Reserve)) == 0)
        return;
    // A block that grows the heap by itself and the reserve; the advice covers both.
    void* block = std::malloc(HeapBlockLimit / 2);
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::uintptr_t first = (start + LargePage - 1) & ~(LargePage - 1);
    const std::uintptr_t last = end & ~(LargePage - 1);
    // Where the heap could not grow, the block was mapped apart, above the heap's end.
    if (block != nullptr && last > first)
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    std::free(block);
#endif
}
