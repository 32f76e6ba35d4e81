#include "GlyphAtlas.h"

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
    {10, "Bianco", 1013},
    {9, "Azzuro", 1014},
    {8, "Verde", 1012},
    {7, "Nero", 1008},
    {6, "Rosso", 1011},
    {5, "Blu", 1010},
    {4, "Grigio", 1009},
}};

Rgb BackgroundRgb(int pair) { return BaseColours[ColourPairs[pair].background]; }
Rgb ForegroundRgb(int pair) { return BaseColours[ColourPairs[pair].foreground]; }

namespace {

// Letters follow the keyboard rows: top row left to right, middle row right to
// left, bottom row left to right.
constexpr char LetterOrder[] = "QWERTYUIOPLKJHGFDSAZXCVBNM";
constexpr int FirstCapital = 24;
constexpr int SmallLetterOffset = 71;
constexpr int FirstDigitOne = 53;
constexpr int DigitZero = 62;
constexpr int FirstSymbol = 72;
constexpr char SymbolOrder[] = "!\"#$%&()*/:;<=>?@[\\]^_";  // columns 72..93

}  // namespace

std::optional<int> GlyphForCharacter(unsigned char c) {
    if (c >= 'A' && c <= 'Z') {
        for (int i = 0; LetterOrder[i] != '\0'; ++i) {
            if (LetterOrder[i] == c) return FirstCapital + i;
        }
    }
    if (c >= 'a' && c <= 'z') {
        auto capital = GlyphForCharacter(static_cast<unsigned char>(c - 'a' + 'A'));
        return *capital + SmallLetterOffset;
    }
    if (c >= '1' && c <= '9') return FirstDigitOne + (c - '1');
    switch (c) {
        case '0': return DigitZero;
        case '.': return 50;
        case ',': return 51;
        case '\'': return 52;
        case '-': return 69;
        case '+': return 70;
        case ' ': return BlankGlyph;
        default: break;
    }
    for (int i = 0; SymbolOrder[i] != '\0'; ++i) {
        if (static_cast<unsigned char>(SymbolOrder[i]) == c) return FirstSymbol + i;
    }
    // The grave accent has a column (94) but no key selects it.
    return std::nullopt;
}

}  // namespace MyApp
