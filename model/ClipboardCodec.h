#pragma once
// What a copied block becomes on the clipboard, and back: the program's own format, which
// keeps every code exactly (codes outside the atlas too), and Unicode text, each glyph as the
// character that looks like it, so other programs read a drawing as text.

#include "CellBlock.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace MyApp {

// The own format: "TSL1", width, height, then glyph and pair of each code row by row, every
// number a little-endian 32-bit value.
std::vector<std::uint8_t> EncodeCells(const CellBlock& block);
// Nothing for bytes that are not a whole block of 1..80 x 1..25 codes in that format.
std::optional<CellBlock> DecodeCells(const std::uint8_t* bytes, std::size_t size);

// The character a glyph is shown as in text; a space for the blank and any code outside the atlas.
char16_t CharacterOfGlyph(int glyph);
// The glyph a character stands for: a typed character's, or one shown by CharacterOfGlyph.
std::optional<int> GlyphOfCharacter(char16_t character);

// One line per row, rows joined by CR LF.
std::u16string TextOfBlock(const CellBlock& block);
// At most 25 lines of 80 characters, whatever the text's length; lines end with CR LF, LF or
// CR. Characters with a glyph take `pair`, spaces and the others are the blank of
// `background`; short lines are filled with it. An empty text gives an empty block.
CellBlock BlockFromText(const char16_t* text, std::size_t length, int pair, int background);

}  // namespace MyApp
