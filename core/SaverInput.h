// How the saver window answers input: the mouse jitter rule, the ignore
// bits and the default close distance.
#pragma once

#include <cstdint>

constexpr int32_t IgnoreKeys = 1;
constexpr int32_t IgnoreClicks = 2;
constexpr int32_t IgnoreMovement = 4;

struct CursorPoint {
    int32_t X, Y;
    bool operator==(const CursorPoint&) const = default;
};

// LastMouse before the first move.
constexpr CursorPoint NoMouse{-1, -1};

enum class MouseVerdict {
    Recorded,  // first move or a jitter of at most 3 pixels: kept, answered -1
    Unchanged, // the same position again: answered 1
    Swallowed, // a larger move that IgnoreInput ignores: answered 1, LastMouse kept
    Input,     // a larger move: handled like a key
};

// Judges a move to `now` against `last` (updated when the move is recorded).
MouseVerdict JudgeMouseMove(CursorPoint& last, CursorPoint now, int32_t ignoreInput);

// The platform's own rule: a move of more than 4 pixels (|dx| + |dy|) from
// where the cursor was when the saver started ends it.
bool BeyondCloseDistance(CursorPoint start, CursorPoint now);
