#include "FailureCauses.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#endif

namespace MyApp {

namespace {

class FileFailureCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "tessaly-file"; }
    std::string message(int value) const override {
        switch (FileFailure(value)) {
            case FileFailure::SameFile: return "è lo stesso file del disegno";
            case FileFailure::NotAFile: return "non è un file";
            case FileFailure::MarkedReadOnly: return "file in sola lettura";
            case FileFailure::Interrupted: return "interrotto";
        }
        return "errore sconosciuto";
    }
};

const FileFailureCategory fileFailures;

const char* ErrnoCause(int value) {
    switch (value) {
        case EACCES:
        case EPERM: return "permesso negato";
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return "disco pieno";
        case EISDIR: return "è una cartella";
        case ENOTDIR: return "non è una cartella";
        case ENOENT: return "file non trovato";
        case EROFS: return "disco in sola lettura";
        case ENAMETOOLONG: return "nome troppo lungo";
        case EMFILE:
        case ENFILE: return "troppi file aperti";
        case ENOMEM: return "memoria insufficiente";
        case EIO: return "errore di lettura o scrittura del disco";
        case EBUSY: return "file in uso";
        case EPIPE: return "uscita chiusa";
#ifdef ELOOP
        case ELOOP: return "troppi collegamenti simbolici";
#endif
        case EINVAL: return "nome o operazione non validi";
        default: return nullptr;
    }
}

#ifdef _WIN32
// Windows' own error numbers, as the file system library and the Win32 calls report them.
const char* WindowsCause(int value) {
    switch (DWORD(value)) {
        case ERROR_ACCESS_DENIED: return ErrnoCause(EACCES);
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return ErrnoCause(ENOENT);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ErrnoCause(ENOSPC);
        case ERROR_WRITE_PROTECT: return ErrnoCause(EROFS);
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return ErrnoCause(EBUSY);
        case ERROR_DIRECTORY: return ErrnoCause(ENOTDIR);
        case ERROR_FILENAME_EXCED_RANGE: return ErrnoCause(ENAMETOOLONG);
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return ErrnoCause(ENOMEM);
        default: return nullptr;
    }
}
#endif

}  // namespace

std::error_code MakeError(FileFailure failure) { return {int(failure), fileFailures}; }

std::error_code LastErrno() { return {errno, std::generic_category()}; }

#ifdef _WIN32
std::error_code LastWindowsError() { return {int(GetLastError()), std::system_category()}; }
#endif

std::string FailureCause(const std::error_code& cause) {
    if (cause.category() == fileFailures) return cause.message();
    const char* known = nullptr;
#ifdef _WIN32
    known = cause.category() == std::system_category() ? WindowsCause(cause.value())
                                                         : ErrnoCause(cause.value());
#else
    known = ErrnoCause(cause.value());
#endif
    return known ? known : "errore del sistema n. " + std::to_string(cause.value());
}

std::string WithCause(const std::string& message, const std::error_code& cause) {
    return cause ? message + " Causa: " + FailureCause(cause) + "." : message;
}

}  // namespace MyApp
