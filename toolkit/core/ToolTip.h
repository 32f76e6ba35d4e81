#pragma once
// Tooltip texts are cut at this many code units; every buffer holds them and a terminator.

#include <cstddef>
#include <string>

namespace OrvUtility {

constexpr std::size_t ToolTipTextLimit = 2023;

// The narrow tooltip text widened and cut to ToolTipTextLimit code units.
std::wstring ToolTipTextOf(const std::string& narrowText);

}  // namespace OrvUtility
