#pragma once
// The box-drawing pieces by their arms, the tile edges their strokes reach: which piece has
// which arms, and which piece of a weight has a given set of arms. Frames are drawn from it and
// join the strokes already in the cells they cross.

#include <optional>

namespace MyApp {

enum Arm : unsigned { ArmUp = 1, ArmDown = 2, ArmLeft = 4, ArmRight = 8 };
enum class StrokeWeight { Single, Double };

struct BoxPiece {
    StrokeWeight weight;
    unsigned arms;  // Arm bits
};

// The weight and arms of a glyph that is a box-drawing piece; nothing for any other glyph.
std::optional<BoxPiece> BoxPieceOf(int glyph);
// The glyph of that weight with exactly these arms; nothing where the set has no piece (fewer
// than two arms).
std::optional<int> GlyphForPiece(StrokeWeight weight, unsigned arms);

}  // namespace MyApp
