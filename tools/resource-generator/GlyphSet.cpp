#include "GlyphSet.h"

#include "GlyphShapes.h"
#include "model/GlyphAtlas.h"

namespace MyApp::Generator {

namespace {

constexpr int GraveAccentColumn = 94;

std::optional<Mask> FacePicture(const SheetPicture& picture, std::string& error) {
    const int width = int(picture.rows.front().size());
    const int height = int(picture.rows.size());
    if (width > CellWidth || height != CellHeight) {
        error = "line " + std::to_string(picture.line) + ": a glyph is at most 16 wide and 24 high";
        return std::nullopt;
    }
    Mask mask(CellWidth, CellHeight);
    const int left = (CellWidth - width) / 2;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const char pixel = picture.rows[std::size_t(y)][std::size_t(x)];
            if (pixel != '#' && pixel != '.') {
                error = "line " + std::to_string(picture.line + 1 + y) + ": use '#' and '.'";
                return std::nullopt;
            }
            mask.Set(left + x, y, pixel == '#');
        }
    }
    return mask;
}

}  // namespace

std::optional<int> FaceColumn(char character) {
    if (character == '`') return GraveAccentColumn;
    const std::optional<int> column = GlyphForCharacter(static_cast<unsigned char>(character));
    if (column == BlankGlyph) return std::nullopt;
    return column;
}

std::optional<std::vector<Mask>> BuildGlyphSet(const PixelSheet& face, std::string& error) {
    std::vector<std::optional<Mask>> columns(GlyphCount);
    for (int glyph = 0; glyph < GlyphCount; ++glyph) {
        columns[std::size_t(glyph)] = DrawnGlyph(glyph);
    }
    columns[BlankGlyph] = Mask(CellWidth, CellHeight);

    for (const SheetPicture& picture : face.pictures) {
        const std::string where = "line " + std::to_string(picture.line) + ": ";
        const std::optional<int> column =
            picture.kind == "glyph" && picture.name.size() == 1 ? FaceColumn(picture.name[0])
                                                                : std::nullopt;
        if (!column) {
            error = where + "\"glyph C\" with C a character that has a column";
            return std::nullopt;
        }
        if (columns[std::size_t(*column)]) {
            error = where + "glyph '" + picture.name + "' is drawn twice";
            return std::nullopt;
        }
        columns[std::size_t(*column)] = FacePicture(picture, error);
        if (!columns[std::size_t(*column)]) return std::nullopt;
    }

    std::vector<Mask> glyphs;
    for (int glyph = 0; glyph < GlyphCount; ++glyph) {
        if (!columns[std::size_t(glyph)]) {
            error = "the face has no glyph for column " + std::to_string(glyph);
            return std::nullopt;
        }
        glyphs.push_back(*columns[std::size_t(glyph)]);
    }
    return glyphs;
}

}  // namespace MyApp::Generator
