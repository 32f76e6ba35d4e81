#pragma once
// The one-level undo record: the old code of every cell the last operation changed.

#include "CellCode.h"

#include <cstdint>
#include <vector>

namespace MyApp {

struct UndoEntry {
    std::int32_t cellIndex;
    std::int32_t glyph;
    std::int32_t pair;

    CellCode Code() const { return CellCode{glyph, pair}; }
    friend bool operator==(const UndoEntry& a, const UndoEntry& b) {
        return a.cellIndex == b.cellIndex && a.glyph == b.glyph && a.pair == b.pair;
    }
};

using UndoBuffer = std::vector<UndoEntry>;

}  // namespace MyApp
