#include "core/CSourceText.h"

namespace {

bool IsBlank(uint8_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsWordChar(uint8_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
int DigitValue(uint8_t c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

} // namespace

bool CSourceText::SkipSpace() {
    while (at_ < size_) {
        if (IsBlank(data_[at_])) {
            ++at_;
        } else if (data_[at_] == '/' && at_ + 1 < size_ && data_[at_ + 1] == '*') {
            at_ += 2;
            while (at_ + 1 < size_ && !(data_[at_] == '*' && data_[at_ + 1] == '/'))
                ++at_;
            if (at_ + 1 >= size_) {
                at_ = size_;
                return false;
            }
            at_ += 2;
        } else if (data_[at_] == '/' && at_ + 1 < size_ && data_[at_ + 1] == '/') {
            while (at_ < size_ && data_[at_] != '\n')
                ++at_;
        } else {
            break;
        }
    }
    return true;
}

bool CSourceText::Take(char c) {
    if (!SkipSpace() || at_ >= size_ || data_[at_] != static_cast<uint8_t>(c))
        return false;
    ++at_;
    return true;
}

std::string_view CSourceText::Word() {
    SkipSpace();
    const std::size_t start = at_;
    while (at_ < size_ && IsWordChar(data_[at_]))
        ++at_;
    return {reinterpret_cast<const char*>(data_) + start, at_ - start};
}

std::optional<uint32_t> CSourceText::Number(uint32_t limit) {
    SkipSpace();
    int base = 10;
    if (at_ + 1 < size_ && data_[at_] == '0' && (data_[at_ + 1] == 'x' || data_[at_ + 1] == 'X')) {
        base = 16;
        at_ += 2;
    }
    uint64_t value = 0;
    std::size_t digits = 0;
    for (; at_ < size_ && DigitValue(data_[at_]) < base; ++at_, ++digits) {
        value = value * base + DigitValue(data_[at_]);
        if (value > limit)
            return std::nullopt;
    }
    // A word that merely starts with digits is not a number.
    if (digits == 0 || (at_ < size_ && IsWordChar(data_[at_])))
        return std::nullopt;
    return static_cast<uint32_t>(value);
}

std::optional<std::string_view> CSourceText::String() {
    if (!Take('"'))
        return std::nullopt;
    const std::size_t start = at_;
    while (at_ < size_ && data_[at_] != '"' && data_[at_] != '\n') {
        if (data_[at_] == '\\' && at_ + 1 < size_)
            ++at_;
        ++at_;
    }
    if (at_ >= size_ || data_[at_] != '"')
        return std::nullopt;
    return std::string_view(reinterpret_cast<const char*>(data_) + start, at_++ - start);
}

bool CSourceText::SkipPast(char c) {
    while (!AtEnd())
        if (data_[at_++] == static_cast<uint8_t>(c))
            return true;
    return false;
}

bool CSourceText::SkipLine() {
    while (at_ < size_)
        if (data_[at_++] == '\n')
            return true;
    return false;
}
