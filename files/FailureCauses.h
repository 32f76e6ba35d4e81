#pragma once
// Why a file could not be read or written, in the words the user is shown: the system's
// own error numbers and the few causes this program finds itself.

#include <string>
#include <system_error>

namespace MyApp {

// The causes the system has no number for.
enum class FileFailure {
    SameFile = 1,  // the picture would overwrite the drawing it is made from
    NotAFile,      // a pipe, a device, a socket: nothing a drawing is read from or written to
    MarkedReadOnly,
    Interrupted,   // the program is being stopped: no new file is begun
};

std::error_code MakeError(FileFailure failure);

// The error of the system call that just failed: errno, or on Windows the last error.
std::error_code LastErrno();
#ifdef _WIN32
std::error_code LastWindowsError();
#endif

// "permesso negato", "disco pieno", "è una cartella", ...; a general phrase for anything else.
std::string FailureCause(const std::error_code& cause);

// "MESSAGE Causa: cause." or the message alone when there is no cause.
std::string WithCause(const std::string& message, const std::error_code& cause);

}  // namespace MyApp
