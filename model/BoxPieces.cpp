#include "BoxPieces.h"

#include <array>

namespace MyApp {

namespace {

constexpr unsigned U = ArmUp, D = ArmDown, L = ArmLeft, R = ArmRight;

// Glyphs 0..22 in order. The hook (0) reaches the left edge only.
constexpr std::array<BoxPiece, 23> Pieces{{
    {StrokeWeight::Single, L},         {StrokeWeight::Single, U | D},
    {StrokeWeight::Single, U | D | L}, {StrokeWeight::Single, D | L},
    {StrokeWeight::Single, U | R},     {StrokeWeight::Single, U | L | R},
    {StrokeWeight::Single, D | L | R}, {StrokeWeight::Single, U | D | R},
    {StrokeWeight::Single, L | R},     {StrokeWeight::Single, U | D | L | R},
    {StrokeWeight::Single, U | L},     {StrokeWeight::Single, D | R},
    {StrokeWeight::Double, U | D | L}, {StrokeWeight::Double, U | D},
    {StrokeWeight::Double, D | L},     {StrokeWeight::Double, U | L},
    {StrokeWeight::Double, U | R},     {StrokeWeight::Double, D | R},
    {StrokeWeight::Double, U | L | R}, {StrokeWeight::Double, D | L | R},
    {StrokeWeight::Double, U | D | R}, {StrokeWeight::Double, L | R},
    {StrokeWeight::Double, U | D | L | R},
}};

}  // namespace

std::optional<BoxPiece> BoxPieceOf(int glyph) {
    if (glyph < 0 || glyph >= int(Pieces.size())) return std::nullopt;
    return Pieces[std::size_t(glyph)];
}

// The hook is never chosen: it is no piece of a frame.
std::optional<int> GlyphForPiece(StrokeWeight weight, unsigned arms) {
    for (int glyph = 1; glyph < int(Pieces.size()); ++glyph) {
        if (Pieces[std::size_t(glyph)].weight == weight && Pieces[std::size_t(glyph)].arms == arms)
            return glyph;
    }
    return std::nullopt;
}

}  // namespace MyApp
