// Memory as a 32-bit program meets it: while a limit is held, every
// allocation of that many bytes or more throws std::bad_alloc.
#pragma once

#include <cstddef>

class AllocationLimit {
  public:
    explicit AllocationLimit(std::size_t bytes);
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
    ~AllocationLimit();

  private:
    std::size_t previous_;
};
