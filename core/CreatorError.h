// The creator's one kind of run-time failure: a number and its description.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

// Numbers the creator raises itself; failed system calls raise their own.
constexpr int32_t ErrInvalidCall = 5;
constexpr int32_t ErrOverflow = 6;
constexpr int32_t ErrOutOfMemory = 7;
constexpr int32_t ErrSubscript = 9;
constexpr int32_t ErrTypeMismatch = 13;
constexpr int32_t ErrInternal = 51;

class CreatorError : public std::exception {
  public:
    // An empty description takes the standard text of the number.
    explicit CreatorError(int32_t number, std::wstring description = {});
    int32_t Number() const { return number_; }
    const std::wstring& Description() const { return description_; }
    const char* what() const noexcept override { return narrow_.c_str(); }

  private:
    int32_t number_;
    std::wstring description_;
    std::string narrow_;
};

// The standard description of one of the numbers above ("Overflow", ...).
std::wstring ErrorDescription(int32_t number);

[[noreturn]] void Raise(int32_t number);

// Any exception in flight as a CreatorError: library exceptions map to the
// nearest number (bad_alloc 7, out_of_range 9, overflow 6, others 51).
CreatorError CurrentError();
