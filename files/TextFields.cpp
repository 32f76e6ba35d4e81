#include "TextFields.h"

#include <limits>

namespace MyApp {

bool SplitExactly(std::string_view text, char separator, std::string_view* pieces, std::size_t count) {
    std::size_t made = 0, start = 0;
    for (std::size_t found = text.find(separator); found != std::string_view::npos;
         found = text.find(separator, start)) {
        if (made == count) return false;
        pieces[made++] = text.substr(start, found - start);
        start = found + 1;
    }
    if (start < text.size()) {
        if (made == count) return false;
        pieces[made++] = text.substr(start);
    }
    return made == count;
}

std::int32_t ReadNumber(std::string_view field) {
    std::size_t i = 0;
    auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < field.size() && isSpace(field[i])) ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';

    // Accumulate as a negative number so the lowest value fits, then saturate.
    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        value = value * 10 - (field[i] - '0');
        if (value < lowest) {
            value = lowest - 1;  // past the range; keeps the sign and stops growing
        }
    }
    if (negative) return static_cast<std::int32_t>(value < lowest ? lowest : value);
    return static_cast<std::int32_t>(-value > highest ? highest : -value);
}

std::string FormatIntegerNarrow(std::int64_t value) { return std::to_string(value); }

}  // namespace MyApp
