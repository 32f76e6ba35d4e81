#include "ResourceSet.h"

#include "AtlasPicture.h"
#include "GlyphSet.h"
#include "IconFile.h"
#include "IndexedBitmap.h"
#include "PixelSheet.h"
#include "ResourceTable.h"
#include "model/GlyphAtlas.h"
#include "model/Swatches.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace MyApp::Generator {

namespace {

// The sizes the program's and the drawings' icons hold: the system's small and large icons
// from 100 to 200% scale (16 to 32, 32 to 64) and the shell's views up to 256.
constexpr int IconSizes[] = {16, 20, 24, 32, 40, 48, 64, 256};

constexpr int ToolbarImages = 8;
constexpr int ToolbarImageSize = 16;

// The toolbar strip is loaded as a mapped bitmap: the system replaces its
// black, greys and white by the button colours, so it keeps the classic
// 16-colour table and draws on the button-face grey (192, 192, 192).
const ColourTable ToolbarColours = {{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
    {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
    {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

struct ScriptLine {
    std::string name;
    const char* type;
    std::string path;
};

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::optional<RgbaImage> SheetImage(const PixelSheet& sheet, const std::string& name, int width,
                                    int height, std::string& error) {
    const SheetPicture* picture = sheet.Find(name);
    if (!picture) {
        error = "pictures.txt has no picture " + name;
        return std::nullopt;
    }
    std::optional<RgbaImage> image = ColourPicture(sheet, *picture, error);
    if (image && (image->width != width || image->height != height)) {
        error = "picture " + name + " must be " + std::to_string(width) + " x " +
                std::to_string(height);
        return std::nullopt;
    }
    return image;
}

// Each pixel of `image` made a `factor` x `factor` square.
RgbaImage Enlarged(const RgbaImage& image, int factor) {
    RgbaImage large(image.width * factor, image.height * factor);
    for (int y = 0; y < large.height; ++y) {
        for (int x = 0; x < large.width; ++x) large.Set(x, y, image.At(x / factor, y / factor));
    }
    return large;
}

// Icon `stem` at every size: "stem-N" as drawn in pictures.txt, or else the largest drawn
// "stem-M" that N is a multiple of, enlarged: square pixels keep the cells' hard edges.
std::optional<std::vector<RgbaImage>> IconImages(const PixelSheet& sheet, const std::string& stem,
                                                 std::string& error) {
    std::vector<RgbaImage> images;
    for (const int size : IconSizes) {
        int drawn = 0;
        for (const int smaller : IconSizes) {
            if (smaller <= size && size % smaller == 0 &&
                sheet.Find(stem + "-" + std::to_string(smaller)))
                drawn = smaller;
        }
        if (drawn == 0) {
            error = "pictures.txt has no picture " + stem + "-" + std::to_string(size) +
                    " nor one whose size divides " + std::to_string(size);
            return std::nullopt;
        }
        const std::optional<RgbaImage> image =
            SheetImage(sheet, stem + "-" + std::to_string(drawn), drawn, drawn, error);
        if (!image) return std::nullopt;
        images.push_back(Enlarged(*image, size / drawn));
    }
    return images;
}

std::optional<IndexedImage> BuildToolbar(const PixelSheet& sheet, std::string& error) {
    IndexedImage strip(ToolbarImages * ToolbarImageSize, ToolbarImageSize);
    for (int image = 0; image < ToolbarImages; ++image) {
        const std::string name = "toolbar-" + std::to_string(image);
        const std::optional<RgbaImage> picture =
            SheetImage(sheet, name, ToolbarImageSize, ToolbarImageSize, error);
        if (!picture) return std::nullopt;
        for (int y = 0; y < ToolbarImageSize; ++y) {
            for (int x = 0; x < ToolbarImageSize; ++x) {
                const Rgba pixel = picture->At(x, y);
                const Rgb colour{pixel.red, pixel.green, pixel.blue};
                const auto entry = std::find(ToolbarColours.begin(), ToolbarColours.end(), colour);
                if (pixel.alpha != 255 || entry == ToolbarColours.end()) {
                    error = "picture " + name + " uses a colour outside the 16-colour table";
                    return std::nullopt;
                }
                strip.Set(image * ToolbarImageSize + x, y,
                          std::uint8_t(entry - ToolbarColours.begin()));
            }
        }
    }
    return strip;
}

std::string LowerCase(std::string text) {
    for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string UpperCase(std::string text) {
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The background choice a swatch is named after: IDI_COLOUR_ and its label.
// A swatch as an icon's picture: every pixel opaque.
RgbaImage Opaque(const SwatchPixels& swatch) {
    RgbaImage image(SwatchSize, SwatchSize);
    for (std::size_t i = 0; i < swatch.size(); ++i)
        image.pixels[i] = Rgba{swatch[i].red, swatch[i].green, swatch[i].blue, 255};
    return image;
}

const BackgroundChoice* SwatchChoice(const std::string& name) {
    for (const BackgroundChoice& choice : BackgroundChoices) {
        if (name == "IDI_COLOUR_" + UpperCase(choice.label)) return &choice;
    }
    return nullptr;
}

std::string ResourceScript(const std::vector<ScriptLine>& lines) {
    std::string script =
        "// Tessaly's resources, named as the program loads them.\n"
        "// Written by tools/resource-generator (scripts/generate-resources): do not edit.\n\n"
        "#include \"ResourceIds.h\"\n\n";
    for (const ScriptLine& line : lines) {
        char text[160];
        std::snprintf(text, sizeof text, "%-24s %-6s \"%s\"\n", line.name.c_str(), line.type,
                      line.path.c_str());
        script += text;
    }
    return script;
}

}  // namespace

std::optional<std::vector<GeneratedFile>> GenerateResources(std::string_view face,
                                                            std::string_view pictures,
                                                            std::string& error) {
    std::optional<PixelSheet> faceSheet = ParsePixelSheet(face, error);
    if (!faceSheet) {
        error = "glyph-face.txt: " + error;
        return std::nullopt;
    }
    std::optional<std::vector<Mask>> glyphs = BuildGlyphSet(*faceSheet, error);
    if (!glyphs) {
        error = "glyph-face.txt: " + error;
        return std::nullopt;
    }
    std::optional<PixelSheet> pictureSheet = ParsePixelSheet(pictures, error);
    if (!pictureSheet) {
        error = "pictures.txt: " + error;
        return std::nullopt;
    }

    std::vector<GeneratedFile> files;
    std::vector<ScriptLine> script;
    const auto add = [&](const ResourceName& resource, const char* type, const std::string& path,
                         std::vector<std::uint8_t> bytes) {
        files.push_back(GeneratedFile{path, std::move(bytes)});
        script.push_back(ScriptLine{resource.name, type, path});
    };

    const IndexedImage atlas = BuildAtlas(*glyphs);
    const std::vector<ResourceName> names = ResourceNames();
    for (const ResourceName& resource : names) {
        switch (resource.content) {
        case ResourceContent::AppIcon:
        case ResourceContent::DocumentIcon: {
            const bool app = resource.content == ResourceContent::AppIcon;
            const auto images = IconImages(*pictureSheet, app ? "app" : "document", error);
            if (!images) return std::nullopt;
            add(resource, "ICON", app ? "icons/app.ico" : "icons/document.ico",
                EncodeIcon(*images));
            break;
        }
        case ResourceContent::Logo:
            add(resource, "BITMAP", "logo.bmp",
                EncodeIndexedBitmap(BuildLogo(atlas), AtlasColourTable()));
            break;
        case ResourceContent::Atlas:
            add(resource, "BITMAP", "atlas.bmp", EncodeIndexedBitmap(atlas, AtlasColourTable()));
            break;
        case ResourceContent::BackgroundSwatch: {
            const BackgroundChoice* choice = SwatchChoice(resource.name);
            if (!choice) {
                error = resource.name + " names no background";
                return std::nullopt;
            }
            add(resource, "ICON", "icons/colour-" + LowerCase(choice->label) + ".ico",
                EncodeIcon({Opaque(ColourSwatch(BackgroundRgb(choice->pair)))}));
            break;
        }
        case ResourceContent::PairSwatch: {
            char path[32];
            std::snprintf(path, sizeof path, "icons/pair-%02d.ico", resource.index);
            add(resource, "ICON", path, EncodeIcon({Opaque(PairSwatch(resource.index))}));
            break;
        }
        case ResourceContent::Toolbar: {
            const std::optional<IndexedImage> toolbar = BuildToolbar(*pictureSheet, error);
            if (!toolbar) return std::nullopt;
            add(resource, "BITMAP", "toolbar.bmp", EncodeIndexedBitmap(*toolbar, ToolbarColours));
            break;
        }
        }
    }

    files.push_back(GeneratedFile{"ResourceIds.h", Bytes(ResourceIdHeader(names))});
    files.push_back(GeneratedFile{"tessaly.rc", Bytes(ResourceScript(script))});
    return files;
}

}  // namespace MyApp::Generator
