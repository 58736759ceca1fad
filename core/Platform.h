#pragma once
// What differs between the systems the plant's PCs run: every call of ours that is not
// plain C++ or Qt sits here, with a portable way that every system has. A build made
// with -DQUELBY_PORTABLE_PLATFORM=ON takes the portable way everywhere (CI builds one so).

#include <cstddef>

namespace Platform {

// Large blocks of memory for the row store: `bytes` aligned to `bytes` (a power of two).
// Where the system can, the kernel is asked to back them with huge pages. Throws
// std::bad_alloc when no memory is left. Given back with freeLargeBlock.
void *allocateLargeBlock(std::size_t bytes);
void freeLargeBlock(void *block, std::size_t bytes) noexcept;

}  // namespace Platform
