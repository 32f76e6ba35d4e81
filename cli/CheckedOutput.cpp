#include "CheckedOutput.h"

#include "files/FailureCauses.h"

#include <cerrno>

namespace MyApp {

bool CheckedOutput::Check(bool written) {
    if (!written && !failure) failure = errno != 0 ? LastErrno() : std::make_error_code(std::errc::io_error);
    return written;
}

CheckedOutput::int_type CheckedOutput::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

std::streamsize CheckedOutput::xsputn(const char* text, std::streamsize count) {
    errno = 0;
    return Check(std::fwrite(text, 1, std::size_t(count), file) == std::size_t(count)) ? count : 0;
}

int CheckedOutput::sync() {
    errno = 0;
    return Check(std::fflush(file) == 0) ? 0 : -1;
}

std::error_code CheckedOutput::Finish() {
    sync();
    return failure;
}

}  // namespace MyApp
