#include "ClipboardCodec.h"

#include "GlyphAtlas.h"

#include <array>

namespace MyApp {

namespace {

constexpr char Magic[4] = {'T', 'S', 'L', '1'};
constexpr std::size_t HeaderBytes = 12;

void PutNumber(std::vector<std::uint8_t>& bytes, std::int32_t value) {
    const auto bits = std::uint32_t(value);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(std::uint8_t(bits >> shift));
}

std::int32_t NumberAt(const std::uint8_t* bytes) {
    return std::int32_t(std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                        std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24);
}

// The glyphs no key types, as the characters that look like them: box pieces by their arms,
// blocks and the shade from the block elements, the other shapes from the geometric ones.
// The hook (0) reaches one edge only and shows as the corner it nearly is.
struct Shown {
    int glyph;
    char16_t character;
};
constexpr std::array<Shown, 42> ShownShapes{{
    {0, u'\u2510'},  {1, u'\u2502'},  {2, u'\u2524'},  {3, u'\u2510'},  {4, u'\u2514'},
    {5, u'\u2534'},  {6, u'\u252C'},  {7, u'\u251C'},  {8, u'\u2500'},  {9, u'\u253C'},
    {10, u'\u2518'}, {11, u'\u250C'}, {12, u'\u2563'}, {13, u'\u2551'}, {14, u'\u2557'},
    {15, u'\u255D'}, {16, u'\u255A'}, {17, u'\u2554'}, {18, u'\u2569'}, {19, u'\u2566'},
    {20, u'\u2560'}, {21, u'\u2550'}, {22, u'\u256C'}, {23, u'\u2592'}, {63, u'\u2580'},
    {64, u'\u2584'}, {65, u'\u259D'}, {66, u'\u2597'}, {67, u'\u2598'}, {68, u'\u2596'},
    {94, u'`'},      {121, u'\u258C'}, {122, u'\u2590'}, {123, u'\u25E2'}, {124, u'\u25E5'},
    {125, u'\u25E4'}, {126, u'\u25E3'}, {127, u'\u25C0'}, {128, u'\u25B6'}, {129, u'\u25BC'},
    {130, u'\u25B2'}, {BlankGlyph, u' '},
}};

// Each glyph's character, worked out once from the typed-character map and the shapes above.
const std::array<char16_t, GlyphCount>& CharacterTable() {
    static const std::array<char16_t, GlyphCount> table = [] {
        std::array<char16_t, GlyphCount> characters{};
        characters.fill(u' ');
        for (char16_t c = 0x20; c < 0x7F; ++c) {
            if (const auto glyph = GlyphForCharacter(wchar_t(c))) characters[std::size_t(*glyph)] = c;
        }
        for (const Shown& shown : ShownShapes) characters[std::size_t(shown.glyph)] = shown.character;
        return characters;
    }();
    return table;
}

}  // namespace

std::vector<std::uint8_t> EncodeCells(const CellBlock& block) {
    std::vector<std::uint8_t> bytes(std::begin(Magic), std::end(Magic));
    bytes.reserve(HeaderBytes + block.codes.size() * 8);
    PutNumber(bytes, block.width);
    PutNumber(bytes, block.height);
    for (const CellCode& code : block.codes) {
        PutNumber(bytes, code.glyph);
        PutNumber(bytes, code.pair);
    }
    return bytes;
}

std::optional<CellBlock> DecodeCells(const std::uint8_t* bytes, std::size_t size) {
    if (!bytes || size < HeaderBytes || !std::equal(std::begin(Magic), std::end(Magic), bytes))
        return std::nullopt;
    CellBlock block;
    block.width = NumberAt(bytes + 4);
    block.height = NumberAt(bytes + 8);
    if (!IsValidSize(block.width, block.height) ||
        size != HeaderBytes + std::size_t(block.width * block.height) * 8)
        return std::nullopt;
    for (std::size_t at = HeaderBytes; at < size; at += 8)
        block.codes.push_back({NumberAt(bytes + at), NumberAt(bytes + at + 4)});
    return block;
}

char16_t CharacterOfGlyph(int glyph) {
    return glyph >= 0 && glyph < GlyphCount ? CharacterTable()[std::size_t(glyph)] : u' ';
}

// The hook shares its character with the corner, which is what the character means.
std::optional<int> GlyphOfCharacter(char16_t character) {
    if (const std::optional<int> typed = GlyphForCharacter(wchar_t(character))) return typed;
    for (int glyph = 1; glyph < GlyphCount; ++glyph) {
        if (CharacterTable()[std::size_t(glyph)] == character) return glyph;
    }
    return std::nullopt;
}

std::u16string TextOfBlock(const CellBlock& block) {
    std::u16string text;
    for (int row = 0; row < block.height; ++row) {
        if (row > 0) text += u"\r\n";
        for (int column = 0; column < block.width; ++column) {
            const CellCode code = block.At(column, row);
            text += IsInAtlas(code) ? CharacterOfGlyph(code.glyph) : u' ';
        }
    }
    return text;
}

CellBlock BlockFromText(const char16_t* text, std::size_t length, int pair, int background) {
    const CellCode blank{BlankGlyph, background};
    std::vector<std::vector<CellCode>> lines;
    std::size_t at = 0;
    while (at < length && lines.size() < std::size_t(GridRows)) {
        std::vector<CellCode> line;
        for (; at < length && text[at] != u'\r' && text[at] != u'\n'; ++at) {
            if (line.size() == std::size_t(GridColumns)) continue;  // the rest of a long line
            const char16_t c = text[at];
            // A character outside the 16-bit range takes one cell, like any without a glyph.
            if (c >= 0xD800 && c < 0xDC00 && at + 1 < length && text[at + 1] >= 0xDC00 &&
                text[at + 1] < 0xE000)
                ++at;
            const std::optional<int> glyph = GlyphOfCharacter(c);
            line.push_back(glyph && *glyph != BlankGlyph ? CellCode{*glyph, pair} : blank);
        }
        if (at < length && text[at] == u'\r' && at + 1 < length && text[at + 1] == u'\n') ++at;
        if (at < length) ++at;
        lines.push_back(std::move(line));
    }
    CellBlock block;
    for (const auto& line : lines) block.width = std::max(block.width, int(line.size()));
    if (block.width == 0) return {};
    block.height = int(lines.size());
    for (auto& line : lines) {
        line.resize(std::size_t(block.width), blank);
        block.codes.insert(block.codes.end(), line.begin(), line.end());
    }
    return block;
}

}  // namespace MyApp
