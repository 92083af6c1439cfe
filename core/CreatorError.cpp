#include "core/CreatorError.h"

#include <new>
#include <stdexcept>

namespace {

std::wstring Widen(const char* text) {
    std::wstring wide;
    for (const char* p = text; *p; ++p)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return wide;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text)
        narrow += (c > 0 && c < 128) ? static_cast<char>(c) : '?';
    return narrow;
}

} // namespace

CreatorError::CreatorError(int32_t number, std::wstring description)
    : number_(number),
      description_(description.empty() ? ErrorDescription(number) : std::move(description)),
      narrow_(Narrow(description_)) {}

std::wstring ErrorDescription(int32_t number) {
    switch (number) {
    case ErrInvalidCall:
        return L"Invalid procedure call or argument";
    case ErrOverflow:
        return L"Overflow";
    case ErrOutOfMemory:
        return L"Out of memory";
    case ErrSubscript:
        return L"Subscript out of range";
    case ErrTypeMismatch:
        return L"Type mismatch";
    case ErrInternal:
        return L"Internal error";
    default:
        return L"Application-defined or object-defined error";
    }
}

void Raise(int32_t number) {
    throw CreatorError(number);
}

CreatorError CurrentError() {
    try {
        throw;
    } catch (const CreatorError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return CreatorError(ErrOutOfMemory);
    } catch (const std::out_of_range&) {
        return CreatorError(ErrSubscript);
    } catch (const std::overflow_error&) {
        return CreatorError(ErrOverflow);
    } catch (const std::exception& e) {
        return CreatorError(ErrInternal, Widen(e.what()));
    }
}
