#pragma once
// Recovery copies of drawings with unsaved changes, kept in one folder for every running
// editor. Each copy is three files of one name: NAME.art, the drawing as it is saved;
// NAME.origin, where the drawing came from; NAME.lock, held by the program the copy is for.
// A copy whose lock can be taken was left by a program that no longer runs.

#include "files/ArtFile.h"
#include "files/FileLock.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace MyApp {

class RecoveryCopy;
std::vector<RecoveryCopy> ClaimAbandonedCopies(const std::filesystem::path& folder);

// The file a drawing belongs to, as the editor knew it: its path (empty for a drawing never
// saved) and whether the user chose or confirmed that path, so it may be replaced unasked.
struct DrawingOrigin {
    std::filesystem::path path;
    bool confirmed = false;

    bool operator==(const DrawingOrigin& other) const {
        return path == other.path && confirmed == other.confirmed;
    }
};

class RecoveryCopy {
public:
    // A new copy of this program's in `folder` (made if missing), its lock held; nothing when
    // the folder cannot be written.
    static std::optional<RecoveryCopy> Start(const std::filesystem::path& folder);

    // Writes the drawing and its origin, each through a temporary file.
    bool Write(const CellGrid& grid, const DrawingOrigin& origin) const;
    // The drawing as the copy holds it, read as a drawing file is opened.
    ArtReadResult ReadDrawing() const;
    DrawingOrigin Origin() const;
    // Removes the drawing and its origin; the lock stays held.
    void Remove() const;

    const std::filesystem::path& DrawingFile() const { return drawingFile; }

private:
    RecoveryCopy(std::filesystem::path file, FileLock held)
        : drawingFile(std::move(file)), lock(std::move(held)) {}
    std::filesystem::path OriginFile() const;
    friend std::vector<RecoveryCopy> ClaimAbandonedCopies(const std::filesystem::path& folder);

    std::filesystem::path drawingFile;
    FileLock lock;  // let go when the copy goes, its files left as they are
};

// The copies in `folder` that no running program holds, newest first, each now held by the
// caller: another program starting meanwhile does not offer them too. Leftovers of a copy
// without its drawing are removed.
std::vector<RecoveryCopy> ClaimAbandonedCopies(const std::filesystem::path& folder);

}  // namespace MyApp
