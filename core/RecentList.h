// The recent list of savers and the free default name it leaves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The list holds at most this many entries, though its arrays have 1000.
constexpr int32_t RecentListLimit = 998;

// "My Saver", then "My Saver (2)" ... "My Saver (999)": the first that equals
// none of the first `count` names (exact comparison); empty when all are taken.
std::wstring DefaultSaverName(const std::vector<std::wstring>& names, int32_t count);

// Puts `file` with its display `name` at the front. An entry of the same file
// (exact, case-sensitive) moves there; a new one grows the list, which stops
// at RecentListLimit (the oldest falls off).
void AddRecentSaver(std::vector<std::wstring>& names, std::vector<std::wstring>& files,
                    int32_t& count, const std::wstring& file, const std::wstring& name);
