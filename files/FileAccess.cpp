#include "FileAccess.h"

#include "FailureCauses.h"
#include "PendingTemporaries.h"

#include <cerrno>
#include <optional>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace MyApp {

namespace fs = std::filesystem;

namespace {

constexpr int TemporaryAttempts = 100;

// A stream on an open descriptor; the descriptor is closed if that fails.
FileHandle StreamOf(int descriptor, const char* mode) {
#ifdef _WIN32
    FileHandle file(_fdopen(descriptor, mode));
    if (!file) _close(descriptor);
#else
    FileHandle file(fdopen(descriptor, mode));
    if (!file) close(descriptor);
#endif
    return file;
}

// What a new file takes over from the file it replaces: its attributes on Windows, its
// mode bits, owner and group elsewhere.
struct Marks {
#ifdef _WIN32
    DWORD attributes = 0;
#else
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
#endif
};

#ifdef _WIN32
// Read-only is never carried over: such a target is refused.
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
#endif

// The marks of an existing target, or nothing when it is marked read-only (or cannot be
// asked). The mark itself decides: an administrator or root may open a read-only file for
// writing all the same.
std::optional<Marks> MarksOfWritable(const fs::path& target, std::error_code& cause) {
    Marks marks;
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        cause = LastWindowsError();
        return std::nullopt;
    }
    marks.attributes = attributes & KeptAttributes;
    const bool readOnly = attributes & FILE_ATTRIBUTE_READONLY;
#else
    struct stat info;
    if (stat(target.c_str(), &info) != 0) {
        cause = LastErrno();
        return std::nullopt;
    }
    marks = Marks{mode_t(info.st_mode & 07777), info.st_uid, info.st_gid};
    const bool readOnly = !(info.st_mode & S_IWUSR);
#endif
    if (readOnly) {
        cause = MakeError(FileFailure::MarkedReadOnly);
        return std::nullopt;
    }
    return marks;
}

#ifdef _WIN32
// Windows' ReplaceFileW would carry the attributes itself, but Wine's does not, so they are
// set here, on the written and closed temporary file.
bool CarryMarks(const fs::path& temporary, const Marks& marks) {
    return SetFileAttributesW(temporary.c_str(),
                              marks.attributes != 0 ? marks.attributes : FILE_ATTRIBUTE_NORMAL);
}

// Puts the temporary file in the target's place in one step. Windows replaces an existing
// file with ReplaceFileW, which also keeps its security settings (not failing where they
// cannot be merged, as on some shares).
bool PutInPlace(const fs::path& temporary, const fs::path& target, bool replacing,
                std::error_code& cause) {
    if (replacing) {
        if (ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            return true;
        }
        cause = LastWindowsError();
        return false;
    }
    fs::rename(temporary, target, cause);
    return !cause;
}
#else
// Before any data, so that no one may read what the target's mode keeps from them. Only
// root may give a file away; anyone may keep a group of their own. The owner goes first:
// changing it clears the set-user-id bits that the mode then sets again.
bool CarryMarks(int descriptor, const Marks& marks, std::error_code& cause) {
    if (fchown(descriptor, marks.owner, marks.group) != 0) {
        [[maybe_unused]] const int ignored = fchown(descriptor, uid_t(-1), marks.group);
    }
    if (fchmod(descriptor, marks.mode) == 0) return true;
    cause = LastErrno();
    return false;
}
#endif

// Creates `path` for writing only if no file of that name exists; -1 and errno otherwise.
int CreateNewFile(const fs::path& path) {
#ifdef _WIN32
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
}

// The temporary file of one save: recorded for a signal handler, held while it is written,
// and removed if the save ends, however, without putting it in place.
class Temporary {
public:
    Temporary() = default;
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary() {
        file.reset();
        if (created && !placed) {
            std::error_code ignored;
            fs::remove(path, ignored);
        }
        PendingTemporaries::Remove(slot);
    }

    bool Create(TemporaryNames& names, const fs::path& target, std::error_code& cause) {
        for (int attempt = 0; attempt < TemporaryAttempts; ++attempt) {
            path = names.NextFor(target);
            slot = PendingTemporaries::Add(path);
            if (slot == PendingTemporaries::Stopped) {
                cause = MakeError(FileFailure::Interrupted);
                return false;
            }
            const int descriptor = CreateNewFile(path);
            if (descriptor < 0) {
                cause = LastErrno();
                PendingTemporaries::Remove(slot);
                slot = PendingTemporaries::Untracked;
                if (cause == std::errc::file_exists) continue;
                return false;
            }
            created = true;
            PendingTemporaries::Created(slot);
            HoldTemporary(descriptor);
            file = StreamOf(descriptor, "wb");
            if (!file) cause = LastErrno();
            return bool(file);
        }
        return false;
    }

    std::FILE* File() const { return file.get(); }
    const fs::path& Path() const { return path; }
    bool Close() { return std::fclose(file.release()) == 0; }
    void Placed() { placed = true; }

private:
    fs::path path;
    FileHandle file;
    int slot = PendingTemporaries::Untracked;
    bool created = false;
    bool placed = false;
};

// What is known of a target before its temporary file is made.
struct Destination {
    fs::path file;  // where the data go: the file a link leads to
    bool replacing = false;
    std::optional<Marks> marks;
};

// The checks before any data: a folder, a device or a file marked read-only is refused.
std::optional<Destination> Examine(const fs::path& requested, std::error_code& cause) {
    if (!requested.has_filename()) {
        cause = std::make_error_code(std::errc::is_a_directory);
        return std::nullopt;
    }
    Destination target{LinkedFile(requested), false, std::nullopt};
    std::error_code error;
    const fs::file_status status = fs::status(target.file, error);
    target.replacing = fs::exists(status);
    if (!target.replacing) return target;
    if (fs::is_directory(status)) cause = std::make_error_code(std::errc::is_a_directory);
    else if (!fs::is_regular_file(status)) cause = MakeError(FileFailure::NotAFile);
    if (cause) return std::nullopt;
    target.marks = MarksOfWritable(target.file, cause);
    if (!target.marks) return std::nullopt;
    // Not marked, yet perhaps still not ours to write (another owner, an access list):
    // opening for update without changing anything tells.
    if (!OpenFile(target.file, "r+b")) {
        cause = LastErrno();
        return std::nullopt;
    }
    return target;
}

}  // namespace

struct StagedFile::State {
    Destination target;
    Temporary temporary;
};

StagedFile::StagedFile() = default;
StagedFile::StagedFile(StagedFile&&) noexcept = default;
StagedFile& StagedFile::operator=(StagedFile&&) noexcept = default;
StagedFile::~StagedFile() = default;

bool StagedFile::Write(const fs::path& requested, const FileWriter& write, TemporaryNames& names,
                       bool sweep, std::error_code& cause) {
    std::optional<Destination> target = Examine(requested, cause);
    if (!target) return false;
    if (sweep) RemoveStaleTemporaries(target->file.parent_path());
    state = std::make_unique<State>();
    state->target = std::move(*target);
    Temporary& temporary = state->temporary;
    if (!temporary.Create(names, state->target.file, cause)) return false;
#ifndef _WIN32
    if (state->target.marks && !CarryMarks(fileno(temporary.File()), *state->target.marks, cause)) {
        return false;
    }
#endif
    errno = 0;
    if (!write(temporary.File())) {
        if (errno != 0) cause = LastErrno();  // else the writer had nothing to write
        return false;
    }
    if (std::fflush(temporary.File()) != 0) {
        cause = LastErrno();
        return false;
    }
    return true;
}

bool StagedFile::Flush(std::error_code& cause) {
    if (FlushToDisk(state->temporary.File())) return true;
    cause = LastErrno();
    return false;
}

bool StagedFile::Place(std::error_code& cause) {
    Temporary& temporary = state->temporary;
    const Destination& target = state->target;
#ifdef _WIN32
    if (!temporary.Close()) {
        cause = LastErrno();
        return false;
    }
    if (target.marks && !CarryMarks(temporary.Path(), *target.marks)) {
        cause = LastWindowsError();
        return false;
    }
    if (!PutInPlace(temporary.Path(), target.file, target.replacing, cause)) return false;
#else
    // Still open, so still held: no sweep takes the file before it is in place.
    if (rename(temporary.Path().c_str(), target.file.c_str()) != 0) {
        cause = LastErrno();
        return false;
    }
#endif
    temporary.Placed();
    return true;
}

int StagedFile::Descriptor() const {
    std::FILE* const file = state ? state->temporary.File() : nullptr;
#ifdef _WIN32
    return file ? _fileno(file) : -1;
#else
    return file ? fileno(file) : -1;
#endif
}

const fs::path& StagedFile::Target() const { return state->target.file; }

namespace {

bool Replace(const fs::path& requested, const FileWriter& write, TemporaryNames& names,
             std::error_code& cause) {
    StagedFile staged;
    return staged.Write(requested, write, names, true, cause) && staged.Flush(cause) &&
           staged.Place(cause);
}

}  // namespace

FileHandle OpenFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return FileHandle(_wfopen(path.c_str(), wideMode.c_str()));
#else
    return FileHandle(std::fopen(path.c_str(), mode));
#endif
}

FileHandle OpenForReading(const fs::path& path, std::error_code& cause) {
#ifdef _WIN32
    const int descriptor = _wopen(path.c_str(), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) {
        std::error_code ignored;
        cause = errno == EACCES && fs::is_directory(path, ignored)
                    ? std::make_error_code(std::errc::is_a_directory)
                    : LastErrno();
        return nullptr;
    }
    struct _stat64 info;
    const bool asked = _fstat64(descriptor, &info) == 0;
    const unsigned type = info.st_mode & _S_IFMT;
    const bool regular = asked && type == _S_IFREG, folder = asked && type == _S_IFDIR;
#else
    // Not blocking, so that opening a pipe with no writer returns at once.
    const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        cause = LastErrno();
        return nullptr;
    }
    struct stat info;
    const bool asked = fstat(descriptor, &info) == 0;
    const bool regular = asked && S_ISREG(info.st_mode), folder = asked && S_ISDIR(info.st_mode);
    if (regular) fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
#endif
    // The opened file itself is asked, not its name, which may lead elsewhere by now.
    if (!asked) cause = LastErrno();
    else if (folder) cause = std::make_error_code(std::errc::is_a_directory);
    else if (!regular) cause = MakeError(FileFailure::NotAFile);
    if (!regular) {
#ifdef _WIN32
        _close(descriptor);
#else
        close(descriptor);
#endif
        return nullptr;
    }
    FileHandle file = StreamOf(descriptor, "rb");
    if (!file) cause = LastErrno();
    return file;
}

bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

#ifdef _WIN32
namespace {

std::optional<BY_HANDLE_FILE_INFORMATION> IdentityOf(const fs::path& path) {
    const HANDLE handle = CreateFileW(path.c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    const bool asked = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    if (!asked) return std::nullopt;
    return info;
}

}  // namespace

bool SameFile(const fs::path& a, const fs::path& b) {
    const auto first = IdentityOf(a), second = IdentityOf(b);
    return first && second && first->dwVolumeSerialNumber == second->dwVolumeSerialNumber &&
           first->nFileIndexHigh == second->nFileIndexHigh &&
           first->nFileIndexLow == second->nFileIndexLow;
}
#else
bool SameFile(const fs::path& a, const fs::path& b) {
    struct stat first, second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}
#endif

fs::path LinkedFile(const fs::path& path) {
    fs::path file = path;
    std::error_code error;
    // As many links as the system itself follows; a longer chain fails when it is opened.
    for (int hop = 0; hop < 40 && fs::is_symlink(fs::symlink_status(file, error)); ++hop) {
        const fs::path link = fs::read_symlink(file, error);
        if (error) break;
        file = link.is_absolute() ? link : file.parent_path() / link;
    }
    return file;
}

bool ReplaceFileSafely(const fs::path& target, const FileWriter& write, std::error_code* cause) {
    return ReplaceFileSafely(target, write, TemporaryNames(FreshSeed()), cause);
}

bool ReplaceFileSafely(const fs::path& target, const FileWriter& write, TemporaryNames names,
                       std::error_code* cause) {
    std::error_code failure;
    const bool replaced = Replace(target, write, names, failure);
    if (cause) *cause = failure;
    return replaced;
}

}  // namespace MyApp
