#include "tests/support/AllocationLimit.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> Limit{SIZE_MAX};
} // namespace

AllocationLimit::AllocationLimit(std::size_t bytes) : previous_(Limit.exchange(bytes)) {}

AllocationLimit::~AllocationLimit() {
    Limit = previous_;
}

// The program's allocator; linked in with the limit that uses it.
void* operator new(std::size_t size) {
    void* p = size < Limit ? std::malloc(size ? size : 1) : nullptr;
    if (!p)
        throw std::bad_alloc();
    return p;
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
