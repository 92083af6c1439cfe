// The C++ runtime's throw helpers for the screensaver alone. The runtime
// keeps them in one object that also brings its logic_error, runtime_error
// and system_error classes, two string implementations and random_device: a
// quarter of a program that every made screensaver carries. The screensaver
// catches no such error (an uncaught one aborts it either way), so each of
// these aborts, but for the two that mean memory ran out, which it does
// catch: a container asked to grow past its limit is one of them.
#include <cstdlib>
#include <new>

namespace std {
[[noreturn]] void __throw_bad_alloc() {
    throw bad_alloc();
}
[[noreturn]] void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}
[[noreturn]] void __throw_length_error(const char*) {
    throw bad_alloc();
}
[[noreturn]] void __throw_bad_exception() {
    abort();
}
[[noreturn]] void __throw_bad_cast() {
    abort();
}
[[noreturn]] void __throw_bad_typeid() {
    abort();
}
[[noreturn]] void __throw_logic_error(const char*) {
    abort();
}
[[noreturn]] void __throw_domain_error(const char*) {
    abort();
}
[[noreturn]] void __throw_invalid_argument(const char*) {
    abort();
}
[[noreturn]] void __throw_out_of_range(const char*) {
    abort();
}
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) {
    abort();
}
[[noreturn]] void __throw_runtime_error(const char*) {
    abort();
}
[[noreturn]] void __throw_range_error(const char*) {
    abort();
}
[[noreturn]] void __throw_overflow_error(const char*) {
    abort();
}
[[noreturn]] void __throw_underflow_error(const char*) {
    abort();
}
[[noreturn]] void __throw_bad_function_call() {
    abort();
}
[[noreturn]] void __throw_system_error(int) {
    abort();
}
[[noreturn]] void __throw_future_error(int) {
    abort();
}
[[noreturn]] void __throw_ios_failure(const char*) {
    abort();
}
[[noreturn]] void __throw_ios_failure(const char*, int) {
    abort();
}
} // namespace std
