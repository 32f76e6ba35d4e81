#pragma once
// export-all: every drawing of one folder to pictures, on several workers at once.

#include "files/BatchReplacement.h"
#include "files/PictureFile.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace MyApp {

struct FolderExport {
    std::filesystem::path folder;  // the drawings: the ".art" files in it, not below it
    std::filesystem::path target;  // where the pictures go; the drawings' folder by default
    PictureFormat format = PictureFormat::Png;
    unsigned jobs = 1;             // workers; one per core by default
    BatchReplacement::StepHook onStep;  // told each step of each group's commit
};

// The arguments after "export-all": FOLDER [--to OUTFOLDER] [--format png|bmp] [--jobs N],
// the options in any order, each at most once, the format in any case. Nothing when they
// are wrong or FOLDER is not a folder, and `problem` says which argument is wrong.
std::optional<FolderExport> ParseFolderExport(const std::vector<std::filesystem::path>& arguments,
                                              std::string& problem);

// No more workers than this, whatever --jobs asks: four per core, 32 at most (each holds
// one drawing's picture, a few megabytes).
unsigned MaxJobs();

// One line per drawing on `out` in the order of their names, "ok NAME" or "NAME: message",
// each once its picture is on the disk and those before it are done (CommitGroups). Two drawings whose pictures would have one
// name (on a disk that does not tell capitals from small letters too): the first in name
// order has it, the others are refused. With `progress`, standard error shows "done/all"
// on one line that is rewritten in place. A folder that cannot be listed, or pictures
// that cannot go where they should, are said once on `errors`. Returns 1 when any picture
// was not written, else 2 when any drawing was refused, else 0; no drawing stops the
// others. Throws std::bad_alloc, once every worker has stopped, when memory ran out.
int ExportFolder(const FolderExport& request, std::ostream& out, std::ostream& errors,
                 bool progress);

}  // namespace MyApp
