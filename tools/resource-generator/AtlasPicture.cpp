#include "AtlasPicture.h"

#include "model/GlyphAtlas.h"

namespace MyApp::Generator {

ColourTable AtlasColourTable() {
    ColourTable table{};  // zero: black
    for (int i = 0; i < BaseColourCount; ++i) table[std::size_t(i)] = BaseColours[std::size_t(i)];
    return table;
}

IndexedImage BuildAtlas(const std::vector<Mask>& glyphs) {
    IndexedImage atlas(AtlasWidth, AtlasHeight);
    for (int pair = 0; pair < PairCount; ++pair) {
        const PairColours colours = ColourPairs[std::size_t(pair)];
        for (int glyph = 0; glyph < GlyphCount; ++glyph) {
            const Mask& mask = glyphs[std::size_t(glyph)];
            const TileRect tile = TileRectangle(glyph, pair);
            for (int y = 0; y < CellHeight; ++y) {
                for (int x = 0; x < CellWidth; ++x) {
                    const BaseColour colour = mask.At(x, y) ? colours.foreground
                                                            : colours.background;
                    atlas.Set(tile.x + x, tile.y + y, std::uint8_t(colour));
                }
            }
        }
    }
    return atlas;
}

void CopyTile(const IndexedImage& atlas, int glyph, int pair, IndexedImage& target, int x, int y) {
    const TileRect tile = TileRectangle(glyph, pair);
    for (int dy = 0; dy < CellHeight; ++dy) {
        for (int dx = 0; dx < CellWidth; ++dx) {
            target.Set(x + dx, y + dy, atlas.At(tile.x + dx, tile.y + dy));
        }
    }
}

IndexedImage BuildLogo(const IndexedImage& atlas) {
    constexpr int redOnWhite = 39;
    constexpr int darkBlueOnWhite = 37;
    constexpr int lightBlueOnWhite = 41;
    IndexedImage logo(164, 50, std::uint8_t(White));

    // A diamond of four half-cell triangles, two cells wide and two high.
    CopyTile(atlas, 123, redOnWhite, logo, 4, 1);
    CopyTile(atlas, 126, redOnWhite, logo, 20, 1);
    CopyTile(atlas, 124, redOnWhite, logo, 4, 25);
    CopyTile(atlas, 125, redOnWhite, logo, 20, 25);

    const char name[] = "Tessaly";
    int x = 44;
    for (const char* c = name; *c != '\0'; ++c, x += CellWidth) {
        CopyTile(atlas, *GlyphForCharacter(static_cast<unsigned char>(*c)), darkBlueOnWhite, logo,
                 x, 1);
        CopyTile(atlas, 21, lightBlueOnWhite, logo, x, 25);  // double horizontal line
    }
    return logo;
}

}  // namespace MyApp::Generator
