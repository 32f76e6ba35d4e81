#pragma once
// export-all: every drawing of one folder to pictures, on several workers at once.

#include "files/PictureFile.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

namespace MyApp {

struct FolderExport {
    std::filesystem::path folder;  // the drawings: the ".art" files in it, not below it
    std::filesystem::path target;  // where the pictures go; the drawings' folder by default
    PictureFormat format = PictureFormat::Png;
    unsigned jobs = 1;             // workers; one per core by default
};

// The arguments after "export-all": FOLDER [--to OUTFOLDER] [--format png|bmp] [--jobs N],
// the options in any order, each at most once. Nothing when they are wrong or FOLDER is
// not a folder.
std::optional<FolderExport> ParseFolderExport(const std::vector<std::filesystem::path>& arguments);

// One line per drawing on `out` in the order of their names, "ok NAME" or "NAME: message",
// each as soon as those before it are done. `progress`, when given, shows "done/all" on
// one line that is rewritten in place. Returns 1 when any picture was not written, else 2
// when any drawing was refused, else 0; no drawing stops the others.
int ExportFolder(const FolderExport& request, std::ostream& out, std::ostream* progress);

}  // namespace MyApp
