#include "ArtFile.h"

#include "FileAccess.h"
#include "LineFile.h"
#include "TextFields.h"

namespace MyApp {

const char* ArtReadMessage(ArtReadStatus status) {
    switch (status) {
        case ArtReadStatus::Ok: return "";
        case ArtReadStatus::ReadFailed: return "Errore durante la lettura.";
        case ArtReadStatus::BadFormat: return "Formato non valido.";
        case ArtReadStatus::Damaged: return "File danneggiato.";
    }
    return "";
}

namespace {

ArtReadResult Refuse(ArtReadStatus status) {
    ArtReadResult result;
    result.status = status;
    return result;
}

// Notepad and other editors put a UTF-8 byte-order mark in front of a file they saved: it is
// no part of the header.
std::string_view WithoutByteOrderMark(std::string_view line) {
    constexpr std::string_view Mark = "\xEF\xBB\xBF";
    return line.substr(0, Mark.size()) == Mark ? line.substr(Mark.size()) : line;
}

// The size and background of a header line; false when the line is refused.
bool ReadHeader(const std::string& line, ArtDrawing& drawing) {
    std::string_view header[3];
    if (!SplitExactly(WithoutByteOrderMark(line), ';', header, 3)) return false;
    drawing.width = ReadNumber(header[0]);
    drawing.height = ReadNumber(header[1]);
    drawing.background = ReadNumber(header[2]);
    // The cell store holds 80 x 25; a background outside the atlas could not be shown.
    return IsValidSize(drawing.width, drawing.height) && IsValidPair(drawing.background);
}

// The lines a file with this header line needs: the header and its cells. A
// refused header needs no more than itself.
std::size_t ArtLinesNeeded(const std::string& headerLine) {
    ArtDrawing header;
    if (!ReadHeader(headerLine, header)) return 1;
    return 1 + std::size_t(header.width) * std::size_t(header.height);
}

// `firstLongLine`: the first line that was too long to keep whole. No sound
// line of a drawing comes near that length, so such a line is refused.
ArtReadResult ParseArtLines(const std::vector<std::string>& lines, std::size_t firstLongLine) {
    if (lines.empty()) return Refuse(ArtReadStatus::ReadFailed);
    if (firstLongLine == 0) return Refuse(ArtReadStatus::BadFormat);
    ArtReadResult result;
    ArtDrawing& drawing = result.drawing;
    if (!ReadHeader(lines[0], drawing)) return Refuse(ArtReadStatus::BadFormat);

    const std::size_t cellCount = std::size_t(drawing.width) * std::size_t(drawing.height);
    if (lines.size() - 1 < cellCount || firstLongLine <= cellCount) {
        return Refuse(ArtReadStatus::Damaged);
    }
    drawing.cells.reserve(cellCount);
    for (std::size_t i = 1; i <= cellCount; ++i) {
        std::string_view fields[2];
        if (!SplitExactly(lines[i], ';', fields, 2)) return Refuse(ArtReadStatus::Damaged);
        drawing.cells.push_back(CellCode{ReadNumber(fields[0]), ReadNumber(fields[1])});
    }
    result.status = ArtReadStatus::Ok;
    return result;
}

}  // namespace

ArtReadResult ReadArtFile(const std::filesystem::path& path) {
    LineFile file;
    file.path = path;
    // The header tells how many cell lines follow: nothing past them is read.
    const std::vector<std::string> lines = file.ReadLines(MaxArtLines, ArtLinesNeeded);
    ArtReadResult result = file.failed ? Refuse(ArtReadStatus::ReadFailed)
                                       : ParseArtLines(lines, file.firstLongLine);
    result.bytesRead = file.bytesRead;
    result.cause = file.cause;
    return result;
}

ArtReadResult ReadArtBytes(std::string_view bytes) {
    std::vector<std::string> lines;
    LineSplitter splitter(lines, MaxArtLines, ArtLinesNeeded);
    if (splitter.Feed(bytes)) splitter.Finish();
    return ParseArtLines(lines, splitter.FirstLongLine());
}

std::vector<std::string> BuildArtLines(const CellGrid& grid) {
    std::vector<std::string> lines;
    lines.reserve(1 + std::size_t(grid.Width()) * grid.Height());
    lines.push_back(FormatIntegerNarrow(grid.Width()) + ";" + FormatIntegerNarrow(grid.Height()) +
                    ";" + FormatIntegerNarrow(grid.Background()));
    for (int row = 0; row < grid.Height(); ++row) {
        for (int column = 0; column < grid.Width(); ++column) {
            const CellCode code = grid.CodeAt(column, row);
            lines.push_back(FormatIntegerNarrow(code.glyph) + ";" + FormatIntegerNarrow(code.pair));
        }
    }
    return lines;
}

bool WriteArtFile(const std::filesystem::path& path, const CellGrid& grid) {
    const std::vector<std::string> lines = BuildArtLines(grid);
    return ReplaceFileSafely(path, [&](std::FILE* file) { return WriteLines(file, lines); });
}

}  // namespace MyApp
