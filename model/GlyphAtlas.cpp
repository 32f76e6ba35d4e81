#include "GlyphAtlas.h"

#include "resources/ResourceIds.h"

namespace MyApp {

const std::array<Rgb, BaseColourCount> BaseColours = {{
    {0, 0, 0},        // black
    {0, 0, 153},      // dark blue
    {0, 255, 0},      // green
    {0, 204, 255},    // light blue
    {255, 0, 0},      // red
    {204, 204, 204},  // grey
    {255, 255, 255},  // white
}};

const std::array<PairColours, PairCount> ColourPairs = {{
    {Grey, Black},          // 0
    {DarkBlue, White},      // 1
    {Red, Black},           // 2
    {Black, White},         // 3
    {Grey, DarkBlue},       // 4
    {DarkBlue, LightBlue},  // 5
    {Red, White},           // 6
    {Black, Green},         // 7
    {Green, Black},         // 8
    {LightBlue, DarkBlue},  // 9
    {White, Black},         // 10
    {Grey, White},          // 11
    {Grey, Red},            // 12
    {Grey, LightBlue},      // 13
    {Grey, Green},          // 14
    {DarkBlue, Black},      // 15
    {DarkBlue, Grey},       // 16
    {DarkBlue, Red},        // 17
    {DarkBlue, Green},      // 18
    {Red, Grey},            // 19
    {Red, LightBlue},       // 20
    {Red, Green},           // 21
    {Red, DarkBlue},        // 22
    {Black, Grey},          // 23
    {Black, Red},           // 24
    {Black, LightBlue},     // 25
    {Black, DarkBlue},      // 26
    {Green, DarkBlue},      // 27
    {Green, LightBlue},     // 28
    {Green, Red},           // 29
    {Green, Grey},          // 30
    {Green, White},         // 31
    {LightBlue, Black},     // 32
    {LightBlue, Green},     // 33
    {LightBlue, Red},       // 34
    {LightBlue, Grey},      // 35
    {LightBlue, White},     // 36
    {White, DarkBlue},      // 37
    {White, Green},         // 38
    {White, Red},           // 39
    {White, Grey},          // 40
    {White, LightBlue},     // 41
}};

const std::array<BackgroundChoice, 7> BackgroundChoices = {{
    {10, "Bianco", IDI_COLOUR_BIANCO},
    {9, "Azzuro", IDI_COLOUR_AZZURO},
    {8, "Verde", IDI_COLOUR_VERDE},
    {7, "Nero", IDI_COLOUR_NERO},
    {6, "Rosso", IDI_COLOUR_ROSSO},
    {5, "Blu", IDI_COLOUR_BLU},
    {4, "Grigio", IDI_COLOUR_GRIGIO},
}};

namespace {

const PairColours& ColoursOf(int pair) {
    return ColourPairs[std::size_t(IsValidPair(pair) ? pair : DefaultBackground)];
}

// Letters follow the keyboard rows: top row left to right, middle row right to
// left, bottom row left to right.
constexpr wchar_t LetterOrder[] = L"QWERTYUIOPLKJHGFDSAZXCVBNM";
constexpr int FirstCapital = 24;
constexpr int SmallLetterOffset = 71;
constexpr int FirstDigitOne = 53;
constexpr int DigitZero = 62;
constexpr int FirstSymbol = 72;
constexpr wchar_t SymbolOrder[] = L"!\"#$%&()*/:;<=>?@[\\]^_";  // columns 72..93

}  // namespace

Rgb BackgroundRgb(int pair) { return BaseColours[ColoursOf(pair).background]; }
Rgb ForegroundRgb(int pair) { return BaseColours[ColoursOf(pair).foreground]; }

std::optional<int> GlyphForCharacter(wchar_t c) {
    if (c >= L'A' && c <= L'Z') {
        for (int i = 0; LetterOrder[i] != L'\0'; ++i) {
            if (LetterOrder[i] == c) return FirstCapital + i;
        }
    }
    if (c >= L'a' && c <= L'z') {
        return *GlyphForCharacter(wchar_t(c - L'a' + L'A')) + SmallLetterOffset;
    }
    if (c >= L'1' && c <= L'9') return FirstDigitOne + int(c - L'1');
    switch (c) {
        case L'0': return DigitZero;
        case L'.': return 50;
        case L',': return 51;
        case L'\'': return 52;
        case L'-': return 69;
        case L'+': return 70;
        case L' ': return BlankGlyph;
        default: break;
    }
    for (int i = 0; SymbolOrder[i] != L'\0'; ++i) {
        if (SymbolOrder[i] == c) return FirstSymbol + i;
    }
    // The grave accent has a column (94) but no key selects it.
    return std::nullopt;
}

}  // namespace MyApp
