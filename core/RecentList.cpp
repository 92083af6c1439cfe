#include "core/RecentList.h"

#include <algorithm>

namespace {

// The count as far as both arrays can hold it (a stored count may be anything).
int32_t UsableCount(const std::vector<std::wstring>& a, const std::vector<std::wstring>& b,
                    int32_t count) {
    const auto size = static_cast<int32_t>(std::min(a.size(), b.size()));
    return std::clamp(count, 0, size);
}

} // namespace

std::wstring DefaultSaverName(const std::vector<std::wstring>& names, int32_t count) {
    const auto used = names.begin() + UsableCount(names, names, count);
    for (int n = 1; n <= 999; ++n) {
        const std::wstring candidate =
            n == 1 ? std::wstring(L"My Saver") : L"My Saver (" + std::to_wstring(n) + L")";
        if (std::find(names.begin(), used, candidate) == used)
            return candidate;
    }
    return {};
}

void AddRecentSaver(std::vector<std::wstring>& names, std::vector<std::wstring>& files,
                    int32_t& count, const std::wstring& file, const std::wstring& name) {
    const auto size = static_cast<int32_t>(std::min(names.size(), files.size()));
    if (size == 0)
        return;
    count = UsableCount(names, files, count);
    const auto found = std::find(files.begin(), files.begin() + count, file);
    int32_t i = static_cast<int32_t>(found - files.begin());
    const bool isNew = i == count;
    if (i >= size) // a full array: the last slot is the one that goes
        i = size - 1;
    for (int32_t k = i; k > 0; --k) {
        names[k] = std::move(names[k - 1]);
        files[k] = std::move(files[k - 1]);
    }
    files[0] = file;
    names[0] = name;
    if (isNew && count < size)
        ++count;
    if (count >= RecentListLimit + 1)
        count = RecentListLimit;
}
