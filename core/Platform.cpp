#include "core/Platform.h"

#include <new>

#if !defined(QUELBY_PORTABLE_PLATFORM) && defined(__linux__)
#define QUELBY_LINUX_MEMORY 1
#include <cstdlib>
#include <sys/mman.h>
#endif

namespace Platform {

#ifdef QUELBY_LINUX_MEMORY

void *allocateLargeBlock(std::size_t bytes) {
    void *block = std::aligned_alloc(bytes, bytes);
    if (!block) throw std::bad_alloc();
    // Transparent huge pages: one page fault for a whole block instead of 512.
    madvise(block, bytes, MADV_HUGEPAGE);
    return block;
}

void freeLargeBlock(void *block, std::size_t) noexcept { std::free(block); }

#else

// Aligned allocation of the C++ library, on every system and compiler.
void *allocateLargeBlock(std::size_t bytes) { return ::operator new(bytes, std::align_val_t(bytes)); }

void freeLargeBlock(void *block, std::size_t bytes) noexcept {
    ::operator delete(block, bytes, std::align_val_t(bytes));
}

#endif

}  // namespace Platform
