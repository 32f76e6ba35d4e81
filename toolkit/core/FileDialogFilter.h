#pragma once
// The file dialogs' filter buffer: description, NUL, pattern, NUL, ..., and one more NUL.

#include <cstddef>
#include <string>
#include <vector>

namespace OrvUtility {

constexpr std::size_t FilterBufferCapacity = 1024;

// A buffer of exactly `capacity` code units holding the pairs of `filters`, widened. Only
// whole pairs that fit are taken (a description without its pattern would shift every later
// pair), so the buffer always ends with the double NUL within its capacity; an unpaired last
// string is left out. `capacity` must be at least 2.
std::vector<wchar_t> BuildFilterBuffer(const std::vector<std::string>& filters,
                                       std::size_t capacity = FilterBufferCapacity);

}  // namespace OrvUtility
