#pragma once
// Colours of the toolkit: 0x00BBGGRR (red in the low byte), as the GDI takes them.

#include <cstdint>

namespace OrvUtility {

using Colour = std::int32_t;

// "No colour set": the element keeps the system's colour.
constexpr Colour NoColour = -1;

}  // namespace OrvUtility
