#include "app/rules/NewDrawingChoices.h"

#include "model/GlyphAtlas.h"

#include <cstdlib>

namespace MyApp {

int TypedSide(const std::wstring& text, int minimum, int maximum) {
    if (text.empty() || text.size() > 9) return minimum;
    int value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return minimum;
        value = value * 10 + int(c - L'0');
    }
    return value >= minimum && value <= maximum ? value : minimum;
}

int BackgroundChoiceFor(int pair) {
    for (std::size_t i = 0; i < BackgroundChoices.size(); ++i) {
        if (BackgroundChoices[i].pair == pair) return int(i);
    }
    return 0;
}

int PairOfChoiceValue(const std::string& value) { return std::atoi(value.c_str()); }

}  // namespace MyApp
