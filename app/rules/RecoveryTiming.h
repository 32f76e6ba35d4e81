#pragma once
// When the recovery copy of a drawing with unsaved changes is written: once the changes have
// paused for a moment, and while they go on, at the latest a while after the first change
// that no copy holds yet. Never on each keystroke.

#include <algorithm>
#include <cstdint>

namespace MyApp {

struct RecoveryTiming {
    int quietMs = 2000;     // the pause after the last change
    int longestMs = 30000;  // the longest a change waits for its copy

    // Milliseconds from a change at `nowMs` until the copy is due, when the first change not
    // yet copied came at `firstChangeMs`.
    int DelayAfterChange(std::uint64_t nowMs, std::uint64_t firstChangeMs) const {
        const std::uint64_t waited = nowMs - std::min(nowMs, firstChangeMs);
        if (waited >= std::uint64_t(longestMs)) return 0;
        return int(std::min<std::uint64_t>(std::uint64_t(quietMs), longestMs - waited));
    }
};

}  // namespace MyApp
